#include "common/Pictures.h"

#include <QImageReader>
#include <QPixmap>

namespace Pictures {

QPixmap load(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace Pictures
