#pragma once

// Which engine draws the windows' text, chosen before the application object exists.
namespace FontEngineChoice {

// On Windows, FreeType draws from the fonts' own files, as on Linux: the system's engine is
// handed the design family (Arial Narrow, MS Sans Serif, ...) instead of the stand-in the
// program chose for an absent one, and draws it in whatever the system falls back to, bold
// and width lost. A platform the user chose (QT_QPA_PLATFORM or -platform) is kept.
// Elsewhere nothing changes.
void applyDefault(int argc, char **argv);

} // namespace FontEngineChoice
