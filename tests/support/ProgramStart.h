#pragma once

class QWidget;

namespace ProgramStart {

// Starts the program as its entry does, up to the event loop: application set-up and all
// five windows. The help file and the help viewer are missing beside the test programs,
// so both start-up messages come; they are answered.
void createAllWindows();

// The program's top-level window of that name, nullptr when there is none.
QWidget *window(const char *objectName);

} // namespace ProgramStart
