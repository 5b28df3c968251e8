#include "OffscreenScreens.h"

#include <QDir>
#include <QTemporaryFile>

namespace OffscreenScreens {

bool use(QTemporaryFile &file, const QByteArray &configuration)
{
    file.setFileTemplate(QStringLiteral("offscreen-screens-XXXXXX.json"));
    if (!file.open() || file.write(configuration) != configuration.size() || !file.flush()) return false;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QDir::current().relativeFilePath(file.fileName()).toLocal8Bit());
    return true;
}

} // namespace OffscreenScreens
