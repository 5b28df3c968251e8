#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/HtmlHelp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppWindows::setUpApplication();
    // The main window decides when the program ends (after its question).
    QApplication::setQuitOnLastWindowClosed(false);
    AppWindows::createAll();
    Frm_Haupt->show();
    const int rc = QApplication::exec();
    AppWindows::destroyAll();
    HtmlHelp::UnloadHtmlHelp();
    return rc;
}
