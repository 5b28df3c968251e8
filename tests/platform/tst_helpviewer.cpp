#include "platform/ChmArchive.h"
#include "platform/HelpBrowser.h"
#include "platform/HelpViewer.h"
#include "platform/ViewerHelpControl.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

// The viewer that stands in for the system's help control: one window for every
// request, pages only from the help file, a message for whatever cannot be shown.
class TestHelpViewer : public QObject
{
    Q_OBJECT

    ViewerHelpControl m_control;
    const std::string m_file = LUMAKVEX_HELP_FILE;

    static int viewerWindows()
    {
        int count = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<HelpViewer *>(w) && w->isVisible()) ++count;
        return count;
    }

private slots:
    void cleanup() { m_control.closeAll(); }

    void oneWindowServesEveryRequestAndCloseAllClosesIt()
    {
        const std::uintptr_t first = m_control.showContext(m_file, 1001);
        HelpViewer *viewer = m_control.viewer();
        QVERIFY(viewer);
        QCOMPARE(first, reinterpret_cast<std::uintptr_t>(viewer));
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->isWindow());
        QVERIFY(!viewer->parentWidget());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Übersicht"));

        QCOMPARE(m_control.showContext(m_file, 1003), first);
        QCOMPARE(m_control.viewer(), viewer);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Rges gesucht: Liste berechnen"));
        QCOMPARE(viewerWindows(), 1);

        m_control.closeAll();
        QVERIFY(!m_control.viewer());
        QCOMPARE(viewerWindows(), 0);
    }

    void whatCannotBeShownGivesAMessageNamingTheFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<uint>("context");
        QTest::addColumn<QString>("title");
        const QString unreadable = QStringLiteral("Hilfe-Datei nicht lesbar");
        QTest::newRow("unmapped number") << QStringLiteral(LUMAKVEX_HELP_FILE) << 4711u << "Thema nicht gefunden";
        for (const char *name : {"missing.chm", "empty.chm", "header-only.chm", "signature-flipped.chm",
                                 "directory-offset-absurd.chm", "chunk-count-absurd.chm", "chunk-size-absurd.chm",
                                 "truncated-half.chm", "truncated-end.chm", "window-size-absurd.chm",
                                 "reset-table-absurd.chm", "content-bitflips.chm"})
            QTest::newRow(name) << QStringLiteral(LUMAKVEX_TEST_DATA "/") + QLatin1String(name) << 1001u << unreadable;
    }
    void whatCannotBeShownGivesAMessageNamingTheFile()
    {
        QFETCH(QString, file);
        QFETCH(uint, context);
        QFETCH(QString, title);
        m_control.showContext(file.toStdString(), context);
        HelpViewer *viewer = m_control.viewer();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), title);
        const QString page = viewer->Browser->toPlainText();
        QVERIFY2(page.contains(file), qPrintable(page));
        if (context != 1001) QVERIFY(page.contains(QString::number(context)));
    }

    void contentsAndBackForwardMoveBetweenTopics()
    {
        m_control.showContext(m_file, 1001);
        HelpViewer *viewer = m_control.viewer();
        QTreeWidget *contents = viewer->Contents;
        QCOMPARE(contents->topLevelItemCount(), 1);
        QTreeWidgetItem *overview = contents->topLevelItem(0);
        QCOMPARE(overview->text(0), QStringLiteral("Übersicht"));
        QCOMPARE(overview->childCount(), 4);
        QCOMPARE(contents->currentItem(), overview);

        QTreeWidgetItem *table = overview->child(2);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(table).center());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Die E-Reihen-Tabelle"));
        QCOMPARE(contents->currentItem(), table);

        QVERIFY(viewer->BackButton->isEnabled());
        QTest::mouseClick(viewer->BackButton, Qt::LeftButton);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Übersicht"));
        QVERIFY(viewer->ForwardButton->isEnabled());
        QTest::mouseClick(viewer->ForwardButton, Qt::LeftButton);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Die E-Reihen-Tabelle"));

        // A link that leads out of the help file goes nowhere.
        emit viewer->Browser->anchorClicked(QUrl(QStringLiteral("http://example.org/")));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Die E-Reihen-Tabelle"));
        emit viewer->Browser->anchorClicked(QUrl(QStringLiteral("liste.html")));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("lumaKvex Hilfe – Rges gesucht: Liste berechnen"));
    }

    // The help's pictures are wider than the page at the viewer's usual size.
    void aPictureWiderThanThePageIsShownAtThePageWidth_data()
    {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<bool>("fitted");
        QTest::newRow("usual size") << 860 << true;
        QTest::newRow("narrow") << 500 << true;
        QTest::newRow("wide enough") << 1400 << false;
    }
    void aPictureWiderThanThePageIsShownAtThePageWidth()
    {
        QFETCH(int, windowWidth);
        QFETCH(bool, fitted);
        m_control.showContext(m_file, 1001);
        HelpViewer *viewer = m_control.viewer();
        viewer->resize(windowWidth, 600);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        // Another topic in the open window: no resize comes to help.
        m_control.showContext(m_file, 1002);
        HelpBrowser *browser = viewer->Browser;
        QTextDocument *doc = browser->document();

        QTextImageFormat picture;
        for (QTextBlock b = doc->begin(); b.isValid() && picture.name().isEmpty(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) picture = it.fragment().charFormat().toImageFormat();
        QVERIFY(!picture.name().isEmpty());
        const QImage shown = doc->resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>();
        QVERIFY(!shown.isNull());
        const qreal ratio = browser->viewport()->devicePixelRatioF();
        const int width = fitted ? browser->pageWidth() : 760;
        QCOMPARE(qRound(shown.deviceIndependentSize().width()), width);
        QCOMPARE(picture.width() > 0, fitted);
        if (fitted) {
            QCOMPARE(qRound(picture.width()), width);
            // Drawn pixel for pixel: as many picture pixels as device pixels.
            QCOMPARE(shown.width(), qRound(width * ratio));
            QCOMPARE(shown.devicePixelRatio(), ratio);
        }
        QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);
    }

    void resourcesComeOnlyFromTheHelpFile_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("served");
        QTest::newRow("stylesheet in the file") << "chm:/hilfe.css" << true;
        QTest::newRow("relative, in the file") << "hilfe.css" << true;
        QTest::newRow("absent from the file") << "chm:/fehlt.png" << false;
        QTest::newRow("disk file") << QUrl::fromLocalFile(QStringLiteral(LUMAKVEX_HELP_FILE)).toString() << false;
        QTest::newRow("climbing out") << "../../../../../../etc/hostname" << false;
        QTest::newRow("network") << "http://127.0.0.1/x.png" << false;
    }
    void resourcesComeOnlyFromTheHelpFile()
    {
        QFETCH(QString, url);
        QFETCH(bool, served);
        m_control.showContext(m_file, 1001);
        HelpBrowser *browser = m_control.viewer()->Browser;
        const QVariant answer = browser->loadResource(QTextDocument::ImageResource, QUrl(url));
        // Never no answer: the text document would then look on disk itself.
        QVERIFY(answer.isValid());
        QCOMPARE(!answer.toByteArray().isEmpty(), served);

        browser->setHtml(QStringLiteral("<img src=\"%1\">").arg(url));
        QCOMPARE(!browser->document()->resource(QTextDocument::ImageResource, QUrl(url)).toByteArray().isEmpty(), served);
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
