// Loaded into the unchanged program with LD_PRELOAD, it watches one start from inside and
// reports what a user would have seen, one line per fact, tab-separated:
//   box      <title> <text>          a message box (closed at once, so the start goes on)
//   painted  <window objectName>     the main window's first paint
//   shown    <desktop file name> <X11 window id>   the program's name for its desktop entry,
//                                    and the main window's native window
//   window   <objectName> <class> <title>   a window that the help request opened
//   browser  <source URL> <title>    a text browser inside that window and its page
//   peak_rss_kib <n>                 the process's peak resident memory so far
// Then it ends the program through its event loop. Environment:
//   LUMAKVEX_PROBE_REPORT  file for the report (standard error when unset)
//   LUMAKVEX_PROBE_HELP    when "1", asks for help from the main window's menu after the paint
//   LUMAKVEX_PROBE_HOLD    when "1", leaves the program running after the paint, for a look
//                          from outside (it gives up after a while all the same)
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 20000;
constexpr int kHelpWaitMs = 5000;

class StartProbe : public QObject
{
public:
    StartProbe() : QObject(qApp)
    {
        const QByteArray path = qgetenv("LUMAKVEX_PROBE_REPORT");
        if (!path.isEmpty()) {
            m_file.setFileName(QString::fromLocal8Bit(path));
            m_toFile = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
        }
        m_askHelp = qgetenv("LUMAKVEX_PROBE_HELP") == "1";
        qApp->installEventFilter(this);
        connect(&m_poll, &QTimer::timeout, this, &StartProbe::poll);
        m_poll.start(kPollMs);
        QTimer::singleShot(kGiveUpMs, this, [this] { finish(QStringLiteral("timeout")); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window()->objectName() == QLatin1String("Frm_Haupt")) {
            m_painted = true;
            report({QStringLiteral("painted"), QStringLiteral("Frm_Haupt")});
            QTimer::singleShot(0, this, &StartProbe::afterPaint);
        }
        return false;
    }

private:
    void poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            report({QStringLiteral("box"), box->windowTitle(),
                    box->text().replace(QLatin1Char('\n'), QLatin1Char(' '))});
            box->done(0);
        }
        if (m_sinceHelp.isValid()) lookForHelpWindow();
    }

    void afterPaint()
    {
        QWidget *main = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Frm_Haupt")) main = w;
        if (main)
            report({QStringLiteral("shown"), QGuiApplication::desktopFileName(),
                    QString::number(main->winId())});
        if (qgetenv("LUMAKVEX_PROBE_HOLD") == "1") return;
        if (!m_askHelp) {
            finish(QStringLiteral("done"));
            return;
        }
        QAction *help = main ? main->findChild<QAction *>(QStringLiteral("Hilfeaufrufen1")) : nullptr;
        if (!help) {
            finish(QStringLiteral("no-help-item"));
            return;
        }
        m_sinceHelp.start();
        help->trigger();
    }

    void lookForHelpWindow()
    {
        bool found = false;
        // The viewer is any visible window that is none of the program's own five.
        for (QWidget *w : QApplication::topLevelWidgets()) {
            const bool window = w->windowType() == Qt::Window || w->windowType() == Qt::Dialog;
            if (!window || !w->isVisible() || qobject_cast<QMessageBox *>(w) ||
                w->objectName().startsWith(QLatin1String("Frm_")))
                continue;
            const auto browsers = w->findChildren<QTextBrowser *>();
            const bool pageShown = std::any_of(browsers.begin(), browsers.end(), [](const QTextBrowser *b) {
                return !b->source().isEmpty() || !b->document()->isEmpty();
            });
            if (!browsers.isEmpty() && !pageShown) continue; // still loading
            report({QStringLiteral("window"), w->objectName(),
                    QString::fromLatin1(w->metaObject()->className()), w->windowTitle()});
            for (const QTextBrowser *b : browsers)
                report({QStringLiteral("browser"), b->source().toString(), b->documentTitle()});
            found = true;
        }
        if (found)
            finish(QStringLiteral("done"));
        else if (m_sinceHelp.elapsed() > kHelpWaitMs)
            finish(QStringLiteral("no-help-window"));
    }

    void finish(const QString &how)
    {
        if (m_finished) return;
        m_finished = true;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        report({QStringLiteral("peak_rss_kib"), QString::number(usage.ru_maxrss)});
        report({how});
        m_poll.stop();
        // Straight out of the loop: quit() would ask the main window, which asks the user.
        QCoreApplication::exit(0);
    }

    void report(const QStringList &fields)
    {
        const QByteArray line = fields.join(QLatin1Char('\t')).toUtf8() + '\n';
        if (m_toFile) {
            m_file.write(line);
            m_file.flush();
        } else {
            std::fputs(line.constData(), stderr);
        }
    }

    QFile m_file;
    bool m_toFile = false;
    bool m_askHelp = false;
    bool m_painted = false;
    bool m_finished = false;
    QElapsedTimer m_sinceHelp;
    QTimer m_poll;
};

void installProbe()
{
    new StartProbe;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
