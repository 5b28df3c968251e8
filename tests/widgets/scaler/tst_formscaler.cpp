// The proportional form scaler on small hand-built forms: the arithmetic of bounds and
// fonts, the exact return to the design size, labels, and what it leaves alone.
#include "widgets/scaler/ControlScaler.h"
#include "widgets/scaler/FormScaler.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A hidden top-level form of design size 200 x 100.
std::unique_ptr<QWidget> makeForm()
{
    auto form = std::make_unique<QWidget>();
    form->setObjectName(QStringLiteral("Form"));
    form->resize(200, 100);
    return form;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QRect &bounds)
{
    auto *b = new QPushButton(name, parent);
    b->setObjectName(name);
    b->setGeometry(bounds);
    return b;
}

QStringList names(const TFormScaler &scaler)
{
    QStringList out;
    for (const auto &e : scaler.Entries())
        out << e->Control()->objectName();
    return out;
}

} // namespace

class TestFormScaler : public QObject
{
    Q_OBJECT

private slots:
    void scalesBoundsAndFonts_data()
    {
        QTest::addColumn<QRect>("design");
        QTest::addColumn<int>("designFont"); // points, or pixels when negative
        QTest::addColumn<bool>("resizeFonts");
        QTest::addColumn<int>("minFont");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("font");

        const QRect d(10, 20, 30, 15);
        QTest::newRow("twice, fonts scaled")
            << d << 8 << true << 8 << QSize(400, 200) << QRect(20, 40, 60, 30) << 16;
        QTest::newRow("twice, fonts kept")
            << d << 8 << false << 8 << QSize(400, 200) << QRect(20, 40, 60, 30) << 8;
        QTest::newRow("half, 25 gives 12")
            << QRect(25, 20, 30, 15) << 8 << false << 8 << QSize(100, 50) << QRect(12, 10, 15, 8) << 8;
        QTest::newRow("half, 27 gives 14")
            << QRect(27, 20, 30, 15) << 8 << false << 8 << QSize(100, 50) << QRect(14, 10, 15, 8) << 8;
        QTest::newRow("half, font 4 raised to 6 (calculator)")
            << d << 8 << true << 6 << QSize(100, 50) << QRect(5, 10, 15, 8) << 6;
        QTest::newRow("half, font 4 kept (main window)")
            << d << 8 << true << 4 << QSize(100, 50) << QRect(5, 10, 15, 8) << 4;
        QTest::newRow("height doubled only")
            << d << 8 << true << 8 << QSize(200, 200) << QRect(10, 40, 30, 30) << 16;
        QTest::newRow("height doubled, capped at 48")
            << d << 30 << true << 8 << QSize(200, 200) << QRect(10, 40, 30, 30) << 48;
        // 11 px = 8 pt at 96 pixels per inch; 16 pt = 21 px.
        QTest::newRow("pixel font twice")
            << d << -11 << true << 8 << QSize(400, 200) << QRect(20, 40, 60, 30) << -21;
        QTest::newRow("pixel font half, 4 pt raised to 6")
            << d << -11 << true << 6 << QSize(100, 50) << QRect(5, 10, 15, 8) << -8;
    }
    void scalesBoundsAndFonts()
    {
        QFETCH(QRect, design);
        QFETCH(int, designFont);
        QFETCH(bool, resizeFonts);
        QFETCH(int, minFont);
        QFETCH(QSize, window);
        QFETCH(QRect, bounds);
        QFETCH(int, font);

        auto form = makeForm();
        QPushButton *b = addButton(form.get(), QStringLiteral("Button1"), design);
        QFont f(QStringLiteral("Liberation Sans"));
        if (designFont < 0)
            f.setPixelSize(-designFont);
        else
            f.setPointSize(designFont);
        b->setFont(f);

        TFormScaler scaler(form.get());
        scaler.ResizeFonts = resizeFonts;
        scaler.MinFontSize = minFont;
        scaler.CaptureLayout();
        form->resize(window);
        scaler.ApplyLayout();

        QCOMPARE(b->geometry(), bounds);
        if (font < 0)
            QCOMPARE(b->font().pixelSize(), -font);
        else
            QCOMPARE(b->font().pointSize(), font);
    }

    void designSizeRestoresEveryBoundAndFontExactly()
    {
        auto form = makeForm();
        QPushButton *b = addButton(form.get(), QStringLiteral("Button1"), QRect(13, 7, 41, 23));
        QFont f = b->font();
        f.setPixelSize(14); // 10.5 pt: does not survive a trip through points
        b->setFont(f);
        auto *panel = new QWidget(form.get());
        panel->setObjectName(QStringLiteral("Panel1"));
        panel->setGeometry(100, 33, 87, 61);
        QPushButton *inner = addButton(panel, QStringLiteral("Button2"), QRect(3, 5, 77, 19));
        auto *label = new QLabel(QStringLiteral("Text"), form.get());
        label->setObjectName(QStringLiteral("Label1"));
        label->setGeometry(9, 61, 120, 17);

        TFormScaler scaler(form.get());
        scaler.ResizeFonts = true;
        scaler.MinFontSize = 4;
        scaler.CaptureLayout();
        const QList<QWidget *> controls{b, panel, inner, label};
        QList<QRect> bounds;
        QList<QFont> fonts;
        for (QWidget *c : controls) {
            bounds << c->geometry();
            fonts << c->font();
        }
        for (const QSize s : {QSize(274, 137), QSize(122, 61), QSize(200, 200), QSize(333, 91)}) {
            form->resize(s);
            scaler.ApplyLayout();
        }
        form->resize(200, 100);
        scaler.ApplyLayout();

        for (int i = 0; i < 3; ++i) {
            QCOMPARE(controls[i]->geometry(), bounds[i]);
            QCOMPARE(controls[i]->font(), fonts[i]);
        }
        // A label gets back its whole design bounds too, not a fit to its text.
        QCOMPARE(label->geometry(), bounds[3]);
        QCOMPARE(label->font(), fonts[3]);
    }

    // A label fits its text and keeps the edge its text is aligned to where the window's
    // size puts that edge of its design box, however the window got to that size.
    void labelKeepsItsAlignedEdge_data()
    {
        QTest::addColumn<Qt::Alignment>("alignment");
        QTest::addColumn<QList<QSize>>("sizes"); // the last one counts
        QTest::addColumn<int>("edge");           // at 2 x: design box 20..220
        const QList<QSize> direct{QSize(400, 200)};
        const QList<QSize> detour{QSize(150, 75), QSize(300, 150), QSize(400, 200)};
        for (const auto &[name, sizes] : {std::pair{"", direct}, std::pair{", by way of 0.75 and 1.5", detour}}) {
            QTest::addRow("left edge%s", name) << Qt::Alignment(Qt::AlignLeft) << sizes << 20;
            QTest::addRow("right edge%s", name) << Qt::Alignment(Qt::AlignRight) << sizes << 220;
            QTest::addRow("centre%s", name) << Qt::Alignment(Qt::AlignHCenter) << sizes << 120;
        }
    }
    void labelKeepsItsAlignedEdge()
    {
        QFETCH(Qt::Alignment, alignment);
        QFETCH(QList<QSize>, sizes);
        QFETCH(int, edge);
        auto form = makeForm();
        auto *label = new QLabel(QStringLiteral("Abc"), form.get());
        label->setObjectName(QStringLiteral("Label1"));
        label->setAlignment(alignment);
        label->setGeometry(10, 20, 100, 15);
        TFormScaler scaler(form.get());
        scaler.ResizeFonts = true;
        scaler.CaptureLayout();
        QVERIFY(!scaler.Entries().front()->ScalesWidth());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        for (const QSize s : sizes) {
            form->resize(s);
            scaler.ApplyLayout();
        }
        const auto edgeOf = [&] {
            const QRect r = label->geometry();
            if (alignment & Qt::AlignRight) return r.x() + r.width();
            if (alignment & Qt::AlignHCenter) return r.x() + r.width() / 2;
            return r.x();
        };
        QCOMPARE(label->size(), label->sizeHint());
        QVERIFY(label->width() < 100);
        QCOMPARE(label->y(), 40);
        QVERIFY2(std::abs(edgeOf() - edge) <= 1, qPrintable(QString::number(edgeOf())));

        // From then on it follows its text, as a self-sizing label does, about the same edge.
        label->setText(QStringLiteral("A much longer text than before"));
        QTRY_COMPARE(label->size(), label->sizeHint());
        QVERIFY2(std::abs(edgeOf() - edge) <= 1, qPrintable(QString::number(edgeOf())));
    }

    // The floor of a window whose scaler keeps it at least at its design size.
    void windowKeepsItsDesignSizeAsItsMinimum()
    {
        auto form = makeForm();
        TFormScaler scaler(form.get());
        scaler.EnforceMinSize = true;
        scaler.CaptureLayout();
        QCOMPARE(form->minimumSize(), QSize(200, 100));
        form->resize(120, 300);
        scaler.ApplyLayout();
        QCOMPARE(form->size(), QSize(200, 300));
    }

    // Fitting measures a plain label's text once instead of asking QLabel, which lays it out
    // three times; the size must be the one QLabel itself would give.
    void fittedLabelTakesItsSizeHint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<Qt::Alignment>("alignment");
        QTest::addColumn<QMargins>("margins");
        QTest::addColumn<int>("margin");
        QFont bold(QStringLiteral("Liberation Sans"));
        bold.setPixelSize(12);
        bold.setBold(true);
        QFont italic(QStringLiteral("Liberation Sans Narrow"));
        italic.setPixelSize(13);
        italic.setItalic(true);
        const auto left = Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("one line") << "Freeware für Funkamateure." << bold << left << QMargins() << 0;
        QTest::newRow("lines and trailing blanks")
            << "Das Programm berechnet\ndie Parallelschaltung von \nWiderständen." << bold << left
            << QMargins() << 0;
        QTest::newRow("right-aligned") << "© 2016 lumaKvex-Team" << italic
                                       << Qt::Alignment(Qt::AlignRight | Qt::AlignTop) << QMargins() << 0;
        QTest::newRow("centred") << "R gegeben:\n   Für einen Widerstand" << italic
                                 << Qt::Alignment(Qt::AlignCenter) << QMargins() << 0;
        QTest::newRow("ampersand") << "Rges & Rx" << bold << left << QMargins() << 0;
        QTest::newRow("contents margins") << "1024 x 768 Pixel" << bold << left << QMargins(3, 1, 2, 4) << 0;
        QTest::newRow("margin, left to QLabel") << "Hinweise" << bold << left << QMargins() << 2;
        QTest::newRow("rich text, left to QLabel")
            << "<b>fett</b> und normal" << bold << left << QMargins() << 0;
    }
    void fittedLabelTakesItsSizeHint()
    {
        QFETCH(QString, text);
        QFETCH(QFont, font);
        QFETCH(Qt::Alignment, alignment);
        QFETCH(QMargins, margins);
        QFETCH(int, margin);
        auto form = makeForm();
        auto *label = new QLabel(text, form.get());
        label->setFont(font);
        label->setAlignment(alignment);
        label->setContentsMargins(margins);
        label->setMargin(margin);
        label->setGeometry(10, 20, 5, 5);
        TControlScaler::FitToText(label);
        QCOMPARE(label->size(), label->sizeHint());
    }

    // Containers come before their contents; menus, other windows and the parts Qt builds
    // inside its widgets are no controls; the pages of a tab control are.
    void capturesTheWindowsControlsInCreationOrder()
    {
        QMainWindow window;
        window.setObjectName(QStringLiteral("Window"));
        auto *menu = new QMenuBar(&window);
        menu->setObjectName(QStringLiteral("MainMenu"));
        menu->addMenu(QStringLiteral("Hilfe"))->setObjectName(QStringLiteral("Hilfe1"));
        window.setMenuBar(menu);
        auto *central = new QWidget(&window);
        central->setObjectName(QStringLiteral("centralwidget"));
        window.setCentralWidget(central);
        auto *tabs = new QTabWidget(central);
        tabs->setObjectName(QStringLiteral("PageControl1"));
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet1"));
        tabs->addTab(page, QStringLiteral("Seite"));
        addButton(page, QStringLiteral("Button1"), QRect(1, 2, 3, 4));
        addButton(central, QStringLiteral("Button2"), QRect(5, 6, 7, 8));
        auto *other = new QWidget(&window, Qt::Window);
        other->setObjectName(QStringLiteral("OtherWindow"));

        TFormScaler scaler(&window);
        scaler.CaptureLayout();
        QCOMPARE(names(scaler),
                 (QStringList{"centralwidget", "PageControl1", "TabSheet1", "Button1", "Button2"}));
    }

    void leavesAloneWhatItDoesNotManage()
    {
        auto form = makeForm();
        auto *layout = new QVBoxLayout(form.get());
        auto *fill = new QWidget;
        fill->setObjectName(QStringLiteral("Fill"));
        layout->addWidget(fill);
        auto *bottom = new QWidget;
        bottom->setObjectName(QStringLiteral("Bottom"));
        bottom->setFixedHeight(30); // stands on one side of its parent's layout
        layout->addWidget(bottom);
        auto *holder = new QWidget(fill);
        holder->setObjectName(QStringLiteral("Holder"));
        QPushButton *doomed = addButton(holder, QStringLiteral("Doomed"), QRect(1, 1, 10, 10));
        QPushButton *kept = addButton(holder, QStringLiteral("Kept"), QRect(10, 10, 20, 20));
        layout->activate();

        TFormScaler scaler(form.get());
        scaler.CaptureLayout();
        const QRect fillBounds = fill->geometry();
        QPushButton *late = addButton(holder, QStringLiteral("Late"), QRect(5, 5, 5, 5));
        delete doomed;

        // A second capture at another size records nothing new.
        form->resize(400, 200);
        scaler.CaptureLayout();
        QCOMPARE(scaler.DesignSize(), QSize(200, 100));
        QCOMPARE(scaler.Entries().size(), size_t(5));

        scaler.ApplyLayout();
        QCOMPARE(fill->geometry(), fillBounds);
        QCOMPARE(bottom->height(), 60);
        QCOMPARE(kept->geometry(), QRect(20, 20, 40, 40));
        QCOMPARE(late->geometry(), QRect(5, 5, 5, 5));

        form->resize(200, 100);
        scaler.ApplyLayout();
        QCOMPARE(kept->geometry(), QRect(10, 10, 20, 20));
        QCOMPARE(bottom->height(), 30);
    }
};

QTEST_MAIN(TestFormScaler)
#include "tst_formscaler.moc"
