#include "FuzzSupport.h"

#include "app/AppWindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Closes each message box from inside its own event loop, as a user pressing Escape would.
class BoxCloser : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *box = qobject_cast<QMessageBox *>(watched))
                QTimer::singleShot(0, box, [box] { box->done(0); });
        return false;
    }
};

// Qt's warnings (fonts, the offscreen platform) would bury libFuzzer's own report; fatal
// messages still end the run.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

void FuzzSupport::fail(const QString &what, const QString &input)
{
    std::fprintf(stderr, "\n*** %s\n*** input: %s\n", qPrintable(what), qPrintable(input.left(2000)));
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Qt must not see libFuzzer's options.
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    // Never destroyed: the process ends inside libFuzzer, after Qt's own thread data is gone.
    auto *app = new QApplication(qtArgc, qtArgv);
    AppWindows::setUpApplication();
    app->installEventFilter(new BoxCloser);
    return 0;
}
