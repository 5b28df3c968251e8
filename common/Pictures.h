#pragma once

#include <QtGlobal>

class QIcon;
class QLabel;
class QPixmap;
class QString;

// The program's own pictures, PNG files among its resources. Beside a picture
// "<name>.png" drawn for the design size there may be "<name>@2x.png", the same picture
// drawn at twice the size for screens that show more than one device pixel per pixel.
namespace Pictures {

// Reads a PNG picture with Qt's built-in reader. Asked without a format, Qt's image
// reader first loads every installed image format plugin to ask whether it knows the
// file, a good part of the program's start; none of them is needed for a PNG.
//
// For a device pixel ratio above 1 it takes the picture drawn at twice the size where
// there is one, brought to exactly that many device pixels, so that it is drawn pixel for
// pixel and not stretched by the painter; at ratio 1 it is the design-size picture as it is.
QPixmap load(const QString &path, qreal devicePixelRatio = 1);

// Shows a picture in a label, drawn for the label's screen, and again for its new screen
// when the label's window moves to one with another device pixel ratio. With a height
// (in pixels) the picture is scaled smoothly to that height, its width in proportion.
void show(QLabel *label, const QString &path, int height = 0);

// The program's icon for its windows: its own 32-pixel picture, and beside it the icon at
// every other size the package installs for the desktop, so that a title bar, a task bar or
// a switcher on any screen gets a picture drawn for its size. Each is read when first asked for.
QIcon programIcon();

} // namespace Pictures
