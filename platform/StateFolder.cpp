#include "platform/StateFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace StateFolder {

QString path()
{
#ifdef _WIN32
    // Asked of the system, not of the environment: Known Folders are what Windows itself
    // uses, and the local (not roaming) one keeps a machine's trace on that machine.
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                    QLatin1String("/lumaKvex"));
#else
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !state.isEmpty() && QDir::isAbsolutePath(state) ? state
                                                                          : QDir::homePath() + QLatin1String("/.local/state");
    return QDir(base).filePath(QStringLiteral("lumakvex"));
#endif
}

} // namespace StateFolder
