// Every window's surfaces in their design colours, as the user sees them: each window is
// grabbed and the free surface of each panel, page or box (what no child control covers) is
// compared with the colour it was designed with. A palette can read right while the user
// sees another widget's colour or a style's fill.
#include "ProgramStart.h"

#include "app/AppWindows.h"
#include "common/SystemColors.h"

#include <QHash>
#include <QStackedWidget>
#include <QTest>

namespace {

// The colour covering most of the control's free surface, and the share it covers.
struct Dominant
{
    QColor color;
    double share = 0;
};

Dominant dominantFreeColour(QWidget *window, QWidget *control, const QImage &image)
{
    QHash<QRgb, int> counts;
    int total = 0;
    const QRect inner = control->contentsRect();
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const QPoint at = control->mapTo(window, QPoint(x, y));
            QWidget *shown = window->childAt(at);
            if ((shown ? shown : window) != control) continue;
            ++counts[image.pixel(at)];
            ++total;
        }
    Dominant d;
    int best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > best) {
            best = it.value();
            d.color = QColor(it.key());
        }
    d.share = total ? double(best) / total : 0;
    return d;
}

// Brings every tab page between the control and its window to the front.
void bringToFront(QWidget *control)
{
    for (QWidget *w = control; w && !w->isWindow(); w = w->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget())) stack->setCurrentWidget(w);
}

} // namespace

class TestWindowColours : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ProgramStart::createAllWindows(); }

    void cleanupTestCase() { AppWindows::destroyAll(); }

    // One row per surface whose colour the design fixes: window, control (the window's own
    // name for its own surface), colour.
    void freeSurfacesShowTheirDesignColour_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QColor>("colour");
        const auto row = [](const char *window, const char *control, const QColor &colour) {
            QTest::addRow("%s %s", window, control) << QString::fromLatin1(window) << QString::fromLatin1(control)
                                                     << colour;
        };
        using namespace SystemColors;
        row("Frm_Haupt", "centralwidget", system(InactiveBorder));
        row("Frm_Haupt", "ClientArea", system(InactiveBorder));
        row("Frm_Wid", "centralwidget", system(GradientActiveCaption));
        row("Frm_Wid", "TabSheet1", system(BtnFace));
        row("Frm_Wid", "Panel1", system(GradientActiveCaption));
        row("Frm_Wid", "GroupBox1", system(GradientActiveCaption));
        row("Frm_Wid", "Label_gesamt", system(GradientActiveCaption));
        row("Frm_Wid", "TabSheet2", system(BtnFace));
        row("Frm_Wid", "GroupBox2", system(BtnFace));
        row("Frm_Wid", "GroupBox3", system(BtnFace));
        row("Frm_Wid", "Panel2", system(GradientInactiveCaption));
        row("Frm_Wid", "Edit_ges", lime());
        row("Frm_Kontakt", "Frm_Kontakt", system(BtnFace));
        row("Frm_Hinweise", "TabSheet1", system(BtnFace));
        row("Frm_Hinweise", "TabSheet2", system(BtnFace));
        row("Frm_Hinweise", "TabSheet3", system(BtnFace));
    }
    void freeSurfacesShowTheirDesignColour()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QColor, colour);
        QWidget *top = ProgramStart::window(qPrintable(window));
        QVERIFY2(top, qPrintable(window));
        QWidget *surface = control == window ? top : top->findChild<QWidget *>(control);
        QVERIFY2(surface, qPrintable(control));

        top->show();
        bringToFront(surface);
        QVERIFY(QTest::qWaitForWindowExposed(top));
        const QImage image = top->grab().toImage();
        const Dominant d = dominantFreeColour(top, surface, image);
        QVERIFY2(d.share > 0, "no free surface to look at");
        if (d.color != colour) image.save(QStringLiteral("tst_windowcolours_%1_%2.png").arg(window, control));
        QCOMPARE(d.color, colour);
        // Text on a box may cover part of it; a panel's surface is one colour.
        QVERIFY2(d.share >= (surface->inherits("QLabel") ? 0.5 : 1.0),
                 qPrintable(QString::number(d.share)));
        top->hide();
    }
};

QTEST_MAIN(TestWindowColours)
#include "tst_windowcolours.moc"
