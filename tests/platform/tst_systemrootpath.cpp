#include "platform/SystemRootPath.h"

#include <QTest>

// The registry's path of the help control may start with %SYSTEMROOT%.
class TestSystemRootPath : public QObject
{
    Q_OBJECT

private slots:
    void leadingMarkerBecomesTheWindowsFolder_data()
    {
        QTest::addColumn<QString>("registered");
        QTest::addColumn<QString>("expanded");
        QTest::newRow("upper case") << "%SYSTEMROOT%\\System32\\hhctrl.ocx" << "C:\\Windows\\System32\\hhctrl.ocx";
        QTest::newRow("lower case") << "%systemroot%\\System32\\hhctrl.ocx" << "C:\\Windows\\System32\\hhctrl.ocx";
        QTest::newRow("mixed case") << "%SystemRoot%\\System32\\hhctrl.ocx" << "C:\\Windows\\System32\\hhctrl.ocx";
        QTest::newRow("marker only") << "%SYSTEMROOT%" << "C:\\Windows";
        QTest::newRow("full path") << "D:\\W\\System32\\hhctrl.ocx" << "D:\\W\\System32\\hhctrl.ocx";
        QTest::newRow("eleven characters") << "%SYSTEMROOT" << "%SYSTEMROOT";
        QTest::newRow("not at the start") << "x%SYSTEMROOT%\\hhctrl.ocx" << "x%SYSTEMROOT%\\hhctrl.ocx";
        QTest::newRow("other variable") << "%WINDIR%\\System32\\hhctrl.ocx" << "%WINDIR%\\System32\\hhctrl.ocx";
        QTest::newRow("empty") << "" << "";
    }
    void leadingMarkerBecomesTheWindowsFolder()
    {
        QFETCH(QString, registered);
        QFETCH(QString, expanded);
        QCOMPARE(QString::fromStdString(SystemRootPath::expand(registered.toStdString(), "C:\\Windows")), expanded);
    }
};

QTEST_APPLESS_MAIN(TestSystemRootPath)
#include "tst_systemrootpath.moc"
