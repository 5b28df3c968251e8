#pragma once

#include <QString>

// The pair finder's unit word: "Ohm" or "kOhm". Only shown, never used in a
// calculation. Empty at program start; the calculator window's creation sets it to "Ohm".
extern QString Einheit_Wid;
