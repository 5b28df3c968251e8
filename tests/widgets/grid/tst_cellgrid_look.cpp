// What the grid shows: a window with two grids styled by descriptions like the program's
// (a reference table and the corner of the pair matrix), grabbed to tst_cellgrid_look.png
// in the working directory and checked for the colours, fonts and alignments the
// descriptions give; the grid lines by their options; the drawing steps a derived grid
// replaces.
#include "common/Fonts.h"
#include "common/SystemColors.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QString stored(const QColor &c)
{
    return QString::number(SystemColors::toStored(c));
}

// The E6 / E12 / E24 table: texts, colours, fonts and hints all from the description.
QString referenceTableDescription()
{
    const QStringList e24 =
        QStringLiteral("10 11 12 13 15 16 18 20 22 24 27 30 33 36 39 43 47 51 56 62 68 75 82 91 100")
            .split(u' ');
    const QString grey157 = stored(QColor(157, 157, 157)), grey192 = stored(QColor(192, 192, 192));
    const QString cream = stored(QColor(255, 255, 223)), light = stored(QColor(230, 230, 230));
    const QString pale = stored(QColor(254, 255, 225)), paleRow = stored(QColor(255, 255, 225));
    const QString bold13 = QStringLiteral("6, -2147483640, -13, 'MS Sans Serif', 0, 1");
    const QString blue11 = QStringLiteral("6, 16711680, -11, 'MS Sans Serif', 0, 1");

    QStringList cells = {"0, 0, 'E 6'",  "1, 0, 'E 12'", "2, 0, 'E 24'",
                         "0, 1, '20 %'", "1, 1, '10 %'", "2, 1, '5 %'"};
    QStringList props = {"0, 0, 1, 2, 2, 1, 4, " + grey157 + ", 0, 0",
                         "0, 1, 1, 2, 2, 0, 4, " + grey192 + ", 0, " + bold13 + ", 0",
                         "1, 0, 1, 2, 4, " + grey157 + ", 0, " + bold13 + ", 0",
                         "1, 1, 1, 2, 4, " + grey192 + ", 0, " + bold13 + ", 0",
                         "2, 0, 1, 2, 4, " + grey157 + ", 0, " + bold13 + ", 0",
                         "2, 1, 1, 2, 4, " + grey192 + ", 0, " + bold13 + ", 0"};
    QStringList hints;
    for (int row = 2; row <= 26; ++row) {
        const QString value = e24[row - 2];
        const bool e6 = (row - 2) % 4 == 0, e12 = row % 2 == 0;
        if (e6) {
            cells << QStringLiteral("0, %1, '%2'").arg(row).arg(value);
            const int v = value.toInt();
            hints
                << QStringLiteral("0, %1, ' %2 ... %3 '").arg(row).arg(qRound(v * 0.8)).arg(qRound(v * 1.2));
        }
        if (e12) cells << QStringLiteral("1, %1, '%2'").arg(row).arg(value);
        cells << QStringLiteral("2, %1, '%2'").arg(row).arg(value);
        props << QStringLiteral("0, %1, 4, %2, 0, 0").arg(row).arg(e6 ? cream : light);
        QString col1 = QStringLiteral("1, %1, 4, %2, 0, ").arg(row).arg(e12 ? cream : light);
        if (row == 2) col1 += blue11 + ", ";
        props << col1 + "0";
        if (e12)
            props << QStringLiteral("2, %1, 4, %2, 0, 0").arg(row).arg(cream);
        else if (row % 4 == 3)
            props << QStringLiteral("2, %1, 4, %2, 0, 0").arg(row).arg(pale);
    }
    QStringList rows;
    for (int row = 1; row <= 25; row += 4)
        rows << QStringLiteral("%1, 4, %2, 0, 0").arg(row).arg(paleRow);

    return QStringLiteral(
               "ColCount = 3\nRowCount = 27\nFixedCols = 0\nFixedRows = 2\n"
               "DefaultRowHeight = 20\nColWidths = (56, 56, 58)\n"
               "Options = [goFixedVertLine, goVertLine]\nScrollBars = ssNone\nBorderStyle = bsSingle\n"
               "Color = clBtnFace\nFixedColor = clBtnShadow\nSelectedCellColor = clCream\n"
               "SelectedFontColor = clBlack\nDrawSelection = False\nEditable = False\n"
               "Font.Name = 'MS Sans Serif'\nFont.Height = -11\nFont.Style = [fsBold]\n"
               "Font.Color = clWindowText\n") +
           "Cells = (" + cells.join(", ") + ")\n" + "HintCell = (" + hints.join(", ") + ")\n" +
           "PropCell = (" + props.join(", ") + ")\n" + "PropCol = (0, 1, 2, 0, 1, 1, 2, " + blue11 +
           ", 0, 2, 1, 2, 0)\n" + "PropRow = (" + rows.join(", ") + ")\n";
}

// The top-left corner of the pair matrix: right-aligned numbers in Arial, headers one pixel
// larger, the body in the tooltip colour.
QString pairMatrixCornerDescription()
{
    const QStringList axis = {"1,0", "1,2", "1,5", "1,8", "2,2", "2,7", "3,3"};
    const double value[] = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3};
    QStringList cells = {"0, 0, 'Ohm'"};
    for (int i = 0; i < 7; ++i)
        cells << QStringLiteral("%1, 0, '%2', 0, %1, '%2'").arg(i + 1).arg(axis[i]);
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 5; ++r) {
            const double a = value[c - 1], b = value[r - 1];
            cells << QStringLiteral("%1, %2, '%3'")
                         .arg(c)
                         .arg(r)
                         .arg(QString::number(a * b / (a + b), 'f', 1).replace(u'.', u','));
        }
    const QString header = QStringLiteral("1, 0, 6, -2147483640, -10, 'Arial', 0, 434497536, 0");
    return QStringLiteral(
               "ColCount = 8\nRowCount = 6\nDefaultRowHeight = 15\n"
               "ColWidths = (35, 22, 27, 27, 27, 27, 27, 27)\nBorderStyle = bsNone\nScrollBars = ssNone\n"
               "Color = clInfoBk\nAlignment = alRight\nDrawSelection = False\nEditable = False\n"
               "Font.Name = 'Arial'\nFont.Height = -9\n") +
           "Cells = (" + cells.join(", ") + ")\n" + "PropFixedCol = (0, " + header + ")\n" +
           "PropFixedRow = (0, " + header + ")\n";
}

// The bounding box of what differs from the cell's background inside the cell.
QRect inkBox(const QImage &image, const QRect &cell, const QColor &background)
{
    QRect box;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int d = std::abs(p.red() - background.red()) + std::abs(p.green() - background.green()) +
                          std::abs(p.blue() - background.blue());
            if (d > 90) box |= QRect(x, y, 1, 1);
        }
    return box;
}

// The ink pixel farthest from the background.
QColor strongestInk(const QImage &image, const QRect &cell, const QColor &background)
{
    QColor best = background;
    int bestD = 0;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int d = std::abs(p.red() - background.red()) + std::abs(p.green() - background.green()) +
                          std::abs(p.blue() - background.blue());
            if (d > bestD) best = p, bestD = d;
        }
    return best;
}

// A grid that notes the area each cell was drawn in, and draws cell (2, 2) its own way.
class OwnDrawingGrid : public TCellGrid
{
public:
    QHash<QPoint, QRect> prepared, texts;
    static inline const QColor own{255, 0, 255};

protected:
    void prepareCell(QPainter &p, int col, int row, const QRect &rect, CellState state) override
    {
        prepared[QPoint(col, row)] = rect;
        if (QPoint(col, row) == QPoint(2, 2))
            p.fillRect(rect, own);
        else
            TCellGrid::prepareCell(p, col, row, rect, state);
    }
    void drawCellText(QPainter &p, int col, int row, const QRect &rect, CellState state) override
    {
        texts[QPoint(col, row)] = rect;
        if (QPoint(col, row) != QPoint(2, 2)) TCellGrid::drawCellText(p, col, row, rect, state);
    }
};

} // namespace

class TestCellGridLook : public QObject
{
    Q_OBJECT

    QWidget window;
    TCellGrid *matrix = nullptr;
    TCellGrid *table = nullptr;
    QImage shot;

    // A cell's rectangle in the window image.
    QRect inWindow(TCellGrid *g, int col, int row) const
    {
        return g->CellRect(col, row).translated(g->viewport()->mapTo(&window, QPoint(0, 0)));
    }

private slots:
    void initTestCase()
    {
        SystemColors::applyApplicationLook();
        Fonts::install();
        window.setObjectName(QStringLiteral("Frm_Look"));
        window.resize(440, 560);
        matrix = new TCellGrid(&window);
        matrix->setObjectName(QStringLiteral("Grid1"));
        matrix->setGeometry(8, 8, 232, 100);
        table = new TCellGrid(&window);
        table->setObjectName(QStringLiteral("CellGrid1"));
        table->setGeometry(256, 8, 174, 546);
        QCOMPARE(matrix->loadDescription(pairMatrixCornerDescription(), QStringLiteral("matrix corner")),
                 QString());
        QCOMPARE(table->loadDescription(referenceTableDescription(), QStringLiteral("reference table")),
                 QString());
        // Colours set by window code, as a search does.
        matrix->setCellColor(3, 2, SystemColors::yellow());
        matrix->setCellColor(4, 4, SystemColors::lime());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = QDir::current().absoluteFilePath(QStringLiteral("tst_cellgrid_look.png"));
        QVERIFY(shot.save(file));
        qInfo("grabbed to %s", qPrintable(file));
    }

    void referenceTableColours_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("row 0") << 1 << 0 << QColor(157, 157, 157);
        QTest::newRow("row 1") << 2 << 1 << QColor(192, 192, 192);
        QTest::newRow("E6 value") << 0 << 6 << QColor(255, 255, 223);
        QTest::newRow("E6 gap") << 0 << 7 << QColor(230, 230, 230);
        QTest::newRow("E12 value") << 1 << 8 << QColor(255, 255, 223);
        QTest::newRow("E12 gap") << 1 << 9 << QColor(230, 230, 230);
        QTest::newRow("E24 cell colour") << 2 << 7 << QColor(254, 255, 225);
        QTest::newRow("E24 row colour") << 2 << 9 << QColor(255, 255, 225);
    }
    void referenceTableColours()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QColor, colour);
        const QRect cell = inWindow(table, col, row);
        QCOMPARE(shot.pixelColor(cell.left() + 2, cell.bottom() - 1), colour);
        QCOMPARE(table->model()->data(table->model()->index(row, col), Qt::BackgroundRole).value<QColor>(),
                 colour);
    }

    void referenceTableTextsAreCentredInTheirFonts()
    {
        // "12" in all three columns: centred; blue in the E12 column.
        for (int col = 1; col <= 2; ++col) {
            const QRect cell = inWindow(table, col, 4);
            const QRect ink = inkBox(shot, cell, table->CellColor(col, 4));
            QVERIFY(!ink.isEmpty());
            QVERIFY2(std::abs((ink.left() - cell.left()) - (cell.right() - ink.right())) <= 2, "centred");
            QVERIFY2(ink.top() - cell.top() <= 4, "at the top");
        }
        const QColor e12 = strongestInk(shot, inWindow(table, 1, 4), table->CellColor(1, 4));
        QVERIFY2(e12.blue() > 150 && e12.red() < 100, qPrintable(e12.name()));
        const QColor e24 = strongestInk(shot, inWindow(table, 2, 4), table->CellColor(2, 4));
        QVERIFY2(e24.blue() < 100 && e24.red() < 100, qPrintable(e24.name()));
        // The headers' 13-pixel font stands taller than the 11-pixel body font.
        const int header = inkBox(shot, inWindow(table, 1, 1), table->CellColor(1, 1)).height(); // "10 %"
        const int body = inkBox(shot, inWindow(table, 2, 2), table->CellColor(2, 2)).height();   // "10"
        QVERIFY2(header > body, qPrintable(QStringLiteral("%1 vs %2").arg(header).arg(body)));
        // "E 6" in the toolkit's default font for fixed cells, wrapped; the others in their own.
        QCOMPARE(table->CellFont(0, 0).font().pixelSize(), 11);
        QVERIFY(!table->CellFont(0, 0).font().bold());
        QVERIFY(table->CellFont(1, 0).font().bold());
        QCOMPARE(table->CellFont(1, 0).font().pixelSize(), 13);
        QCOMPARE(table->HintCell(0, 2), QStringLiteral(" 8 ... 12 "));
    }

    void pairMatrixCornerLook()
    {
        // Header cells in the fixed colour, the body in the tooltip colour, two cells coloured.
        const auto at = [this](int col, int row) {
            const QRect cell = inWindow(matrix, col, row);
            return shot.pixelColor(cell.left() + 3, cell.center().y());
        };
        QCOMPARE(at(0, 3), SystemColors::system(SystemColors::BtnFace));
        QCOMPARE(at(2, 3), SystemColors::system(SystemColors::InfoBk));
        QCOMPARE(at(3, 2), SystemColors::yellow());
        QCOMPARE(at(4, 4), SystemColors::lime());
        // Right-aligned body numbers in black.
        const QRect cell = inWindow(matrix, 5, 3);
        const QRect ink = inkBox(shot, cell, matrix->CellColor(5, 3));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(cell.right() - ink.right() <= 4, "right-aligned");
        QVERIFY(ink.left() - cell.left() > cell.right() - ink.right());
        const QColor text = strongestInk(shot, cell, matrix->CellColor(5, 3));
        QVERIFY2(text.red() < 90 && text.green() < 90 && text.blue() < 90, qPrintable(text.name()));
        // Headers one pixel larger than the body.
        QCOMPARE(matrix->CellFont(0, 3).font().pixelSize(), 10);
        QCOMPARE(matrix->CellFont(3, 0).font().pixelSize(), 10);
        QCOMPARE(matrix->CellFont(3, 3).font().pixelSize(), 9);
        QCOMPARE(matrix->CellAlignment(0, 3), alRight);
    }

    // On a 3 x 3 grid with one fixed row and column and 3-pixel lines: each cell draws the
    // line at its right and bottom edge by its own fixedness, and takes the line's space
    // where none is drawn.
    void lineOptionsFollowTheCell_data()
    {
        QTest::addColumn<int>("options");
        using G = TCellGrid;
        QTest::newRow("all") << int(G::goFixedVertLine | G::goFixedHorzLine | G::goVertLine | G::goHorzLine);
        QTest::newRow("body only") << int(G::goVertLine | G::goHorzLine);
        QTest::newRow("fixed only") << int(G::goFixedVertLine | G::goFixedHorzLine);
        QTest::newRow("fixed vertical, body horizontal") << int(G::goFixedVertLine | G::goHorzLine);
        QTest::newRow("none") << 0;
    }
    void lineOptionsFollowTheCell()
    {
        QFETCH(int, options);
        const QColor fixedLine(0, 0, 255), line(255, 0, 0), fixedFill(128, 128, 128);
        OwnDrawingGrid g;
        g.setColCount(3);
        g.setRowCount(3);
        g.setGridLineWidth(3);
        g.setOptions(TCellGrid::GridOptions::fromInt(options));
        g.setDefaultColWidth(30);
        g.setDefaultRowHeight(20);
        g.setColor(Qt::white);
        g.setFixedColor(fixedFill);
        g.setGridLineColor(line);
        g.setFixedLineColor(fixedLine);
        g.setDrawSelection(false);
        g.setScrollBars(TCellGrid::ssNone);
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                g.setCells(c, r, QStringLiteral("x"));
        g.resize(140, 90);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCoreApplication::processEvents();
        const QImage image = g.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);

        const auto has = [options](int option) { return (options & option) != 0; };
        const int vSpace = has(TCellGrid::goFixedVertLine | TCellGrid::goVertLine) ? 3 : 0;
        const int hSpace = has(TCellGrid::goFixedHorzLine | TCellGrid::goHorzLine) ? 3 : 0;
        QCOMPARE(g.CellRect(1, 1).topLeft(), QPoint(30 + vSpace, 20 + hSpace));
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r) {
                const bool fixed = c == 0 || r == 0;
                const bool vert = has(fixed ? TCellGrid::goFixedVertLine : TCellGrid::goVertLine);
                const bool horz = has(fixed ? TCellGrid::goFixedHorzLine : TCellGrid::goHorzLine);
                const QRect cell = g.CellRect(c, r);
                const QRect area = cell.adjusted(0, 0, vert ? 0 : vSpace, horz ? 0 : hSpace);
                const QString at = QStringLiteral("cell %1, %2").arg(c).arg(r);
                QVERIFY2(g.prepared.value(QPoint(c, r)) == area, qPrintable(at));
                QVERIFY2(g.texts.value(QPoint(c, r)) == area, qPrintable(at));
                if (c == 2 && r == 2) continue;
                const QColor fill = fixed ? fixedFill : QColor(Qt::white);
                // The middle of the space right of the cell and below it.
                if (vSpace) {
                    const QColor right = image.pixelColor(cell.right() + 2, cell.center().y());
                    QVERIFY2(right == (vert ? (fixed ? fixedLine : line) : fill), qPrintable(at + " right"));
                }
                if (hSpace) {
                    const QColor below = image.pixelColor(cell.center().x(), cell.bottom() + 2);
                    QVERIFY2(below == (horz ? (fixed ? fixedLine : line) : fill), qPrintable(at + " below"));
                }
            }
        // A derived grid's own steps replace the grid's: its colour, no text.
        const QRect own = g.CellRect(2, 2);
        QVERIFY(inkBox(image, own, OwnDrawingGrid::own).isEmpty());
        QCOMPARE(image.pixelColor(own.center()), OwnDrawingGrid::own);
    }

    // Texts: ampersands shown as such, ellipsis, clipping and word wrap, inset by 2 pixels.
    void textRules()
    {
        TCellGrid g;
        g.setColor(Qt::white);
        g.setFixedCols(0);
        g.setFixedRows(0);
        g.setColCount(3);
        g.setRowCount(2);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(34);
        g.setDrawSelection(false);
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(12);
        g.setFont(f);
        g.setCells(0, 0, QStringLiteral("R&D"));
        g.setCells(1, 0, QStringLiteral("RD"));
        const QString longText = QStringLiteral("WWWWWWWWWWWW");
        g.setCells(0, 1, longText);
        g.TakeProps(TCellGrid::PropTable::Cell, 0, 1).setWordwrap(ww_ellipsis);
        g.setCells(1, 1, longText);
        g.setCells(2, 0, QStringLiteral("several words wrapped"));
        g.TakeProps(TCellGrid::PropTable::Cell, 2, 0).setWordwrap(ww_wordwrap);
        g.TakeProps(TCellGrid::PropTable::Cell, 2, 0).setAlignment(alCenter);
        g.resize(300, 120);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCoreApplication::processEvents();
        const QImage image = g.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto ink = [&](int col, int row) { return inkBox(image, g.CellRect(col, row), Qt::white); };

        QVERIFY2(ink(0, 0).width() > ink(1, 0).width() + 4, "the ampersand is drawn");
        QVERIFY(ink(0, 0).left() - g.CellRect(0, 0).left() >= 2);
        QVERIFY(ink(0, 0).top() - g.CellRect(0, 0).top() <= 6);
        // Too long: clipped at the text rectangle, with or without an ellipsis.
        for (int col = 0; col <= 1; ++col)
            QVERIFY(ink(col, 1).right() <= g.CellRect(col, 1).right() - 2);
        const QRect ellipsis = ink(0, 1), clipped = ink(1, 1);
        QVERIFY2(ellipsis.right() < clipped.right(), "the ellipsis ends before the clipped text");
        // Word wrap: two lines.
        QVERIFY2(ink(2, 0).height() > ink(1, 0).height() + 6, "wrapped onto a second line");
    }
};

QTEST_MAIN(TestCellGridLook)
#include "tst_cellgrid_look.moc"
