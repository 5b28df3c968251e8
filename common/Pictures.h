#pragma once

class QPixmap;
class QString;

// The program's own pictures, PNG files among its resources.
namespace Pictures {

// Reads a PNG picture with Qt's built-in reader. Asked without a format, Qt's image
// reader first loads every installed image format plugin to ask whether it knows the
// file, a good part of the program's start; none of them is needed for a PNG.
QPixmap load(const QString &path);

} // namespace Pictures
