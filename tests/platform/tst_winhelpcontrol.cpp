#include "platform/WinHelpControl.h"

#include <QFileInfo>
#include <QSettings>
#include <QTest>

// The system's HTML Help control as Windows has it registered and installed (Windows only;
// here it runs under Wine, whose control and registry it reads).
class TestWinHelpControl : public QObject
{
    Q_OBJECT

    static QString lower(const std::string &path) { return QString::fromStdString(path).toLower(); }

private slots:
    // Read here through Qt's own registry access, %SystemRoot% expanded from the environment.
    void registeredPathIsTheControlOfTheClass()
    {
        const QSettings key(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32"),
                            QSettings::NativeFormat);
        QString expected = key.value(QStringLiteral("Default")).toString();
        QVERIFY(!expected.isEmpty());
        expected.replace(QStringLiteral("%SystemRoot%"), qEnvironmentVariable("SystemRoot"), Qt::CaseInsensitive);
        QVERIFY2(QFileInfo::exists(expected), qPrintable(expected));
        QCOMPARE(lower(WinHelpControl::registeredPath()), expected.toLower());
        WinHelpControl control;
        QCOMPARE(lower(control.controlPath()), expected.toLower());
    }

    void fileVersionComesFromTheFile_data()
    {
        QTest::addColumn<QString>("file"); // "control" stands for the control's path
        QTest::addColumn<bool>("versioned");
        QTest::newRow("the control") << "control" << true;
        QTest::newRow("a file without version") << QFINDTESTDATA("tst_winhelpcontrol.cpp") << false;
        QTest::newRow("no file") << QStringLiteral("C:\\nowhere\\hhctrl.ocx") << false;
    }
    void fileVersionComesFromTheFile()
    {
        QFETCH(QString, file);
        QFETCH(bool, versioned);
        WinHelpControl control;
        const std::string path = file == QLatin1String("control") ? control.controlPath() : file.toStdString();
        const HelpControl::Version v = control.fileVersion(path);
        if (!versioned) {
            QCOMPARE(v.major + v.minor + v.build + v.subBuild, 0);
            return;
        }
        // What the program asks for: 4.73 or later.
        QVERIFY2(v.major > 4 || (v.major == 4 && v.minor >= 73), qPrintable(QStringLiteral("%1.%2").arg(v.major).arg(v.minor)));
    }

    void loadingFindsTheEntryPointAndUnloadingGivesItUp()
    {
        WinHelpControl control;
        control.load();
        QVERIFY(control.isLoaded());
        QVERIFY(control.hasEntryPoint());
        control.closeAll(); // nothing open: nothing happens
        control.unload();
        QVERIFY(!control.isLoaded());
        QVERIFY(!control.hasEntryPoint());
    }
};

QTEST_APPLESS_MAIN(TestWinHelpControl)
#include "tst_winhelpcontrol.moc"
