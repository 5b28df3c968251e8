#include "BoxAnswerer.h"
#include "FakeHelpControl.h"

#include "app/HelpHook.h"
#include "app/HelpTrace.h"
#include "app/HtmlHelp.h"
#include "common/HelpRequest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The help hook between the application's help requests and the help control, and the
// trace it writes. The control is a fake that records what it is asked.
class TestHelpHook : public QObject
{
    Q_OBJECT

    FakeHelpControl m_control;

    static QString readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    static bool writeFile(const QString &path, const QByteArray &text)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Vexara"));
        HtmlHelp::setControl(&m_control);
    }

    void init()
    {
        m_control.reset();
        HtmlHelp::detectVersion();
    }

    void hookAnswersEachCommand_data()
    {
        QTest::addColumn<uint>("command");
        QTest::addColumn<bool>("viewerCalled");
        QTest::addColumn<bool>("callHelp");
        QTest::newRow("HELP_CONTEXT") << 1u << true << false;
        QTest::newRow("HELP_CONTEXTPOPUP") << 8u << true << false;
        QTest::newRow("HELP_SETPOPUP_POS") << 13u << false << false;
        QTest::newRow("HELP_QUIT") << 2u << false << true;
        QTest::newRow("HELP_FINDER") << 11u << false << true;
        QTest::newRow("unknown") << 4711u << false << true;
    }
    void hookAnswersEachCommand()
    {
        QFETCH(uint, command);
        QFETCH(bool, viewerCalled);
        QFETCH(bool, callHelp);
        THelpHook hook(QStringLiteral("/prog/lumaKvex.chm"), QString(), THelpHook::HostHtmlHelpApi);
        bool call = !callHelp;
        QVERIFY(hook.HelpHook(command, 1001, call));
        QCOMPARE(call, callHelp);
        QCOMPARE(m_control.calls.size(), std::size_t(viewerCalled ? 1 : 0));
        if (viewerCalled) {
            QCOMPARE(m_control.calls[0].viewerPath, std::string("/prog/lumaKvex.chm"));
            QCOMPARE(m_control.calls[0].context, 1001u);
            QCOMPARE(m_control.broughtToFront, std::vector<std::uintptr_t>{m_control.window});
        }
    }

    void hookTakesOverRequestsAndGivesThemBack()
    {
        int previousCalls = 0;
        HelpRequest::setHandler([&previousCalls](quint32, quintptr, bool &) { return bool(++previousCalls); });
        {
            THelpHook hook(QStringLiteral("/prog/lumaKvex.chm"), QString(), THelpHook::HostHtmlHelpApi);
            QVERIFY(HelpRequest::showTopic(1001));
            QCOMPARE(previousCalls, 0);
            QCOMPARE(m_control.calls.size(), std::size_t(1));
            QCOMPARE(m_control.closeAllCount, 0);
        }
        QCOMPARE(m_control.closeAllCount, 1);
        QVERIFY(HelpRequest::showTopic(1001));
        QCOMPARE(previousCalls, 1);
        QCOMPARE(m_control.calls.size(), std::size_t(1));
        HelpRequest::setHandler({});
    }

    void viewerGetsTheCleanedPath_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("viewerPath");
        QTest::newRow("folder a%20b") << "/prog/a%20b/lumaKvex.chm" << "" << "/prog/a b/lumaKvex.chm";
        QTest::newRow("blanks at the ends") << " %20/prog/lumaKvex.chm%20 " << "" << "/prog/lumaKvex.chm";
        QTest::newRow("window definition") << "/prog/lumaKvex.chm" << "main" << "main>/prog/lumaKvex.chm";
        QTest::newRow("definition cleaned too") << "/prog/lumaKvex.chm" << " %20main%20" << "main>/prog/lumaKvex.chm";
        QTest::newRow("definition only blanks") << "/prog/lumaKvex.chm" << "%20" << "/prog/lumaKvex.chm";
    }
    void viewerGetsTheCleanedPath()
    {
        QFETCH(QString, file);
        QFETCH(QString, definition);
        QFETCH(QString, viewerPath);
        QCOMPARE(HtmlHelp::HtmlHelpContext(file, 1001, definition, THelpHook::HostHtmlHelpApi), 0);
        QCOMPARE(m_control.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(m_control.calls[0].viewerPath), viewerPath);
    }

    void aFolderReallyNamedWithPercent20IsTakenAsItStands()
    {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("a%20b")));
        const QString file = program.filePath(QStringLiteral("a%20b/lumaKvex.chm"));
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        QCOMPARE(HtmlHelp::HtmlHelpContext(file, 1001, QString(), THelpHook::HostHtmlHelpApi), 0);
        QCOMPARE(QString::fromStdString(m_control.calls.at(0).viewerPath), file);
    }

    void noViewerInstalledSaysSo_data()
    {
        QTest::addColumn<bool>("versionReadable");
        QTest::addColumn<bool>("entryPoint");
        QTest::newRow("no version") << false << true;
        QTest::newRow("version but no entry point") << true << false;
    }
    void noViewerInstalledSaysSo()
    {
        QFETCH(bool, versionReadable);
        QFETCH(bool, entryPoint);
        if (!versionReadable) m_control.version = {};
        m_control.entryPoint = entryPoint;
        HtmlHelp::detectVersion();
        QCOMPARE(HtmlHelp::status().installed, versionReadable);

        THelpHook hook(QStringLiteral("/prog/lumaKvex.chm"), QString(), THelpHook::HostHtmlHelpApi);
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        QVERIFY(HelpRequest::showTopic(1001));
        QCOMPARE(m_control.calls.size(), std::size_t(0));
        QCOMPARE(boxes.seen().size(), 1);
        const BoxAnswerer::Box &box = boxes.seen()[0];
        QCOMPARE(box.text, QStringLiteral("MS Html Help is not installed on this PC."));
        QCOMPARE(box.title, QStringLiteral("Vexara"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QStringList{"OK"});
    }

    void versionTextJoinsTheFourNumbers()
    {
        m_control.version = {4, 74, 8702, 3};
        HtmlHelp::detectVersion();
        QCOMPARE(HtmlHelp::status().versionText, QStringLiteral("4.74.8702.3"));
        QCOMPARE(HtmlHelp::status().controlPath, QStringLiteral("fake/hhctrl.ocx"));
        QVERIFY(HtmlHelp::status().installed);
    }

    void traceFollowsItsSwitches_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("switchFile");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("on");
        QTest::newRow("off") << QStringList{"prog"} << false << true << false;
        QTest::newRow("switch file") << QStringList{"prog"} << true << true << true;
        QTest::newRow("/DEBUG") << QStringList{"prog", "/DEBUG"} << false << true << true;
        QTest::newRow("-Debug") << QStringList{"prog", "x", "-Debug"} << false << true << true;
        QTest::newRow("program name only") << QStringList{"-debug"} << false << true << false;
        QTest::newRow("other argument") << QStringList{"prog", "--debug"} << false << true << false;
        QTest::newRow("folder not writable, off") << QStringList{"prog"} << false << false << false;
        QTest::newRow("folder not writable, on") << QStringList{"prog", "-debug"} << false << false << true;
    }
    void traceFollowsItsSwitches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, switchFile);
        QFETCH(bool, folderWritable);
        QFETCH(bool, on);
        QTemporaryDir program;
        QTemporaryDir temp;
        // A folder that cannot be written to: it does not exist.
        const QString folder = folderWritable ? program.path() : program.filePath(QStringLiteral("fehlt"));
        const QString traceFolder = folderWritable ? program.path() : temp.path();
        const QString trace = QDir(traceFolder).filePath(QStringLiteral("HHDebug.txt"));
        QFile old(trace);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old trace\n");
        old.close();
        if (switchFile) QFile(program.filePath(QStringLiteral("debug.debug"))).open(QIODevice::WriteOnly);

        HelpTrace::start(folder, arguments, temp.path());
        QCOMPARE(HelpTrace::isOn(), on);
        QCOMPARE(HelpTrace::filePath(), trace);
        QVERIFY(!QFile::exists(QDir(traceFolder).filePath(QStringLiteral("$_Temp_$.$$$"))));
        {
            THelpHook hook(QStringLiteral("/prog/lumaKvex.chm"), QString(), THelpHook::HostHtmlHelpApi);
            HelpRequest::showTopic(1001);
        }
        const QString text = readFile(trace);
        HelpTrace::start(program.path(), {}, temp.path()); // off again for the other tests

        QVERIFY(!text.contains(QStringLiteral("old trace")));
        if (!on) {
            QVERIFY(!QFile::exists(trace) || text.isEmpty());
            return;
        }
        const QStringList steps{QStringLiteral("THelpHook created"), QStringLiteral("HelpHook: HELP_CONTEXT (1)"),
                                QStringLiteral("HtmlHelpContext: file \"/prog/lumaKvex.chm\", context 1001"),
                                QStringLiteral("viewer called"), QStringLiteral("HtmlHelpShowError: 0"),
                                QStringLiteral("HtmlHelpCloseAll"), QStringLiteral("THelpHook destroyed")};
        qsizetype at = text.indexOf(QStringLiteral("Qt:")); // after the header
        QVERIFY(at > 0);
        for (const QString &step : steps) {
            const qsizetype next = text.indexOf(step, at);
            QVERIFY2(next > at, qPrintable(step + QLatin1String("\n") + text));
            at = next;
        }
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\n\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  THelpHook created"))));
    }

    // The probe must not harm whatever already carries its name, nor leave anything behind.
    void probeLeavesTheFolderAsItWas_data()
    {
        QTest::addColumn<QString>("there");
        QTest::newRow("nothing of that name") << "";
        QTest::newRow("a file of the user's") << "file";
#ifndef Q_OS_WIN // Windows' links are made with a privilege; Wine makes none (README, "Windows")
        QTest::newRow("a link to another file") << "link";
        QTest::newRow("a dangling link") << "dangling";
#endif
    }
    void probeLeavesTheFolderAsItWas()
    {
        QFETCH(QString, there);
        QTemporaryDir program;
        QTemporaryDir elsewhere;
        const QString probe = program.filePath(QStringLiteral("$_Temp_$.$$$"));
        const QString target = elsewhere.filePath(QStringLiteral("target"));
        QVERIFY(writeFile(there == QLatin1String("file") ? probe : target, "keep me\n"));
        if (there == QLatin1String("link")) QVERIFY(QFile::link(target, probe));
        if (there == QLatin1String("dangling"))
            QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("gone")), probe));
        const auto listing = [&] {
            return QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        };
        const QStringList before = listing();

        HelpTrace::start(program.path(), {}, elsewhere.path());

        // Judged writable all the same: the trace would go into the program's folder.
        QCOMPARE(HelpTrace::filePath(), program.filePath(QStringLiteral("HHDebug.txt")));
        QCOMPARE(listing(), before);
        QCOMPARE(readFile(there == QLatin1String("file") ? probe : target), QStringLiteral("keep me\n"));
        if (there == QLatin1String("link") || there == QLatin1String("dangling")) QVERIFY(QFileInfo(probe).isSymLink());
        QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("gone"))));
    }

    void traceFallsBackToAFolderOfTheUsersOwn_data()
    {
        QTest::addColumn<QString>("stateHome"); // "<tmp>" stands for a folder of the test's
        QTest::addColumn<QString>("folder");
#ifdef Q_OS_WIN
        QTest::newRow("local application data") << "-" << qEnvironmentVariable("LOCALAPPDATA") + "\\lumaKvex";
#else
        QTest::newRow("XDG_STATE_HOME absolute") << "<tmp>/state" << "<tmp>/state/lumakvex";
        QTest::newRow("XDG_STATE_HOME relative") << "state" << "<tmp>/home/.local/state/lumakvex";
        QTest::newRow("XDG_STATE_HOME empty") << "" << "<tmp>/home/.local/state/lumakvex";
        QTest::newRow("XDG_STATE_HOME unset") << "-" << "<tmp>/home/.local/state/lumakvex";
#endif
    }
    void traceFallsBackToAFolderOfTheUsersOwn()
    {
        QFETCH(QString, stateHome);
        QFETCH(QString, folder);
        QTemporaryDir tmp;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldState = qgetenv("XDG_STATE_HOME");
        const bool hadState = qEnvironmentVariableIsSet("XDG_STATE_HOME");
        qputenv("HOME", QFile::encodeName(tmp.filePath(QStringLiteral("home"))));
        if (stateHome == QLatin1String("-")) qunsetenv("XDG_STATE_HOME");
        else qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.replace(QLatin1String("<tmp>"), tmp.path())));
        const QString fallback = HelpTrace::fallbackFolder();
        qputenv("HOME", oldHome);
        if (hadState) qputenv("XDG_STATE_HOME", oldState);
        else qunsetenv("XDG_STATE_HOME");

        folder.replace(QLatin1String("<tmp>"), tmp.path());
        QCOMPARE(fallback, folder);
        // The program's folder cannot be written to: it does not exist.
        HelpTrace::start(tmp.filePath(QStringLiteral("fehlt")), {QStringLiteral("prog"), QStringLiteral("-debug")}, fallback);
        HelpTrace::line(QStringLiteral("step"));
        const QString trace = QDir(folder).filePath(QStringLiteral("HHDebug.txt"));
        QCOMPARE(HelpTrace::filePath(), trace);
        QVERIFY(readFile(trace).contains(QStringLiteral("  step")));
#ifndef Q_OS_WIN // there the user's own folder keeps others out by its inherited access list
        QCOMPARE(QFileInfo(folder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo(trace).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
#endif
        HelpTrace::start(tmp.path(), {}, fallback); // off again for the other tests
        QVERIFY(!QFile::exists(trace));
#ifdef Q_OS_WIN
        QDir().rmdir(folder); // the user's real folder
#endif
    }

    // A link where the trace goes is neither written through nor deleted: whoever planted
    // it must not get another file emptied or filled.
    void traceDoesNotFollowALink_data()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows' links are made with a privilege, and Wine makes none (README, \"Windows\")");
#endif
        QTest::addColumn<bool>("programFolderWritable");
        QTest::newRow("in the program's folder") << true;
        QTest::newRow("in the fallback folder") << false;
    }
    void traceDoesNotFollowALink()
    {
        QFETCH(bool, programFolderWritable);
        QTemporaryDir program;
        QTemporaryDir fallback;
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath(QStringLiteral("victim"));
        QVERIFY(writeFile(victim, "keep me\n"));
        const QString link = QDir(programFolderWritable ? program.path() : fallback.path()).filePath(QStringLiteral("HHDebug.txt"));
        QVERIFY(QFile::link(victim, link));

        const QString folder = programFolderWritable ? program.path() : program.filePath(QStringLiteral("fehlt"));
        HelpTrace::start(folder, {QStringLiteral("prog"), QStringLiteral("-debug")}, fallback.path());
        HelpTrace::line(QStringLiteral("step"));
        HelpTrace::start(folder, {}, fallback.path());

        QCOMPARE(readFile(victim), QStringLiteral("keep me\n"));
        QVERIFY(QFileInfo(link).isSymLink());
    }
};

QTEST_MAIN(TestHelpHook)
#include "tst_helphook.moc"
