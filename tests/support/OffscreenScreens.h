#pragma once

#include <QByteArray>

class QTemporaryFile;

namespace OffscreenScreens {

// Writes `configuration` (the offscreen platform's screens and frame margins, as JSON) into
// `file` and points QT_QPA_PLATFORM at it; call before the application object exists. The
// file lies in the working folder and is named relative to it: Qt splits the platform's
// options at colons, so a Windows path's drive letter would cut the name short.
bool use(QTemporaryFile &file, const QByteArray &configuration);

} // namespace OffscreenScreens
