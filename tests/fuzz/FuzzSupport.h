#pragma once

#include <QString>

// What every fuzz target shares. Linking this in also gives the target libFuzzer's start-up
// hook: one application on the offscreen platform for the whole run, Qt's warnings silenced,
// and every message box answered the moment it shows, so that a target can drive the real
// widgets.
namespace FuzzSupport {

// Prints what the input broke and aborts, so that libFuzzer keeps the input as a finding.
[[noreturn]] void fail(const QString &what, const QString &input);

} // namespace FuzzSupport
