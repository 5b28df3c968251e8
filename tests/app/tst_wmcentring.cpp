// Centring under a real window manager: each row starts the program afresh in a desktop of
// its own (virtual X server and openbox), opens the main and calculator windows and reads
// back from the X server where their frames stand. The windows are read once the program
// has placed them, so nothing here waits for a fixed time.
#include "ProgramStart.h"

#include "app/AppWindows.h"
#include "calc/WidTabelle.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cstdio>

namespace {

const char kProbe[] = "-probe";

// The numbers after `name` in the output of an X client.
QList<int> numbersAfter(const QStringList &command, const QString &name)
{
    QProcess p;
    p.start(command.front(), command.mid(1));
    p.waitForFinished(10000);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    QList<int> numbers;
    const int at = out.indexOf(name);
    if (at < 0) return numbers;
    const QString line = out.mid(at + name.size()).section(QLatin1Char('\n'), 0, 0);
    for (const auto &m : QRegularExpression(QStringLiteral("-?\\d+")).globalMatch(line)) numbers << m.captured().toInt();
    return numbers;
}

// How far the window's frame stands from the centre of the work area, in screen pixels, as
// the X server has it: "dx dy", or what is missing.
QString offCentre(QWidget *window)
{
    const QString id = QString::number(window->winId());
    const QList<int> area = numbersAfter({"xprop", "-root", "_NET_WORKAREA"}, "=");
    const QList<int> frame = numbersAfter({"xprop", "-id", id, "_NET_FRAME_EXTENTS"}, "=");
    const QList<int> x = numbersAfter({"xwininfo", "-id", id}, "Absolute upper-left X:");
    const QList<int> y = numbersAfter({"xwininfo", "-id", id}, "Absolute upper-left Y:");
    const QList<int> w = numbersAfter({"xwininfo", "-id", id}, "Width:");
    const QList<int> h = numbersAfter({"xwininfo", "-id", id}, "Height:");
    if (area.size() < 4 || frame.size() != 4 || x.isEmpty() || y.isEmpty() || w.isEmpty() || h.isEmpty())
        return QStringLiteral("not readable");
    // _NET_FRAME_EXTENTS: left, right, top, bottom.
    const int left = x[0] - frame[0], top = y[0] - frame[2];
    const int width = w[0] + frame[0] + frame[1], height = h[0] + frame[2] + frame[3];
    if (frame[2] == 0) return QStringLiteral("no title bar");
    return QStringLiteral("%1 %2")
        .arg(left - (area[0] + (area[2] - width) / 2))
        .arg(top - (area[1] + (area[3] - height) / 2));
}

bool placed(QWidget *window)
{
    return QTest::qWaitFor([window] {
        return window->isVisible() &&
               !window->findChild<QObject *>(QStringLiteral("WindowPlacement_firstShow"), Qt::FindDirectChildrenOnly);
    }, 20000);
}

// The child's work: one program start; prints one line per window.
int probe()
{
    ProgramStart::createAllWindows();
    QWidget *main = ProgramStart::window("Frm_Haupt");
    main->show();
    const auto report = [](QWidget *w) {
        const bool done = placed(w);
        std::printf("%s %s%s\n", qPrintable(w->objectName()), qPrintable(offCentre(w)), done ? "" : " not placed");
        std::fflush(stdout);
    };
    report(main);
    Frm_Wid->showPage(0);
    Frm_Wid->show();
    report(Frm_Wid);
    AppWindows::destroyAll();
    return 0;
}

} // namespace

class TestWmCentring : public QObject
{
    Q_OBJECT

private slots:
    void centredWithFrame_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QByteArray>("scale");
        for (int start = 1; start <= 8; ++start) {
            QTest::addRow("1366x768 start %d", start) << "1366x768" << QByteArray();
            QTest::addRow("1024x768 start %d", start) << "1024x768" << QByteArray();
        }
        for (int start = 1; start <= 4; ++start)
            QTest::addRow("1366x768 at 125 %% start %d", start) << "1366x768" << QByteArray("1.25");
    }
    void centredWithFrame()
    {
        QFETCH(QString, screen);
        QFETCH(QByteArray, scale);
        const QString session = QFINDTESTDATA("../support/desktop_session.py");
        QVERIFY(!session.isEmpty());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!scale.isEmpty()) env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(scale));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral("/usr/bin/python3"), {session, QStringLiteral("--wm"), QStringLiteral("--screen"),
                                                         screen, QStringLiteral("--"),
                                                         QCoreApplication::applicationFilePath(),
                                                         QString::fromLatin1(kProbe)});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines = QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines) {
            const QStringList parts = line.split(QLatin1Char(' '));
            bool okX = false, okY = false;
            const int dx = parts.value(1).toInt(&okX);
            const int dy = parts.value(2).toInt(&okY);
            QVERIFY2(parts.size() == 3 && okX && okY && std::abs(dx) <= 2 && std::abs(dy) <= 2, qPrintable(line));
        }
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], kProbe) == 0) {
        QApplication app(argc, argv);
        return probe();
    }
    QCoreApplication app(argc, argv);
    TestWmCentring test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wmcentring.moc"
