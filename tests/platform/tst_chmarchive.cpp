#include "platform/ChmArchive.h"
#include "platform/ChmContents.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

// The help file as the build makes it, read back through the program's own reader; and
// damaged copies of it, which must be refused or read without harm.
class TestChmArchive : public QObject
{
    Q_OBJECT

    ChmArchive m_help;

private slots:
    void initTestCase() { QVERIFY2(m_help.open(QStringLiteral(LUMAKVEX_HELP_FILE)), qPrintable(m_help.errorString())); }

    void contextNumbersLeadToTheirPages_data()
    {
        QTest::addColumn<uint>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("overview") << 1001u << "/uebersicht.html";
        QTest::newRow("pair finder") << 1002u << "/paarsuche.html";
        QTest::newRow("list") << 1003u << "/liste.html";
        QTest::newRow("reference table") << 1004u << "/referenztabelle.html";
        QTest::newRow("information windows") << 1005u << "/infofenster.html";
        QTest::newRow("not mapped") << 1000u << "";
        QTest::newRow("zero") << 0u << "";
    }
    void contextNumbersLeadToTheirPages()
    {
        QFETCH(uint, context);
        QFETCH(QString, page);
        QCOMPARE(m_help.topicForContext(context), page);
    }

    void fileNamesItsTitleDefaultTopicAndContents()
    {
        QCOMPARE(m_help.title(), QStringLiteral("lumaKvex Hilfe"));
        QCOMPARE(m_help.resolveReference(m_help.defaultTopic()), QStringLiteral("/uebersicht.html"));
        QCOMPARE(m_help.resolveReference(m_help.contentsFile()), QStringLiteral("/inhalt.hhc"));
    }

    // The compiler records the build folder's path in the context map; the archive only
    // knows its own names.
    void referencesMatchByTheArchivesOwnNames_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("name");
        QTest::newRow("as stored") << "/liste.html" << "/liste.html";
        QTest::newRow("without slash") << "liste.html" << "/liste.html";
        QTest::newRow("build path") << "/tmp/x/help/liste.html" << "/liste.html";
        QTest::newRow("Windows build path") << "C:\\Bau\\Hilfe\\Liste.HTML" << "/liste.html";
        QTest::newRow("only the end of a name") << "/tmp/x/kliste.html" << "";
        QTest::newRow("absent") << "/tmp/x/help/fehlt.html" << "";
        QTest::newRow("empty") << "" << "";
    }
    void referencesMatchByTheArchivesOwnNames()
    {
        QFETCH(QString, reference);
        QFETCH(QString, name);
        QCOMPARE(m_help.resolveReference(reference), name);
    }

    void everyLinkOnEveryPageStaysInsideTheFile()
    {
        static const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                             QRegularExpression::CaseInsensitiveOption);
        int pages = 0;
        int links = 0;
        for (const QString &name : m_help.fileNames()) {
            if (!name.endsWith(QLatin1String(".html")) && !name.endsWith(QLatin1String(".hhc"))) continue;
            ++pages;
            QByteArray page;
            QVERIFY2(m_help.read(name, &page), qPrintable(name + QLatin1String(": ") + m_help.errorString()));
            const QString text = QString::fromUtf8(page);
            for (auto it = link.globalMatch(text); it.hasNext();) {
                const QUrl target = QUrl(QStringLiteral("chm:") + name).resolved(QUrl(it.next().captured(1)));
                ++links;
                QVERIFY2(target.scheme() == QLatin1String("chm"), qPrintable(name + QLatin1String(" -> ") + target.toString()));
                QVERIFY2(!m_help.find(target.path()).isEmpty(), qPrintable(name + QLatin1String(" -> ") + target.path()));
            }
            // Table-of-contents entries are links too.
            for (const ChmContents::Entry &entry : ChmContents::parse(page))
                QVERIFY2(!m_help.resolveReference(entry.local).isEmpty(), qPrintable(entry.local));
        }
        QVERIFY(pages >= 6);
        QVERIFY(links >= pages);
    }

    void contentsListTheTopicsInOrder()
    {
        QByteArray sitemap;
        QVERIFY(m_help.read(QStringLiteral("/inhalt.hhc"), &sitemap));
        const QList<ChmContents::Entry> entries = ChmContents::parse(sitemap);
        QCOMPARE(entries.size(), 5);
        QCOMPARE(entries[0].name, QStringLiteral("Übersicht"));
        QCOMPARE(entries[0].depth, 0);
        QCOMPARE(entries[1].local, QStringLiteral("paarsuche.html"));
        QCOMPARE(entries[1].depth, 1);
    }

    void damagedFilesAreRefusedOrReadWithoutHarm_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char *name, bool refused) {
            QTest::newRow(name) << QStringLiteral(LUMAKVEX_TEST_DATA "/") + QLatin1String(name) << refused;
        };
        row("empty.chm", true);
        row("header-only.chm", true);
        row("signature-flipped.chm", true);
        row("directory-offset-absurd.chm", true);
        row("chunk-count-absurd.chm", true);
        row("chunk-size-absurd.chm", true);
        row("truncated-half.chm", true);
        row("truncated-end.chm", true);
        row("directory-bitflips.chm", false);
        row("window-size-absurd.chm", true);
        row("reset-table-absurd.chm", true);
        row("content-bitflips.chm", true);
        row("missing.chm", true);
    }
    void damagedFilesAreRefusedOrReadWithoutHarm()
    {
        QFETCH(QString, file);
        QFETCH(bool, refused);
        ChmArchive archive;
        bool failed = !archive.open(file);
        // Whatever opened is read through entirely: nothing may crash or hang.
        QByteArray contents;
        for (const QString &name : archive.fileNames()) failed |= !archive.read(name, &contents);
        (void)archive.topicForContext(1001);
        QCOMPARE(failed, refused);
        if (failed) QVERIFY(!archive.errorString().isEmpty());
    }

    void sizesBeyondTheLimitsAreRefused()
    {
        ChmArchive archive;
        QVERIFY(!archive.openData(QByteArray(ChmArchive::kMaxArchiveBytes + 1, 'I')));
        QVERIFY(archive.errorString().contains(QStringLiteral("groß")));
    }
};

QTEST_GUILESS_MAIN(TestChmArchive)
#include "tst_chmarchive.moc"
