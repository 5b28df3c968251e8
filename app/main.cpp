#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/HtmlHelp.h"
#include "platform/FontEngineChoice.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Until the application object stands, Qt's messages are held back: when it cannot reach
// any display it ends the program from inside the constructor with advice meant for a
// broken installation. The user gets our own line instead, and the usual exit status.
struct HeldBack
{
    QtMsgType type;
    QByteArray category;
    QString message;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldBack> heldBack;

void letHeldBackMessagesThrough()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldBack &m : heldBack)
        qt_message_output(
            m.type,
            QMessageLogContext(nullptr, 0, nullptr, m.category.isNull() ? nullptr : m.category.constData()),
            m.message);
    heldBack.clear();
}

void holdBackUntilStarted(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldBack.push_back({type, QByteArray(context.category), message});
        return;
    }
    if (!message.contains(QLatin1String("platform plugin"))) {
        // Some other failure: Qt's own words are the better guide.
        letHeldBackMessagesThrough();
        qt_message_output(type, context, message);
        return;
    }
    std::fputs("lumaKvex braucht eine grafische Oberfläche (X11 oder Wayland), es wurde aber keine "
               "gefunden.\n",
               stderr);
    std::fflush(stderr);
    // The application object is half built; nothing may run its clean-up.
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    previousHandler = qInstallMessageHandler(holdBackUntilStarted);
    FontEngineChoice::applyDefault(argc, argv);
    QApplication app(argc, argv);
    letHeldBackMessagesThrough();
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
