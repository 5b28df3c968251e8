// Where the windows open: centred with their frame, on the monitor each one belongs to. The
// test runs on two screens of different sizes with window frames, both set up through the
// offscreen platform's configuration file.
#include "OffscreenScreens.h"
#include "ProgramStart.h"

#include "app/AppWindows.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

namespace {

const QByteArray kTwoScreens = R"({
    "windowFrameMargins": true,
    "screens": [
        { "name": "primary", "x": 0, "y": 0, "width": 1600, "height": 900, "logicalDpi": 96 },
        { "name": "second", "x": 1600, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96 }
    ]
})";

QScreen *screenNamed(const QString &name)
{
    for (QScreen *s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return nullptr;
}

} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        ProgramStart::createAllWindows();
    }

    void cleanupTestCase() { AppWindows::destroyAll(); }

    // The rows run in order: the main window opens first, then stands on the second screen
    // while the others open for the first time.
    void windowOpensCentredOnItsMonitor_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("mainWindowOn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("main window on the desktop") << "Frm_Haupt" << "" << "primary";
        QTest::newRow("calculator on the main window's monitor") << "Frm_Wid" << "second" << "second";
        QTest::newRow("info on the desktop") << "Frm_Info" << "second" << "primary";
        QTest::newRow("notes on the desktop") << "Frm_Hinweise" << "second" << "primary";
        QTest::newRow("contact on the desktop") << "Frm_Kontakt" << "second" << "primary";
    }
    void windowOpensCentredOnItsMonitor()
    {
        QFETCH(QString, window);
        QFETCH(QString, mainWindowOn);
        QFETCH(QString, expected);
        QWidget *main = ProgramStart::window("Frm_Haupt");
        if (!mainWindowOn.isEmpty()) {
            main->move(screenNamed(mainWindowOn)->geometry().topLeft() + QPoint(40, 30));
            QTRY_COMPARE(main->screen()->name(), mainWindowOn);
        }
        QWidget *w = ProgramStart::window(qPrintable(window));
        QVERIFY(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));

        const QRect frame = w->frameGeometry();
        QVERIFY2(frame.size() != w->size(), "the window has no frame to centre");
        const QRect area = screenNamed(expected)->availableGeometry();
        QCOMPARE(w->screen()->name(), expected);
        QCOMPARE(frame.topLeft(), area.topLeft() + QPoint((area.width() - frame.width()) / 2,
                                                          (area.height() - frame.height()) / 2));
        // Shown again, it stays where the user moved it.
        w->move(w->pos() + QPoint(10, 10));
        w->hide();
        w->show();
        QCOMPARE(w->frameGeometry().topLeft(), frame.topLeft() + QPoint(10, 10));
        if (w != main) w->hide();
    }
};

int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!OffscreenScreens::use(config, kTwoScreens)) return 1;
    QApplication app(argc, argv);
    TestWindowPlacement test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowplacement.moc"
