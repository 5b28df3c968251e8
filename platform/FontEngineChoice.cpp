#include "platform/FontEngineChoice.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>

namespace FontEngineChoice {

void applyDefault([[maybe_unused]] int argc, [[maybe_unused]] char **argv)
{
#ifdef _WIN32
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return;
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

} // namespace FontEngineChoice
