#include "platform/HelpControl.h"

// No help viewer is bound yet on any platform: the program reports it missing at
// start-up and help requests go nowhere.
namespace HelpControl {

bool isLoaded()
{
    return false;
}

Version version()
{
    return {};
}

bool showContext(const QString &, const QString &, quint32)
{
    return false;
}

void closeAll() {}

} // namespace HelpControl
