// The built Debian package, unpacked into a temporary folder: what it installs, what it
// depends on, and the unpacked program started through its launcher. Environment (set by
// CTest):
//   LUMAKVEX_DEB          the package
//   LUMAKVEX_APP_ID       the desktop entry's and the software centre entry's id
//   LUMAKVEX_PROBE        the start probe library (StartProbe.cpp)
//   LUMAKVEX_HELP_TOPIC   regular expression for topic 1001, matched against the help
//                         viewer's "<page URL><tab><page title>"; %DIR% stands for the
//                         unpacked program folder
#include "ProgramStart.h"
#include "ShownTexts.h"

#include "app/AppWindows.h"
#include "common/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

namespace {

constexpr int kRunMs = 60000;
[[maybe_unused]] constexpr qint64 kPeakResidentLimitKiB = 50 * 1024;

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &args, const QProcessEnvironment &environment = {})
{
    QProcess p;
    if (!environment.isEmpty()) p.setProcessEnvironment(environment);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(kRunMs)) {
        p.kill();
        p.waitForFinished();
        return {-1, QStringLiteral("%1 did not finish").arg(program)};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

// Why the package depends on none of the packages the files come from; empty when it does.
QString dependsOnNoneOf(const QStringList &files)
{
    const Run owners = run(QStringLiteral("dpkg-query"), QStringList{QStringLiteral("-S")} + files);
    QStringList owning;
    for (const QString &line : owners.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        owning << line.section(QLatin1Char(':'), 0, 0);
    owning.removeDuplicates();
    const Run depends = run(QStringLiteral("dpkg-deb"),
                            {QStringLiteral("-f"), env("LUMAKVEX_DEB"), QStringLiteral("Depends")});
    if (depends.exitCode != 0) return depends.output;
    QStringList named; // without versions and without alternatives
    for (const QString &item : depends.output.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!item.contains(QLatin1Char('|'))) named << item.section(QLatin1Char('('), 0, 0).trimmed();
    if (std::any_of(owning.cbegin(), owning.cend(), [&](const QString &p) { return named.contains(p); }))
        return {};
    return QStringLiteral("none of %1 in: %2").arg(owning.join(QLatin1Char(' ')), depends.output.trimmed());
}

// The font files fontconfig has for a pattern such as ":family=DejaVu Serif:weight=200".
QStringList fontFiles(const QString &pattern)
{
    const Run files = run(QStringLiteral("fc-list"), {QStringLiteral("--format=%{file}\n"), pattern});
    return files.exitCode == 0 ? files.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

// A face of the windows: the family that draws a design font, and its weight and slant.
struct Face
{
    QString family;
    bool bold;
    bool italic;
    bool operator<(const Face &o) const
    {
        return std::tie(family, bold, italic) < std::tie(o.family, o.bold, o.italic);
    }
};

// Every face the five windows draw a text in, also those of labels and cells that are empty
// at start (the matrix's readout, the list's boxes).
std::set<Face> windowFaces()
{
    ProgramStart::createAllWindows();
    std::set<Face> faces;
    for (const char *name : {"Frm_Haupt", "Frm_Kontakt", "Frm_Info", "Frm_Hinweise", "Frm_Wid"})
        for (const ShownTexts::Text &t : ShownTexts::of(ProgramStart::window(name)))
            faces.insert({Fonts::substituteFor(t.font.family()), t.font.bold(), t.font.italic()});
    AppWindows::destroyAll();
    return faces;
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_programFolder;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(env("LUMAKVEX_DEB")), "no package: LUMAKVEX_DEB");
        QVERIFY(m_root.isValid());
        const Run unpack =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), env("LUMAKVEX_DEB"), m_root.path()});
        QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
        m_programFolder = m_root.filePath(QStringLiteral("usr/lib/lumakvex"));
    }

    void installsEachFileInItsPlace_data()
    {
        const QString id = env("LUMAKVEX_APP_ID");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<int>("pixels"); // width and height of a picture
        QTest::newRow("program") << "usr/lib/lumakvex/lumaKvex" << true << 0;
        QTest::newRow("help file beside it") << "usr/lib/lumakvex/lumaKvex.chm" << false << 0;
        QTest::newRow("notes beside it") << "usr/lib/lumakvex/Hinweise.txt" << false << 0;
        QTest::newRow("launcher in the PATH") << "usr/bin/lumakvex" << true << 0;
        QTest::newRow("desktop entry") << "usr/share/applications/" + id + ".desktop" << false << 0;
        QTest::newRow("software centre entry") << "usr/share/metainfo/" + id + ".metainfo.xml" << false << 0;
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size)))
                << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/lumakvex.png").arg(size) << false
                << size;
    }
    void installsEachFileInItsPlace()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        QFETCH(int, pixels);
        const QFileInfo file(m_root.filePath(path));
        QVERIFY2(file.exists() && file.isFile(), qPrintable(path));
        QCOMPARE(file.isExecutable(), executable);
        if (pixels > 0) QCOMPARE(QImageReader(file.filePath()).size(), QSize(pixels, pixels));
    }

    // The desktop's menu finds the program by this entry.
    void desktopEntryStartsTheLauncher_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("command") << "Exec"
                                 << "lumakvex";
        QTest::newRow("icon") << "Icon"
                              << "lumakvex";
        QTest::newRow("menu") << "Categories"
                              << "Education;Electronics;";
    }
    void desktopEntryStartsTheLauncher()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFile file(
            m_root.filePath(QStringLiteral("usr/share/applications/%1.desktop").arg(env("LUMAKVEX_APP_ID"))));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(key + QLatin1Char('=') + value), qPrintable(key));
    }

    void launcherLeadsToTheProgramFolder()
    {
        const QFileInfo launcher(m_root.filePath(QStringLiteral("usr/bin/lumakvex")));
        QVERIFY(launcher.isSymLink());
        // A relative link, so that it holds wherever the package is unpacked.
        QVERIFY(std::filesystem::read_symlink(launcher.filePath().toStdString()).is_relative());
        QCOMPARE(launcher.canonicalFilePath(),
                 QFileInfo(m_programFolder + QStringLiteral("/lumaKvex")).canonicalFilePath());
    }

    void dependenciesAreComputedFromTheLibraries()
    {
        const Run depends = run(QStringLiteral("dpkg-deb"),
                                {QStringLiteral("-f"), env("LUMAKVEX_DEB"), QStringLiteral("Depends")});
        QCOMPARE(depends.exitCode, 0);
        // dpkg-shlibdeps writes each library package with the lowest version it needs.
        for (const char *library :
             {"libc6 (>= ", "libstdc++6 (>= ", "libqt6widgets6 (>= ", "libqt6gui6 (>= "})
            QVERIFY2(depends.output.contains(QLatin1String(library)), qPrintable(depends.output));
    }

    // Without its stand-in fonts the windows' texts are cut, so the package brings along the
    // package of every font the program's own table names.
    void dependsOnTheStandInFonts_data()
    {
        QTest::addColumn<QString>("family");
        for (const QString &family : Fonts::standInFamilies())
            QTest::newRow(qPrintable(family)) << family;
    }
    void dependsOnTheStandInFonts()
    {
        QFETCH(QString, family);
        const QStringList files = fontFiles(QStringLiteral(":family=") + family);
        QVERIFY2(!files.isEmpty(), "the font is not installed here");
        const QString missing = dependsOnNoneOf(files);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    // A family can be there without the bold or italic face a window asks for; Qt then
    // slants or emboldens another face itself, and the text takes another width. Each face
    // the windows draw with is installed here as a face of its own, and the package depends
    // on the package it comes from.
    void dependsOnEveryFaceTheWindowsDrawWith_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        for (const Face &f : windowFaces())
            QTest::addRow("%s%s%s", qPrintable(f.family), f.bold ? " bold" : "", f.italic ? " italic" : "")
                << f.family << f.bold << f.italic;
    }
    void dependsOnEveryFaceTheWindowsDrawWith()
    {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        // fontconfig's weights and slants: regular 80, bold 200; roman 0, italic 100, oblique
        // 110 (which Qt takes where a family has no italic).
        const QString face = QStringLiteral(":family=%1:weight=%2").arg(family).arg(bold ? 200 : 80);
        QStringList files;
        for (const int slant : italic ? QList<int>{100, 110} : QList<int>{0})
            if (files.isEmpty()) files = fontFiles(face + QStringLiteral(":slant=%1").arg(slant));
        QVERIFY2(!files.isEmpty(), "no such face is installed here");
        const QString missing = dependsOnNoneOf(files);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    // Started with no display at all, or with one whose server is gone, the program says so
    // in its own words and ends with an error status, not with Qt's abort.
    void saysSoWhenThereIsNoDisplay_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display") << QString();
        int unused = 4000;
        while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused)))
            ++unused;
        QTest::newRow("display without a server") << QStringLiteral(":%1").arg(unused);
    }
    void saysSoWhenThereIsNoDisplay()
    {
        QFETCH(QString, display);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            e.remove(QLatin1String(name));
        if (!display.isEmpty()) e.insert(QStringLiteral("DISPLAY"), display);
        const Run program = run(m_root.filePath(QStringLiteral("usr/bin/lumakvex")), {}, e);
        QCOMPARE(program.output,
                 QStringLiteral("lumaKvex braucht eine grafische Oberfläche (X11 oder Wayland), "
                                "es wurde aber keine gefunden.\n"));
        QCOMPARE(program.exitCode, 1);
    }

    // The unpacked program finds its help file beside itself through the launcher's link:
    // no start-up box, and the help menu opens topic 1001 from that file. Its memory stays
    // small.
    void startsQuietlyAndOpensItsHelp()
    {
        const QString report = m_root.filePath(QStringLiteral("probe.txt"));
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("LD_PRELOAD"), env("LUMAKVEX_PROBE"));
        e.insert(QStringLiteral("LUMAKVEX_PROBE_REPORT"), report);
        e.insert(QStringLiteral("LUMAKVEX_PROBE_HELP"), QStringLiteral("1"));
        const Run program = run(m_root.filePath(QStringLiteral("usr/bin/lumakvex")), {}, e);
        QVERIFY2(program.exitCode == 0, qPrintable(program.output));

        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList boxes;
        QStringList pages;
        qint64 peakKiB = 0;
        QString end;
        for (const QString &line :
             QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f[0] == QLatin1String("box"))
                boxes << f.mid(1).join(QStringLiteral(": "));
            else if (f[0] == QLatin1String("browser"))
                pages << f.mid(1).join(QLatin1Char('\t'));
            else if (f[0] == QLatin1String("peak_rss_kib"))
                peakKiB = f.value(1).toLongLong();
            else if (f.size() == 1)
                end = f[0];
        }
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(QLatin1Char('\n'))));
        QVERIFY(peakKiB > 0);
#ifndef LUMAKVEX_SANITIZED // the sanitizers' shadow memory is no part of the program's footprint
        QVERIFY2(peakKiB < kPeakResidentLimitKiB, qPrintable(QStringLiteral("peak %1 KiB").arg(peakKiB)));
#endif
        QCOMPARE(end, QStringLiteral("done")); // "no-help-window" when the help menu opened nothing

        const QString topic = env("LUMAKVEX_HELP_TOPIC");
        QVERIFY2(!topic.isEmpty(), "LUMAKVEX_HELP_TOPIC names no page for topic 1001");
        const QRegularExpression expected(
            QString(topic).replace(QStringLiteral("%DIR%"), QRegularExpression::escape(m_programFolder)));
        QVERIFY2(expected.isValid(), qPrintable(expected.errorString()));
        QVERIFY2(!pages.isEmpty(), "no help window showed a page");
        QVERIFY2(expected.match(pages.first()).hasMatch(), qPrintable(pages.first()));
    }
};

QTEST_MAIN(TestPackage)
#include "tst_package.moc"
