#pragma once

#include <QStringList>

#include <functional>

class QFont;
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

// Every stand-in family, each once and sorted: the fonts the package must bring along.
QStringList standInFamilies();

// The font as it is drawn: with its stand-in family where the design family has one.
// Qt looks for an absent family among the installed fonts before it tries the stand-in,
// a search that costs as much as loading the font; code that draws text itself can spare it.
QFont standIn(const QFont &font);

// Font sizes in the window descriptions are character heights in pixels, written
// where the description format only knows points. Converts every font a window's
// description sets on `root` and its children from that notation to a pixel size.
void applyDesignPixelSizes(QWidget *root);

// Runs `build` (a window's setupUi) with each font converted to its pixel size the moment
// the description sets it, then converts whatever is left. Entry fields, menu bars, tab
// bars and group boxes measure their text on every font change; converting afterwards
// would have them look up fonts at sizes no window shows, each look-up a good part of a
// millisecond at start-up.
void buildWithDesignPixelSizes(QWidget *window, const std::function<void()> &build);

} // namespace Fonts
