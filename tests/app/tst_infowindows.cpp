// The info, notes and contact windows through their real controls: sized to the screen,
// the texts they renew when shown, "zurück", the remembered page, the contact link.
#include "BoxAnswerer.h"

#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/Hinweise.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "widgets/AntialiasButton.h"
#include "widgets/DekoLabel.h"

#include <QDesktopServices>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<TInfoForm> makeWindow(const QString &kind, int screenHeight)
{
    if (kind == QLatin1String("info")) return std::make_unique<TFrm_Info>(nullptr, screenHeight);
    if (kind == QLatin1String("notes")) return std::make_unique<TFrm_Hinweise>(nullptr, screenHeight);
    return std::make_unique<TFrm_Kontakt>(nullptr, screenHeight);
}

template <class T = QWidget> T *control(QWidget *window, const QString &name)
{
    T *c = window->findChild<T *>(name);
    if (!c) qFatal("no control %s", qPrintable(name));
    return c;
}

int scaled(int design, double ratio)
{
    return int(std::nearbyint(design * ratio));
}

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestInfoWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TFrm_Info> info;
    std::unique_ptr<TFrm_Hinweise> notes;
    std::unique_ptr<TFrm_Kontakt> contact;

    void showAndWait(QWidget *w)
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

private slots:
    void initTestCase()
    {
        AppWindows::setUpApplication();
        BoxAnswerer boxes; // the help file and viewer are missing here
        boxes.answer(QStringLiteral("OK"));
        boxes.answer(QStringLiteral("OK"));
        Frm_Haupt = new TFrm_Haupt;
        info = std::make_unique<TFrm_Info>(nullptr, 1080);
        notes = std::make_unique<TFrm_Hinweise>(nullptr, 1080);
        contact = std::make_unique<TFrm_Kontakt>(nullptr, 1080);
    }
    void cleanupTestCase()
    {
        contact.reset();
        notes.reset();
        info.reset();
        delete Frm_Haupt;
    }

    // Outer size = screen height x design size / 1080, truncated, on screens from 1080 up;
    // on lower screens the design size, as the fonts keep theirs. The controls follow; only
    // the info window is resizable.
    void sizedToTheScreen_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QRect>("design");
        QTest::addColumn<int>("fontPixels");
        QTest::newRow("info 768") << "info" << 768 << QSize(268, 228) << "AntialiasButton1"
                                  << QRect(136, 152, 89, 25) << 11;
        QTest::newRow("info 1080") << "info" << 1080 << QSize(268, 228) << "AntialiasButton1"
                                   << QRect(136, 152, 89, 25) << 11;
        QTest::newRow("info 1440") << "info" << 1440 << QSize(357, 304) << "AntialiasButton1"
                                   << QRect(136, 152, 89, 25) << 11;
        QTest::newRow("notes 1080") << "notes" << 1080 << QSize(368, 247) << "AntialiasButton2"
                                    << QRect(240, 172, 89, 25) << 12;
        QTest::newRow("notes 1440") << "notes" << 1440 << QSize(490, 329) << "AntialiasButton2"
                                    << QRect(240, 172, 89, 25) << 12;
        QTest::newRow("contact 768") << "contact" << 768 << QSize(383, 166) << "AntialiasButton1"
                                     << QRect(240, 124, 89, 25) << 11;
    }
    void sizedToTheScreen()
    {
        QFETCH(QString, kind);
        QFETCH(int, screenHeight);
        QFETCH(QSize, size);
        QFETCH(QString, button);
        QFETCH(QRect, design);
        QFETCH(int, fontPixels);
        const auto w = makeWindow(kind, screenHeight);
        QCOMPARE(w->size(), size);
        QCOMPARE(w->minimumSize() == w->maximumSize(), kind != QLatin1String("info"));
        if (kind == QLatin1String("notes")) control<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(1);
        showAndWait(w.get());

        const QSize designSize = makeWindow(kind, 1080)->size();
        const double wr = size.width() / double(designSize.width());
        const double hr = size.height() / double(designSize.height());
        auto *b = control<AntialiasButton>(w.get(), button);
        QCOMPARE(b->geometry(), QRect(scaled(design.x(), wr), scaled(design.y(), hr),
                                      scaled(design.width(), wr), scaled(design.height(), hr)));
        QCOMPARE(b->font().pixelSize(), fontPixels);
    }

    // Renewed at every showing; labels take the size of their text.
    void textsSetWhenShown_data()
    {
        QTest::addColumn<QWidget *>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        const QString credit = QStringLiteral("© 2016 lumaKvex-Team");
        QTest::newRow("info credit") << static_cast<QWidget *>(info.get()) << "Version 3.0  Info"
                                     << "Label4" << credit;
        const QString notesTitle =
            QStringLiteral("lumaKvex :  Parallelschaltung von Widerständen (Freeware)");
        QTest::newRow("notes credit")
            << static_cast<QWidget *>(notes.get()) << notesTitle << "Label4" << credit;
        QTest::newRow("notes version") << static_cast<QWidget *>(notes.get()) << notesTitle << "Label5"
                                       << "Programmversion Version 3.0 ";
        QTest::newRow("notes resolution")
            << static_cast<QWidget *>(notes.get()) << notesTitle << "Label_Schirm"
            << TFrm_Hinweise::ResolutionText(QGuiApplication::primaryScreen()->geometry().size());
    }
    void textsSetWhenShown()
    {
        QFETCH(QWidget *, window);
        QFETCH(QString, title);
        QFETCH(QString, label);
        QFETCH(QString, text);
        auto *l = control<QLabel>(window, label);
        l->setText(QStringLiteral("x"));
        window->setWindowTitle(QStringLiteral("x"));
        showAndWait(window);
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(l->text(), text);
        QCOMPARE(l->size(), l->sizeHint());
        window->hide();
    }

    void resolutionLabelFollowsTheScreen()
    {
        QCOMPARE(TFrm_Hinweise::ResolutionText(QSize(1920, 1080)),
                 QStringLiteral("vorhandene Bildschirmauflösung: 1920 x 1080 Pixel"));
        showAndWait(notes.get());
        auto *l = control<QLabel>(notes.get(), "Label_Schirm");
        l->setText(QStringLiteral("x"));
        QScreen *screen = notes->screen();
        emit screen->geometryChanged(screen->geometry());
        QCOMPARE(l->text(), TFrm_Hinweise::ResolutionText(screen->geometry().size()));
        notes->hide();
    }

    // The program folder holds what the installation page lists: the executable by its
    // real file name.
    void installationTextNamesTheRunningExecutable()
    {
#ifdef Q_OS_WIN
        const QString executable = QStringLiteral("tst_infowindows.exe");
#else
        const QString executable = QStringLiteral("tst_infowindows");
#endif
        QVERIFY(control<QLabel>(notes.get(), "Label7")
                    ->text()
                    .endsWith(QStringLiteral("Zum Programmumfang gehören: \"") + executable +
                              QStringLiteral("\", \n\"lumaKvex.chm\" und \"Hinweise.txt\".")));
    }

    // "zurück" hides the info and contact windows; in the notes window each of the three
    // brings the main window to the front and leaves the notes open.
    void zurueck_data()
    {
        QTest::addColumn<QWidget *>("window");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("info") << static_cast<QWidget *>(info.get()) << -1 << "AntialiasButton1" << false;
        QTest::newRow("contact") << static_cast<QWidget *>(contact.get()) << -1 << "AntialiasButton1"
                                 << false;
        QTest::newRow("notes, Copyright")
            << static_cast<QWidget *>(notes.get()) << 0 << "AntialiasButton3" << true;
        QTest::newRow("notes, Installation")
            << static_cast<QWidget *>(notes.get()) << 1 << "AntialiasButton2" << true;
        QTest::newRow("notes, Haftung")
            << static_cast<QWidget *>(notes.get()) << 2 << "AntialiasButton1" << true;
    }
    void zurueck()
    {
        QFETCH(QWidget *, window);
        QFETCH(int, page);
        QFETCH(QString, button);
        QFETCH(bool, staysOpen);
        Frm_Haupt->hide();
        if (page >= 0) control<QTabWidget>(window, "PageControl1")->setCurrentIndex(page);
        showAndWait(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));

        QTest::mouseClick(control(window, button), Qt::LeftButton);
        QCOMPARE(window->isVisible(), staysOpen);
        QCOMPARE(Frm_Haupt->isVisible(), staysOpen);
        if (staysOpen) QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(Frm_Haupt));
        window->hide();
    }

    void notesOpenOnHaftungThenOnTheLastPage()
    {
        TFrm_Hinweise fresh(nullptr, 1080);
        auto *pages = control<QTabWidget>(&fresh, "PageControl1");
        showAndWait(&fresh);
        QCOMPARE(pages->currentIndex(), 2);
        QCOMPARE(pages->tabText(2), QStringLiteral(" Haftung "));
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
        fresh.hide();
        showAndWait(&fresh);
        QCOMPARE(pages->currentIndex(), 0);
    }

    void contactLinkOpensInTheBrowser()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        showAndWait(contact.get());
        auto *link = control<DekoLabel>(contact.get(), "DekoSimpleLabel2");
        QTest::mouseClick(link, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(link->link())});
        QCOMPARE(link->text(), QUrl(link->link()).host());
        contact->hide();
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
