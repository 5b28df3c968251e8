// The windows on the screens people have: each one opens inside the screen's available area,
// shrunk to fit where it must, every text label as wide as its text and inside its window,
// every turned value box showing its text whole, every picture drawn for the screen's pixels,
// and resizable windows stop at the size they opened with. The calculator opens with its
// matrix at the end the first search scrolled it to, and the list's markers stand at the new
// slot after resistors are stored, also once the window has been resized.
//
// Each screen runs in a process of its own, as the offscreen platform takes its screens from
// a file read at start. Started as `tst_screens -inspect` without a screen of the offscreen
// platform, the child inspects the program on the desktop it is in (the Wayland tests).
#include "OffscreenScreens.h"
#include "ProgramStart.h"

#include "app/AppWindows.h"
#include "calc/WidTabelle.h"
#include "widgets/DekoBackPanel.h"
#include "widgets/DekoLabelRotated.h"
#include "widgets/NumberEdit.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"
#include "widgets/scaler/ControlScaler.h"
#include "widgets/scaler/FormScaler.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char kInspect[] = "-inspect";
const char kScreenVariable[] = "LUMAKVEX_TEST_SCREEN";
// What the child does to the calculator window before it stores resistors in the list.
const char kEnlarged[] = "enlarged";
const char kEnlargedAndBack[] = "enlarged-and-back";

QByteArray screenConfig(const QByteArray &screen)
{
    return R"({ "windowFrameMargins": true, "screens": [ )" + screen + " ] }";
}

QString describe(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The grid's lines inside its body as the window draws them, where the grid stands in it: of
// the lines down (met going across the first shown row) and of those across (going down the
// first shown column). Lines of one width must come out equally wide at every scale, and
// between them every pixel is a cell's; empty when they do.
QString lineFaults(TCellGrid *grid, QWidget *window)
{
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = image.devicePixelRatio();
    const QRgb line = grid->GridLineColor().rgb();
    // The header's line may reach a device pixel into the first cell.
    QSet<QRgb> cells{grid->Color().rgb(), grid->FixedLineColor().rgb()};
    for (int col = grid->LeftCol(); col < grid->ColCount(); ++col)
        for (int row = grid->TopRow(); row < grid->RowCount(); ++row)
            cells.insert(grid->CellColor(col, row).rgb());
    const QRect cell =
        grid->CellRect(grid->LeftCol(), grid->TopRow()).translated(grid->viewport()->mapTo(window, QPoint()));
    if (cell.isEmpty()) return QStringLiteral("no cell shown");
    const QRect body =
        QRect(cell.topLeft(), grid->viewport()->mapTo(window, grid->viewport()->rect().bottomRight()));
    // The device pixel that holds the middle of a pixel.
    const auto device = [dpr](int pixel) { return int(std::floor((pixel + 0.5) * dpr)); };
    QStringList stray;
    const auto widths = [&](QPoint at, QPoint step, int end) {
        QList<int> found;
        int run = 0;
        for (; (step.x() ? at.x() : at.y()) < end; at += step) {
            const QRgb pixel = image.pixel(at);
            if (pixel == line) {
                ++run;
                continue;
            }
            if (run > 0) found << run;
            run = 0;
            if (!cells.contains(pixel) && stray.size() < 3)
                stray << QStringLiteral("%1,%2 %3").arg(at.x()).arg(at.y()).arg(QColor(pixel).name());
        }
        return found; // a line cut by the edge is not counted
    };
    // One pixel into the cell, above and left of its text.
    const QList<int> down =
        widths({device(cell.left()), device(cell.top() + 1)}, {1, 0}, device(body.right()));
    const QList<int> across =
        widths({device(cell.left() + 1), device(cell.top())}, {0, 1}, device(body.bottom()));
    const QList<int> all = down + across;
    const bool equal = std::all_of(all.cbegin(), all.cend(), [&](int w) { return w == all[0]; });
    if (!down.isEmpty() && !across.isEmpty() && equal && stray.isEmpty()) return {};
    const auto list = [](const QList<int> &l) {
        QStringList t;
        for (int w : l)
            t << QString::number(w);
        return t.join(QLatin1Char(' '));
    };
    return QStringLiteral("lines down %1, across %2; between them %3")
        .arg(list(down), list(across),
             stray.isEmpty() ? QStringLiteral("only cells") : stray.join(QStringLiteral(", ")));
}

// Every fault of a window as it stands, one line each.
QStringList faultsOf(QWidget *window, const QString &what)
{
    QStringList faults;
    const QRect area = window->screen()->availableGeometry();
    // Under Wayland the compositor places the windows and tells nobody where: there the frame
    // must fit the area.
    const bool placed = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const QRect frame = window->frameGeometry();
    if (placed ? !area.contains(frame) : frame.width() > area.width() || frame.height() > area.height())
        faults << what + QStringLiteral(": frame ") + describe(frame) + QStringLiteral(" outside ") +
                      describe(area);
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!TControlScaler::IsLabel(label) || !label->isVisibleTo(window) || label->text().isEmpty()) continue;
        const QRect r(label->mapTo(window, QPoint()), label->size());
        const QString name = what + QLatin1Char(' ') + label->objectName();
        if (!label->wordWrap() && label->width() < TControlScaler::TextSize(label).width())
            faults << name + QStringLiteral(" narrower than its text: ") + describe(r);
        if (!window->rect().contains(r)) faults << name + QStringLiteral(" outside its window: ") + describe(r);
    }
    for (DekoLabelRotated *box : window->findChildren<DekoLabelRotated *>()) {
        if (!box->isVisibleTo(window) || box->text().isEmpty()) continue;
        const int length = QFontMetrics(box->fittedFont()).horizontalAdvance(box->text());
        if (length > box->height())
            faults << what + QLatin1Char(' ') + box->objectName() + QStringLiteral(" cuts \"") + box->text() +
                          QStringLiteral("\": %1 pixels long in %2").arg(length).arg(box->height());
    }
    // A picture drawn for fewer device pixels than the screen has is stretched by the painter.
    const qreal ratio = window->devicePixelRatioF();
    const auto sharp = [&](const QWidget *w, const QPixmap &picture) {
        if (!picture.isNull() && picture.devicePixelRatio() != ratio)
            faults << what + QLatin1Char(' ') + w->objectName() +
                          QStringLiteral(" shows a picture for ratio %1 on a screen of ratio %2")
                              .arg(picture.devicePixelRatio())
                              .arg(ratio);
    };
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisibleTo(window)) sharp(label, label->pixmap());
    for (DekoBackPanel *panel : window->findChildren<DekoBackPanel *>())
        if (panel->isVisibleTo(window)) sharp(panel, panel->picture());
    for (TCellGrid *grid : window->findChildren<TCellGrid *>()) {
        const auto both = TCellGrid::goVertLine | TCellGrid::goHorzLine;
        if (!grid->isVisibleTo(window) || (grid->Options() & both) != both) continue;
        const QString lines = lineFaults(grid, window);
        if (!lines.isEmpty())
            faults << what + QLatin1Char(' ') + grid->objectName() + QStringLiteral(" draws its ") + lines;
    }
    // A table without scroll bars has no other way to show a text than to have it inside.
    for (TCellGrid *grid : window->findChildren<TCellGrid *>()) {
        if (grid->ScrollBars() != TCellGrid::ssNone || !grid->isVisibleTo(window)) continue;
        const QAbstractItemModel *model = grid->model();
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int col = 0; col < grid->ColCount(); ++col) {
                const QModelIndex cell = model->index(row, col);
                const QString text = cell.data(Qt::DisplayRole).toString();
                if (text.trimmed().isEmpty()) continue;
                const QRect r = grid->CellRect(col, row);
                const int width = QFontMetrics(cell.data(Qt::FontRole).value<QFont>()).horizontalAdvance(text);
                const int align = cell.data(Qt::TextAlignmentRole).toInt();
                const int left = align & Qt::AlignLeft ? r.left()
                                 : align & Qt::AlignRight ? r.right() + 1 - width
                                                          : r.left() + (r.width() - width) / 2;
                if (r.isEmpty() || r.bottom() >= grid->viewport()->height() ||
                    left + width > grid->viewport()->width())
                    faults << what + QLatin1Char(' ') + grid->objectName() + QStringLiteral(" cuts \"") + text +
                                  QStringLiteral("\" at ") + describe(r) + QStringLiteral(" in ") +
                                  describe(grid->viewport()->rect());
            }
    }
    return faults;
}

template <class T> T *control(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// The first search leaves the matrix at its bottom-right end for the wanted value 73,0: the
// last row and column of values in view, wholly.
QStringList matrixFaults(QWidget *calculator)
{
    auto *grid = control<TCellGrid>(calculator, "Grid1");
    const QScrollBar *h = grid->horizontalScrollBar();
    const QScrollBar *v = grid->verticalScrollBar();
    const QRect last = grid->CellRect(49, 43);
    if (h->value() == h->maximum() && v->value() == v->maximum() && !last.isEmpty() &&
        grid->viewport()->rect().contains(last))
        return {};
    return {QStringLiteral("Frm_Wid Grid1 opens scrolled to %1 of %2 and %3 of %4, its last cell at %5 in %6")
                .arg(h->value())
                .arg(h->maximum())
                .arg(v->value())
                .arg(v->maximum())
                .arg(describe(last), describe(grid->viewport()->rect()))};
}

// Stores three resistors as a user does, the widest value the entry field takes among them,
// and looks where the new slot's markers stand: number, "(neu)" and arrow over the grey
// picture, and that picture after the third resistor.
QStringList listFaults(QWidget *calculator)
{
    auto *pages = control<QTabWidget>(calculator, "PageControl1");
    pages->setCurrentIndex(1);
    auto *edit = control<TNumberEdit>(calculator, "Edit_R");
    auto *ok = control<QAbstractButton>(calculator, "Btn_Neu");
    for (const QString &value :
         {QStringLiteral("4700"), QStringLiteral("1234567,89"), QString(30, QLatin1Char('9'))}) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, value);
        ok->click();
    }
    // Whatever the texts and moves asked for is done before anyone looks.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    QStringList faults;
    const auto name = [](const QWidget *w) { return QStringLiteral("Frm_Wid ") + w->objectName(); };
    auto *slot = control<QLabel>(calculator, "Image21");
    auto *third = control<QLabel>(calculator, "Image3");
    auto *number = control<QLabel>(calculator, "Label16");
    auto *tag = control<QLabel>(calculator, "Label17");
    if (!third->isVisibleTo(calculator) || number->text() != QLatin1String("4") ||
        tag->text() != QLatin1String("(neu)"))
        faults << QStringLiteral("Frm_Wid: three resistors not stored (new slot \"%1\" \"%2\")")
                      .arg(number->text(), tag->text());
    if (slot->x() <= third->x() + third->width() / 2)
        faults << name(slot) + QStringLiteral(" at %1, not after %2 at %3")
                                   .arg(slot->x())
                                   .arg(third->objectName())
                                   .arg(third->x());
    for (QWidget *marker : {static_cast<QWidget *>(number), static_cast<QWidget *>(tag),
                            static_cast<QWidget *>(control<QLabel>(calculator, "Image23"))}) {
        const int centre = marker->geometry().center().x();
        if (centre < slot->x() || centre > slot->geometry().right())
            faults << name(marker) + QStringLiteral(" at %1, not over %2 at %3")
                                         .arg(describe(marker->geometry()), slot->objectName(),
                                              describe(slot->geometry()));
    }
    return faults;
}

// The child's work: start the program, open every window and page, report what is wrong.
// `resize` says what becomes of the calculator before resistors are stored.
int inspect(const QString &resize)
{
    ProgramStart::createAllWindows();
    QStringList faults;
    const auto look = [&](QWidget *window, const QString &what) {
        faults << faultsOf(window, what);
    };
    for (const char *name : {"Frm_Haupt", "Frm_Wid", "Frm_Info", "Frm_Hinweise", "Frm_Kontakt"}) {
        QWidget *w = ProgramStart::window(name);
        w->show();
        if (!QTest::qWaitForWindowExposed(w)) faults << QString::fromLatin1(name) + " not shown";
        const bool calculator = w == Frm_Wid;
        if (calculator) faults << matrixFaults(w);
        const QSize opened = w->size();
        if (auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))) {
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                look(w, QStringLiteral("%1 page %2").arg(name).arg(i));
            }
        } else {
            look(w, QString::fromLatin1(name));
        }
        // A resizable window stops at the size it opened with: its design size or the size
        // that fits the screen.
        if (w->minimumSize() != w->maximumSize()) {
            w->resize(1, 1);
            if (w->size() != opened)
                faults << QStringLiteral("%1 made %2x%3, opened at %4x%5")
                              .arg(name)
                              .arg(w->width())
                              .arg(w->height())
                              .arg(opened.width())
                              .arg(opened.height());
            w->resize(opened);
        }
        if (calculator) {
            if (resize == QLatin1String(kEnlarged) || resize == QLatin1String(kEnlargedAndBack)) {
                w->resize(opened * 5 / 4);
                QCoreApplication::processEvents();
            }
            if (resize == QLatin1String(kEnlargedAndBack)) {
                w->resize(opened);
                QCoreApplication::processEvents();
            }
            faults << listFaults(w);
            look(w, QStringLiteral("Frm_Wid with resistors"));
        }
        if (w != ProgramStart::window("Frm_Haupt")) w->hide();
    }
    std::fputs(qPrintable(faults.join(QLatin1Char('\n'))), stdout);
    AppWindows::destroyAll();
    return faults.isEmpty() ? 0 : 1;
}

} // namespace

class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowFitsTheScreen_data()
    {
        QTest::addColumn<QByteArray>("screen");
        QTest::addColumn<QString>("resize"); // of the calculator, before resistors are stored
        // 120 dots per inch make Qt scale by 1.25: a logical screen of 1093 x 614.
        const auto screen = [](int width, int height, int dpi) {
            return QStringLiteral(R"({ "name": "s", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": %3 })")
                .arg(width)
                .arg(height)
                .arg(dpi)
                .toUtf8();
        };
        QTest::newRow("1920 x 1080") << screen(1920, 1080, 96) << QString();
        QTest::newRow("1366 x 768") << screen(1366, 768, 96) << QString();
        QTest::newRow("1024 x 768") << screen(1024, 768, 96) << QString();
        QTest::newRow("1366 x 768 at 125 %") << screen(1366, 768, 120) << QString();
        QTest::newRow("1920 x 1080 at 150 %") << screen(1920, 1080, 144) << QString();
        QTest::newRow("1920 x 1080 at 200 %") << screen(1920, 1080, 192) << QString();
        QTest::newRow("1920 x 1080, calculator enlarged") << screen(1920, 1080, 96) << QString(kEnlarged);
        QTest::newRow("1920 x 1080, calculator enlarged and back")
            << screen(1920, 1080, 96) << QString(kEnlargedAndBack);
        QTest::newRow("1024 x 768, calculator enlarged and back")
            << screen(1024, 768, 96) << QString(kEnlargedAndBack);
    }
    void everyWindowFitsTheScreen()
    {
        QFETCH(QByteArray, screen);
        QFETCH(QString, resize);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kScreenVariable), QString::fromUtf8(screen));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kInspect), resize});
        QVERIFY(child.waitForFinished(120000));
        const QString faults = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        QCOMPARE(child.exitCode(), 0);
    }

    // Back at its design size, the calculator has every control where it was designed,
    // whatever sizes it passed through; on both tabs.
    void calculatorReturnsToItsDesignLayout_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Rges gegeben") << 0;
        QTest::newRow("Rges gesucht") << 1;
    }
    void calculatorReturnsToItsDesignLayout()
    {
        QFETCH(int, page);
        if (!Frm_Wid) ProgramStart::createAllWindows();
        Frm_Wid->show();
        Frm_Wid->showPage(page);
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Wid));
        const QSize design = Frm_Wid->size();
        QList<QRect> bounds;
        for (const auto &e : Frm_Wid->FormScaler1->Entries()) bounds << e->Control()->geometry();

        // Below its minimum only for this trip: the scaler's arithmetic is what is tried.
        Frm_Wid->setMinimumSize(0, 0);
        for (const double ratio : {0.75, 1.5, 1.0}) {
            Frm_Wid->resize((QSizeF(design) * ratio).toSize());
            QCoreApplication::processEvents();
        }
        Frm_Wid->setMinimumSize(design);
        QCOMPARE(Frm_Wid->size(), design);
        int i = 0;
        for (const auto &e : Frm_Wid->FormScaler1->Entries()) {
            QWidget *c = e->Control();
            QVERIFY2(c->geometry() == bounds[i], qPrintable(c->objectName() + QLatin1String(": ") +
                                                            describe(c->geometry()) + QLatin1String(" for ") +
                                                            describe(bounds[i])));
            ++i;
        }
        Frm_Wid->hide();
    }

    void cleanupTestCase() { AppWindows::destroyAll(); }
};

int main(int argc, char **argv)
{
    const bool child = argc > 1 && qstrcmp(argv[1], kInspect) == 0;
    const QByteArray screen = child ? qgetenv(kScreenVariable)
                                    : R"({ "name": "s", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96 })";
    QTemporaryFile config;
    if (!screen.isEmpty() && !OffscreenScreens::use(config, screenConfig(screen))) return 2;
    QApplication app(argc, argv);
    if (child) return inspect(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    TestScreens test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screens.moc"
