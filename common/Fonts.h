#pragma once

class QWidget;
class QString;

// The windows name the fonts they were designed with (MS Sans Serif, Arial, Comic Sans
// MS, ...). Fonts maps each of them to a free font of similar metrics that setup
// installs, so that nothing falls back to whatever the machine happens to have.
namespace Fonts {

// Registers the substitutions and sets the application's default font. Call once,
// after the application object exists and before any window is created.
void install();

// The free font that stands in for a design font name (the name itself when it needs
// no stand-in).
QString substituteFor(const QString &designFamily);

// Font sizes in the window descriptions are character heights in pixels, written
// where the description format only knows points. Converts every font a window's
// description sets on `root` and its children from that notation to a pixel size.
void applyDesignPixelSizes(QWidget *root);

} // namespace Fonts
