#include "BoxAnswerer.h"
#include "FakeHelpControl.h"

#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/HelpHook.h"
#include "app/Hinweise.h"
#include "app/HtmlHelp.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"
#include "common/Fonts.h"
#include "widgets/DekoLabelFill.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestHaupt : public QObject
{
    Q_OBJECT

    QList<BoxAnswerer::Box> m_startupBoxes;
    QStringList m_created;
    bool m_othersExistedDuringMainCreation = true;
    bool m_mainVisibleDuringStartupBox = true;

    QAction *menuAction(QMenu *menu, const QString &name)
    {
        for (QAction *a : menu->actions())
            if (a->objectName() == name) return a;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        AppWindows::setUpApplication();
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        boxes.answer(QStringLiteral("OK"));
        boxes.onBox([this](const BoxAnswerer::Box &) {
            m_othersExistedDuringMainCreation = Frm_Kontakt || Frm_Info || Frm_Hinweise || Frm_Wid;
            m_mainVisibleDuringStartupBox = Frm_Haupt && Frm_Haupt->isVisible();
        });
        QStringList order;
        AppWindows::createAll([this](QWidget *w) {
            // Each window is complete before the next one exists.
            const bool laterExist = (w == Frm_Haupt && Frm_Kontakt) || (w == Frm_Kontakt && Frm_Info) ||
                                    (w == Frm_Info && Frm_Hinweise) || (w == Frm_Hinweise && Frm_Wid);
            m_created << (laterExist ? QStringLiteral("too early: ") : QString()) + w->objectName();
        });
        m_startupBoxes = boxes.seen();
        QCOMPARE(boxes.unexpected(), 0);
    }

    void cleanupTestCase() { AppWindows::destroyAll(); }

    void init()
    {
        for (QWidget *w : QList<QWidget *>{Frm_Kontakt, Frm_Info, Frm_Hinweise, Frm_Wid}) w->hide();
        Frm_Haupt->show();
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Haupt));
    }

    void windowsAreCreatedInOrder()
    {
        QCOMPARE(m_created, (QStringList{"Frm_Haupt", "Frm_Kontakt", "Frm_Info", "Frm_Hinweise", "Frm_Wid"}));
    }

    void startupReportsMissingHelpFile()
    {
        // The test programs' folder holds no help file; the built-in viewer is there.
        QCOMPARE(m_startupBoxes.size(), 1);
        const QString path = TFrm_Haupt::helpFilePath();
        QVERIFY(path.endsWith(QStringLiteral("lumaKvex.chm")));
        QVERIFY(QFileInfo(path).isAbsolute());
        QCOMPARE(QFileInfo(path).absolutePath(), QCoreApplication::applicationDirPath());

        const BoxAnswerer::Box &first = m_startupBoxes[0];
        QCOMPARE(first.title, QStringLiteral("Vexara"));
        QCOMPARE(first.text, QStringLiteral("Hilfe-Datei nicht gefunden in: \n\n") + path);
        QCOMPARE(first.icon, QMessageBox::NoIcon);
        QCOMPARE(first.buttons, QStringList{"OK"});

        QVERIFY(!m_othersExistedDuringMainCreation);
        QVERIFY(!m_mainVisibleDuringStartupBox);
        QVERIFY(Hilfe_Hook);
        QCOMPARE(Hilfe_Hook->helpFile(), path);
        QCOMPARE(Hilfe_Hook->windowDefinition(), QString());
    }

    void startupBoxesFollowFileAndViewer_data()
    {
        QTest::addColumn<QString>("helpFile"); // what lies in the folder under the help file's name
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QStringList>("boxes");
        const QString file = QStringLiteral("Hilfe-Datei nicht gefunden in: ");
        const QString viewer = QStringLiteral("Diese Anwendung erfordert die Installation der MS HTML Help 1.2 oder höher");
        QTest::newRow("file and viewer 4.73") << "file" << true << 4 << 73 << QStringList{};
        QTest::newRow("file and viewer 5.2") << "file" << true << 5 << 2 << QStringList{};
        QTest::newRow("file missing") << "" << true << 4 << 74 << QStringList{file};
        QTest::newRow("viewer 4.72") << "file" << true << 4 << 72 << QStringList{viewer};
        QTest::newRow("viewer 3.99") << "file" << true << 3 << 99 << QStringList{viewer};
        QTest::newRow("viewer not loaded") << "file" << false << 4 << 74 << QStringList{viewer};
        QTest::newRow("neither") << "" << false << 0 << 0 << QStringList{file, viewer};
        QTest::newRow("a folder of that name") << "folder" << true << 4 << 74 << QStringList{file};
    }
    void startupBoxesFollowFileAndViewer()
    {
        QFETCH(QString, helpFile);
        QFETCH(bool, loaded);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QStringList, boxes);
        QTemporaryDir folder;
        if (helpFile == QLatin1String("file"))
            QVERIFY(QFile::copy(QStringLiteral(LUMAKVEX_HELP_FILE), folder.filePath("lumaKvex.chm")));
        if (helpFile == QLatin1String("folder")) QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("lumaKvex.chm")));
        FakeHelpControl control;
        control.loaded = loaded;
        control.version = {quint16(major), quint16(minor), 0, 0};
        HtmlHelp::setControl(&control);
        HtmlHelp::setProgramFolder(QDir::toNativeSeparators(folder.path() + QLatin1Char('/')));
        HtmlHelp::detectVersion();

        THelpHook *const programHook = Hilfe_Hook;
        BoxAnswerer answerer;
        for (qsizetype i = 0; i < boxes.size(); ++i) answerer.answer(QStringLiteral("OK"));
        {
            TFrm_Haupt window;
        }
        Hilfe_Hook = programHook;
        HtmlHelp::setProgramFolder(QString());
        HtmlHelp::setControl(nullptr);
        HtmlHelp::detectVersion();

        QCOMPARE(answerer.unexpected(), 0);
        QStringList seen;
        for (const BoxAnswerer::Box &box : answerer.seen()) seen << box.text.section(QLatin1Char('\n'), 0, 0);
        QCOMPARE(seen, boxes);
    }

    void bothHelpMenusAskForTopic1001_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("item");
        QTest::newRow("main window") << "Frm_Haupt" << "Hilfeaufrufen1";
        QTest::newRow("calculator") << "Frm_Wid" << "HilfezumProgramm1";
    }
    void bothHelpMenusAskForTopic1001()
    {
        QFETCH(QString, window);
        QFETCH(QString, item);
        FakeHelpControl control;
        HtmlHelp::setControl(&control);
        QWidget *w = window == QLatin1String("Frm_Haupt") ? static_cast<QWidget *>(Frm_Haupt) : Frm_Wid;
        w->findChild<QAction *>(item)->trigger();
        HtmlHelp::setControl(nullptr);
        QCOMPARE(control.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(control.calls[0].viewerPath), TFrm_Haupt::helpFilePath());
        QCOMPARE(control.calls[0].context, 1001u);
    }

    void otherWindowsStartHidden()
    {
        QCOMPARE(Frm_Wid->objectName(), QStringLiteral("Frm_Wid"));
        QVERIFY(!Frm_Wid->isVisible());
        QVERIFY(!Frm_Info->isVisible());
        QVERIFY(!Frm_Hinweise->isVisible());
        QVERIFY(!Frm_Kontakt->isVisible());
    }

    // Start-up leaves the hidden windows unstyled; showing one must style all its controls.
    void shownWindowsAreStyledThroughout()
    {
        for (QWidget *window : QList<QWidget *>{Frm_Haupt, Frm_Kontakt, Frm_Info, Frm_Hinweise, Frm_Wid}) {
            window->show();
            QStringList unstyled;
            for (const QWidget *w : window->findChildren<QWidget *>())
                if (!w->isWindow() && !w->testAttribute(Qt::WA_WState_Polished)) unstyled << w->objectName();
            QVERIFY2(unstyled.isEmpty(), qPrintable(window->objectName() + ": " + unstyled.join(", ")));
            if (window != Frm_Haupt) window->hide();
        }
    }

    void mainWindowLooksAsDesigned()
    {
        QCOMPARE(Frm_Haupt->windowTitle(),
                 QStringLiteral("lumaKvex :  Version 3.0 (2015 - 2016)  -  Parallelschaltung von Widerständen (Freeware)"));
        QCOMPARE(Frm_Haupt->windowHandle()->title(), Frm_Haupt->windowTitle());
        const auto *client = Frm_Haupt->findChild<QWidget *>(QStringLiteral("ClientArea"));
        QVERIFY(client);
        QCOMPARE(client->size(), QSize(733, 198));
        QVERIFY(!(Frm_Haupt->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(Frm_Haupt->minimumSize(), Frm_Haupt->maximumSize());
        QVERIFY(!Frm_Haupt->windowIcon().isNull());
    }

    void controlsSitWhereDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("credit") << "Label1" << QRect(16, 16, 140, 16) << "MS Sans Serif" << 13 << true << false;
        QTest::newRow("pair finder") << "Label3" << QRect(16, 68, 290, 64) << "Arial Narrow" << 13 << false << true;
        QTest::newRow("list") << "Label4" << QRect(16, 140, 256, 48) << "Arial Narrow" << 13 << false << true;
        QTest::newRow("logo 1") << "DekoLabelFill4" << QRect(276, -8, 149, 100) << "Comic Sans MS" << 64 << true << true;
        QTest::newRow("logo 2") << "DekoLabelFill2" << QRect(396, 3, 161, 194) << "Georgia" << 160 << true << true;
        QTest::newRow("logo 3") << "DekoLabelFill5" << QRect(564, 99, 157, 86) << "Comic Sans MS" << 64 << true << true;
    }
    void controlsSitWhereDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        auto *w = Frm_Haupt->findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pixelSize(), pixels);
        QCOMPARE(w->font().bold(), bold);
        QCOMPARE(w->font().italic(), italic);
    }

    void descriptionsAndLogoTexts()
    {
        const auto text = [](const char *name) { return Frm_Haupt->findChild<QLabel *>(name)->text(); };
        QCOMPARE(text("Label3"), QStringLiteral("R gegeben:\n   Für einen vorgegebenen Widerstand werden die möglichen\n"
                                                "   Kombiationen von 2 parallelen Widerständen (Reihe E 12)\n   ermittelt. "));
        QCOMPARE(text("Label4"), QStringLiteral("R gesucht:\n   Für bis zu 20 vorgegebenen Widerständen wird der \n"
                                                "   Gesamtwiderstand berechnet."));
        QCOMPARE(text("DekoLabelFill4") + text("DekoLabelFill2") + text("DekoLabelFill5"), QStringLiteral("lumaKvex"));
    }

    // The logo's letters are drawn through images of their filled glyphs; the window must
    // show exactly what filling the glyphs themselves draws: the edge three times, shifted
    // left, right and up, then the fill and the outline.
    void logoLooksAsIfItsGlyphsWereFilled()
    {
        const auto grabbed = [] { return Frm_Haupt->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        QList<DekoLabelFill *> logo;
        for (const char *name : {"DekoLabelFill4", "DekoLabelFill2", "DekoLabelFill5"})
            logo << Frm_Haupt->findChild<DekoLabelFill *>(name);
        const QImage shown = grabbed();
        for (DekoLabelFill *l : logo)
            l->hide();
        QImage expected = grabbed();
        for (DekoLabelFill *l : logo)
            l->show();

        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing);
        for (const DekoLabelFill *l : logo) {
            const QWidget *parent = l->parentWidget();
            p.save();
            p.setClipRect(QRect(l->mapTo(Frm_Haupt, QPoint()), l->size()) &
                          QRect(parent->mapTo(Frm_Haupt, QPoint()), parent->size()));
            p.translate(l->mapTo(Frm_Haupt, QPoint()));
            const QFont font = Fonts::standIn(l->font());
            const QFontMetricsF fm(font);
            const qreal x =
                l->alignment() & Qt::AlignHCenter ? (l->width() - fm.horizontalAdvance(l->text())) / 2 : 0;
            const qreal y = l->alignment() & Qt::AlignVCenter ? (l->height() - fm.height()) / 2 + fm.ascent()
                                                              : fm.ascent();
            QPainterPath path;
            path.addText(QPointF(x, y), font, l->text());
            const qreal b = l->borderWidth();
            for (const QPointF d : {QPointF(-b, 0), QPointF(b, 0), QPointF(0, -b)})
                p.fillPath(path.translated(d), l->borderColor());
            p.fillPath(path, l->glyphFill());
            p.strokePath(path, QPen(l->controlColor(), 1.0));
            p.restore();
        }
        p.end();
        QCOMPARE(shown, expected);
    }

    void menuMatchesDesign()
    {
        auto *bar = Frm_Haupt->findChild<QMenuBar *>(QStringLiteral("MainMenu1"));
        QVERIFY(bar);
        QCOMPARE(bar->actions().size(), 2);
        auto *auswahl = Frm_Haupt->findChild<QMenu *>(QStringLiteral("Berechnung1"));
        auto *hilfe = Frm_Haupt->findChild<QMenu *>(QStringLiteral("Hilfe1"));
        QCOMPARE(bar->actions().at(0), auswahl->menuAction());
        QCOMPARE(bar->actions().at(1), hilfe->menuAction());
        QCOMPARE(auswahl->title(), QStringLiteral("Auswahl"));
        QCOMPARE(hilfe->title(), QStringLiteral("Hilfe"));

        const auto describe = [](QMenu *m) {
            QStringList out;
            for (QAction *a : m->actions())
                out << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(describe(auswahl), (QStringList{"Rgesgegeben1=-", "Rgesgegeben2=Rges gegeben", "Rgesgesucht1=Rges gesucht",
                                                 "N1=-", "Programmbeenden1=Programm beenden"}));
        QCOMPARE(describe(hilfe), (QStringList{"Hinweise=Hinweise", "Info=Info", "Hilfeaufrufen1=Hilfe zum Programm"}));
        // The leading separator must be drawn, not collapsed into the menu's frame.
        QVERIFY(!auswahl->separatorsCollapsible());
        auswahl->adjustSize();
        QVERIFY(auswahl->actionGeometry(auswahl->actions().first()).height() >= 5);
        for (QMenu *m : {auswahl, hilfe})
            for (QAction *a : m->actions()) {
                QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
                QVERIFY2(!a->text().contains(QLatin1Char('&')), qPrintable(a->objectName()));
            }
    }

    void menuOpensCalculatorOnEitherPage()
    {
        auto *tabs = Frm_Wid->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("   Rges gegeben   "));
        QCOMPARE(tabs->tabText(1), QStringLiteral("   Rges gesucht   "));

        Frm_Haupt->findChild<QAction *>(QStringLiteral("Rgesgesucht1"))->trigger();
        QVERIFY(Frm_Wid->isVisible());
        QCOMPARE(tabs->currentIndex(), 1);
        Frm_Haupt->findChild<QAction *>(QStringLiteral("Rgesgegeben2"))->trigger();
        QVERIFY(Frm_Wid->isVisible());
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(Frm_Haupt->isVisible());
    }

    void menuShowsInformationWindows()
    {
        Frm_Haupt->findChild<QAction *>(QStringLiteral("Info"))->trigger();
        QVERIFY(Frm_Info->isVisible());
        Frm_Haupt->findChild<QAction *>(QStringLiteral("Hinweise"))->trigger();
        QVERIFY(Frm_Hinweise->isVisible());
        QVERIFY(Frm_Haupt->isVisible());
    }

    void closingCalculatorKeepsProgramRunning()
    {
        Frm_Haupt->findChild<QAction *>(QStringLiteral("Rgesgegeben2"))->trigger();
        BoxAnswerer boxes;
        Frm_Wid->close();
        QVERIFY(!Frm_Wid->isVisible());
        QVERIFY(Frm_Haupt->isVisible());
        QCOMPARE(boxes.seen().size(), 0);
    }

    void closeAsksFirst_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("close button, Nein") << "close" << "&Nein" << false;
        QTest::newRow("menu, Nein") << "menu" << "&Nein" << false;
        QTest::newRow("close button, Escape") << "close" << "<Escape>" << false;
        QTest::newRow("menu, box closed") << "menu" << "<Close>" << false;
        QTest::newRow("close button, Ja") << "close" << "&Ja" << true;
        QTest::newRow("menu, Ja") << "menu" << "&Ja" << true;
    }
    void closeAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        Frm_Haupt->findChild<QAction *>(QStringLiteral("Rgesgesucht1"))->trigger();
        Frm_Info->show();
        auto *tabs = Frm_Wid->findChild<QTabWidget *>(QStringLiteral("PageControl1"));

        BoxAnswerer boxes;
        boxes.answer(answer);
        if (how == QLatin1String("menu"))
            Frm_Haupt->findChild<QAction *>(QStringLiteral("Programmbeenden1"))->trigger();
        else
            Frm_Haupt->close();

        QCOMPARE(boxes.seen().size(), 1);
        const BoxAnswerer::Box &box = boxes.seen().first();
        QCOMPARE(box.title, QStringLiteral("Bestätigung"));
        QCOMPARE(box.text, QStringLiteral("Wirklich beenden?"));
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, (QStringList{"&Ja", "&Nein"}));
        QCOMPARE(box.defaultButton, QStringLiteral("&Ja"));
        QCOMPARE(box.escapeButton, QStringLiteral("&Nein"));

        QCOMPARE(Frm_Haupt->isVisible(), !closes);
        QCOMPARE(Frm_Wid->isVisible(), !closes);
        QCOMPARE(Frm_Info->isVisible(), !closes);
        if (!closes) QCOMPARE(tabs->currentIndex(), 1);
    }
};

QTEST_MAIN(TestHaupt)
#include "tst_haupt.moc"
