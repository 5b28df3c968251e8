#pragma once

#include <functional>

class QWidget;

namespace AppWindows {

// Prepares the application object: title, style, palette and fonts.
void setUpApplication();

// Creates the program's five windows in their fixed order (main window, contact,
// info, notes, calculator). Each window is complete, its creation handler included,
// before the next one is constructed; `created` is told about each in turn.
void createAll(const std::function<void(QWidget *)> &created = {});

// Frees the windows in reverse order and empties the program-wide pointers.
void destroyAll();

} // namespace AppWindows
