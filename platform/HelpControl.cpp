#include "platform/HelpControl.h"

#ifdef _WIN32
#include "platform/WinHelpControl.h"
#else
#include "platform/ViewerHelpControl.h"
#endif

HelpControl &HelpControl::system()
{
#ifdef _WIN32
    static WinHelpControl control;
#else
    static ViewerHelpControl control;
#endif
    return control;
}
