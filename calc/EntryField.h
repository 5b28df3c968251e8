#pragma once

class TNumberEdit;

namespace EntryField {

// The calculator window's numeric entry fields are configured alike: floating point,
// decimal comma and thousands point shown, checked on exit, no range, right-aligned,
// yellow with and without the focus, Arial bold 13 px. They differ in their number of
// decimals and their start value.
void configure(TNumberEdit *field, int precision, double value);

} // namespace EntryField
