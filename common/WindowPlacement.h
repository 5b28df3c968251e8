#pragma once

class QWidget;

namespace WindowPlacement {

// Which monitor a window is centred on.
enum class Monitor {
    Desktop,    // the primary screen
    MainWindow, // the screen the main window stands on when the window is first shown
};

// Centres a top-level window, frame included, in the available area of its monitor, shrunk
// to fit that area first where it is larger, proportions kept: at once
// when it is visible, else when it is next shown, once its frame is known. Called while a
// window is created, this centres it at its first showing; later showings keep wherever the
// user left it.
void centre(QWidget *window, Monitor monitor = Monitor::Desktop);

// The window that Monitor::MainWindow refers to; until one is registered (or after it is
// gone) that is the primary screen.
void setMainWindow(QWidget *window);

} // namespace WindowPlacement
