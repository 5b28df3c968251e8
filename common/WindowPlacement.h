#pragma once

class QWidget;

namespace WindowPlacement {

// Places a top-level window in the centre of the screen it is on (the primary screen
// before it was ever shown).
void centre(QWidget *window);

} // namespace WindowPlacement
