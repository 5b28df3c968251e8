// The alignment grid's tables, how a cell's look is resolved from them, the model that shows
// the cells, its geometry (hidden rows and columns, scrolling to the current cell, hit
// testing), its drawing, the structure changes that carry properties with their cells and
// the signals of size changes.
#include "common/SystemColors.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor red(255, 0, 0), green(0, 128, 0), blue(0, 0, 255), grey(128, 128, 128), teal(0, 128, 128);

QColor modelColor(const TCellGrid &g, int col, int row, int role)
{
    return g.model()->data(g.model()->index(row, col), role).value<QColor>();
}

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

class TestCellGrid : public QObject
{
    Q_OBJECT

private slots:
    // ---- resolving a cell's look

    void backgroundResolution_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("expected");
        // The grid has 1 fixed column and row, Color white and FixedColor grey.
        QTest::newRow("unwritten cell: grid colour") << "" << 2 << 2 << QColor(Qt::white);
        QTest::newRow("unwritten fixed cell: fixed colour") << "" << 0 << 2 << grey;
        QTest::newRow("column brush") << "col" << 2 << 2 << red;
        QTest::newRow("row brush") << "row" << 2 << 2 << green;
        QTest::newRow("column beats row") << "col+row" << 2 << 2 << red;
        QTest::newRow("cell beats column") << "col+row+cell" << 2 << 2 << blue;
        QTest::newRow("fixed cell ignores column and row") << "col+row" << 2 << 0 << grey;
        QTest::newRow("fixed column table") << "col+row+fixedcol" << 2 << 0 << teal;
        QTest::newRow("fixed row table") << "col+row+fixedrow" << 2 << 0 << QColor(Qt::yellow);
        QTest::newRow("fixed column beats fixed row") << "fixedcol+fixedrow" << 2 << 0 << teal;
        QTest::newRow("fixed tables do not reach normal cells")
            << "fixedcol+fixedrow" << 2 << 2 << QColor(Qt::white);
    }
    void backgroundResolution()
    {
        QFETCH(QString, setup);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QColor, expected);
        TCellGrid g;
        g.setColor(Qt::white);
        g.setFixedColor(grey);
        const QStringList parts = setup.split(u'+', Qt::SkipEmptyParts);
        const auto brush = [](const QColor &c) { return TMyBrush(TStoredColor::fromColor(c)); };
        if (parts.contains("col")) g.TakeProps(TCellGrid::PropTable::Col, 2).setBrush(brush(red));
        if (parts.contains("row")) g.TakeProps(TCellGrid::PropTable::Row, 2).setBrush(brush(green));
        if (parts.contains("cell")) g.setCellColor(2, 2, blue);
        if (parts.contains("fixedcol")) g.TakeProps(TCellGrid::PropTable::FixedCol, 2).setBrush(brush(teal));
        if (parts.contains("fixedrow"))
            g.TakeProps(TCellGrid::PropTable::FixedRow, 0).setBrush(brush(Qt::yellow));
        QCOMPARE(g.CellColor(col, row), expected);
        QCOMPARE(modelColor(g, col, row, Qt::BackgroundRole), expected);
    }

    void alignmentWordwrapAndEditableResolveEachOnTheirOwn()
    {
        TCellGrid g;
        QCOMPARE(g.CellAlignment(2, 2), alLeft);
        QCOMPARE(g.CellWordwrap(2, 2), ww_none);
        QVERIFY(g.CellEditable(2, 2));
        g.setAlignment(alDefault);
        g.setWordwrap(ww_default);
        QCOMPARE(g.CellAlignment(2, 2), alLeft);
        QCOMPARE(g.CellWordwrap(2, 2), ww_none);

        g.TakeProps(TCellGrid::PropTable::Row, 2).setAlignment(alCenter);
        g.TakeProps(TCellGrid::PropTable::Col, 2).setWordwrap(ww_ellipsis);
        g.TakeProps(TCellGrid::PropTable::Cell, 2, 2).setEditable(ed_readonly);
        QCOMPARE(g.CellAlignment(2, 2), alCenter); // the column has no alignment: the row's
        QCOMPARE(g.CellWordwrap(2, 2), ww_ellipsis);
        QVERIFY(!g.CellEditable(2, 2));
        g.TakeProps(TCellGrid::PropTable::Col, 2).setAlignment(alRight);
        QCOMPARE(g.CellAlignment(2, 2), alRight);
        QCOMPARE(g.model()->data(g.model()->index(2, 2), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignTop));

        g.setEditable(false);
        g.TakeProps(TCellGrid::PropTable::Col, 3).setEditable(ed_editable);
        QVERIFY(g.CellEditable(3, 2));
        QVERIFY(!g.CellEditable(4, 2));
        QVERIFY(g.model()->flags(g.model()->index(2, 3)) & Qt::ItemIsEditable);
        QVERIFY(!(g.model()->flags(g.model()->index(2, 4)) & Qt::ItemIsEditable));
    }

    void fixedCellsUseFixedFontUnlessTheyHaveOne()
    {
        TCellGrid g;
        QFont body(QStringLiteral("Arial"));
        body.setPixelSize(9);
        g.setFont(body);
        QCOMPARE(g.CellFont(0, 0).font().pixelSize(), 11); // the fixed font
        QCOMPARE(g.CellFont(0, 0).name(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(g.CellFont(2, 2).font().pixelSize(), 9);
        const TMyFont bold(TStoredColor(SystemColors::toStored(blue)), -13, QStringLiteral("Arial"), 0,
                           fsBold);
        g.TakeProps(TCellGrid::PropTable::Col, 0).setFont(bold); // normal column table: not for fixed cells
        QCOMPARE(g.CellFont(0, 0).font().pixelSize(), 11);
        g.TakeProps(TCellGrid::PropTable::FixedCol, 0).setFont(bold);
        QCOMPARE(g.CellFont(0, 0).font().pixelSize(), 13);
        QVERIFY(g.CellFont(0, 0).font().bold());
        const QModelIndex corner = g.model()->index(0, 0);
        QCOMPARE(g.model()->data(corner, Qt::FontRole).value<QFont>().pixelSize(), 13);
        QCOMPARE(g.model()->data(corner, Qt::ForegroundRole).value<QColor>(), blue);
    }

    void selectedColoursUseColumnAndRowTablesEvenForFixedCells()
    {
        TCellGrid g;
        QCOMPARE(g.CellSelectedColor(2, 2), SystemColors::system(SystemColors::ActiveCaption));
        QCOMPARE(g.CellSelectedFontColor(2, 2), QColor(Qt::white));
        g.TakeProps(TCellGrid::PropTable::Col, 2).setSelectedBrush(TMyBrush(TStoredColor::fromColor(red)));
        g.TakeProps(TCellGrid::PropTable::FixedCol, 2)
            .setSelectedBrush(TMyBrush(TStoredColor::fromColor(blue)));
        QCOMPARE(g.CellSelectedColor(2, 0), red);
        QCOMPARE(g.CellSelectedColor(2, 3), red);
    }

    void cellColorOfAnUnwrittenCell()
    {
        TCellGrid g;
        g.setColor(SystemColors::system(SystemColors::InfoBk));
        QCOMPARE(g.CellColor(3, 3), SystemColors::system(SystemColors::InfoBk));
        QCOMPARE(g.CellColor(0, 3), SystemColors::system(SystemColors::BtnFace));
        QVERIFY(!g.Props(TCellGrid::PropTable::Cell, 3, 3)); // reading creates nothing
    }

    void cellColorWriteLeavesARecordWithABrush()
    {
        TCellGrid g;
        g.setColor(Qt::white);
        g.setCellColor(2, 2, Qt::white); // even the grid's own colour
        const TCellProperties *rec = g.Props(TCellGrid::PropTable::Cell, 2, 2);
        QVERIFY(rec && rec->brush());
        QCOMPARE(rec->brush()->color(), QColor(Qt::white));
        QCOMPARE(rec->brush()->style(), bsSolid);
        // A column colour no longer shows through.
        g.TakeProps(TCellGrid::PropTable::Col, 2).setBrush(TMyBrush(TStoredColor::fromColor(red)));
        QCOMPARE(g.CellColor(2, 2), QColor(Qt::white));
        // A brush of its own keeps its style; only the colour changes.
        g.TakeProps(TCellGrid::PropTable::Cell, 3, 3)
            .setBrush(TMyBrush(TStoredColor::fromColor(red), bsCross));
        g.setCellColor(3, 3, blue);
        QCOMPARE(g.Props(TCellGrid::PropTable::Cell, 3, 3)->brush()->style(), bsCross);
        QCOMPARE(g.CellColor(3, 3), blue);
    }

    void manyWritesRepaintAndNotifyOnceAfterTheHandler()
    {
        TCellGrid g;
        g.setColCount(54);
        g.setRowCount(47);
        g.resize(400, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCoreApplication::processEvents();
        PaintCounter counter(g.viewport());
        QSignalSpy changed(g.model(), &QAbstractItemModel::dataChanged);
        for (int c = 1; c <= 49; ++c)
            for (int r = 1; r <= 43; ++r)
                g.setCellColor(c, r, (c + r) % 2 ? red : green);
        g.setCells(1, 1, QStringLiteral("x"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(counter.paints, 0);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(counter.paints, 1);
        const QModelIndex last = g.model()->index(46, 53);
        QCOMPARE(changed.first().at(1).value<QModelIndex>(), last);

        // Writing the text a cell already has changes nothing and repaints nothing.
        g.setCells(1, 1, QStringLiteral("x"));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(counter.paints, 1);
    }

    // ---- the model

    void modelShowsEveryCellIncludingFixedOnes()
    {
        TCellGrid g;
        g.setColCount(3);
        g.setRowCount(27);
        g.setFixedCols(0);
        g.setFixedRows(2);
        QCOMPARE(g.model()->columnCount(), 3);
        QCOMPARE(g.model()->rowCount(), 27);
        g.setCells(0, 0, QStringLiteral("E 6"));
        g.setHintCell(0, 2, QStringLiteral("   8 ... 12   "));
        QCOMPARE(g.model()->data(g.model()->index(0, 0)).toString(), QStringLiteral("E 6"));
        QCOMPARE(g.model()->data(g.model()->index(2, 0), Qt::ToolTipRole).toString(),
                 QStringLiteral("   8 ... 12   "));
        QVERIFY(!g.model()->data(g.model()->index(3, 0), Qt::ToolTipRole).isValid());
        QCOMPARE(modelColor(g, 0, 0, Qt::BackgroundRole), g.FixedColor());
        QCOMPARE(modelColor(g, 0, 2, Qt::ForegroundRole), SystemColors::system(SystemColors::WindowText));

        QSignalSpy inserted(g.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(g.model(), &QAbstractItemModel::columnsRemoved);
        g.setRowCount(30);
        g.setColCount(2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(g.model()->rowCount(), 30);
        QCOMPARE(g.model()->columnCount(), 2);
    }

    // ---- geometry

    void hiddenColumnsAndRowsTakeNoSpace()
    {
        TCellGrid g;
        g.setColCount(5);
        g.setRowCount(5);
        g.setDefaultColWidth(20);
        g.setDefaultRowHeight(10);
        g.resize(300, 200);
        g.setColWidths(2, -1);
        g.setRowHeights(1, -1);
        QCOMPARE(g.ColWidths(2), -1);
        QCOMPARE(g.RowHeights(1), -1);
        QVERIFY(g.CellRect(2, 0).isEmpty());
        // Column 3 follows column 1 directly (each 20 pixels plus a 1-pixel line).
        QCOMPARE(g.CellRect(3, 0), QRect(42, 0, 20, 10));
        QCOMPARE(g.CellRect(0, 2), QRect(0, 11, 20, 10));
        int c = 0, r = 0;
        g.MouseToCell(QPoint(45, 12), c, r);
        QCOMPARE(c, 3);
        QCOMPARE(r, 2);
        g.MouseToCell(QPoint(41, 5), c, r); // the line right of column 1 belongs to it
        QCOMPARE(c, 1);
        QCOMPARE(r, 0);
    }

    void mouseToCellOffTheCells()
    {
        TCellGrid g;
        g.setDefaultColWidth(20);
        g.setDefaultRowHeight(10);
        g.resize(300, 200);
        int c = 0, r = 0;
        g.MouseToCell(QPoint(250, 5), c, r); // right of the last column
        QCOMPARE(c, -1);
        QCOMPARE(r, -1);
        g.MouseToCell(QPoint(5, 150), c, r); // below the last row
        QCOMPARE(c, -1);
        QCOMPARE(r, -1);
        g.MouseToCell(QPoint(-1, 5), c, r);
        QCOMPARE(c, -1);
    }

    // The pair matrix's layout: the current cell moved to the hidden last column and row
    // scrolls the grid to its bottom-right end and stands on the last shown cell; fixed
    // cells stay where they are.
    void currentCellHiddenAtTheEndScrollsToTheEnd()
    {
        TCellGrid g;
        g.setColCount(54);
        g.setRowCount(47);
        g.setDefaultColWidth(27);
        g.setDefaultRowHeight(15);
        g.setColWidths(0, 35);
        for (int c = 50; c < 54; ++c)
            g.setColWidths(c, -1);
        for (int r = 44; r < 47; ++r)
            g.setRowHeights(r, -1);
        g.setFrameShape(QFrame::NoFrame);
        g.resize(600, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.LeftCol(), 1);
        g.setCurrentCell(53, 46);
        QCOMPARE(g.Col(), 49);
        QCOMPARE(g.Row(), 43);
        QVERIFY(!g.CellRect(49, 43).isEmpty()); // the last visible column and row
        QVERIFY(g.CellRect(49, 43).right() < g.viewport()->width());
        QVERIFY(g.CellRect(49, 43).bottom() < g.viewport()->height());
        QCOMPARE(g.LeftCol(), g.horizontalScrollBar()->maximum());
        QCOMPARE(g.TopRow(), g.verticalScrollBar()->maximum());
        // The fixed column and row do not scroll.
        QCOMPARE(g.CellRect(0, 43).left(), 0);
        QCOMPARE(g.CellRect(49, 0).top(), 0);
        int c, r;
        g.MouseToCell(QPoint(3, 3), c, r);
        QCOMPARE(c, 0);
        QCOMPARE(r, 0);
        // Back to the start.
        g.setCurrentCell(1, 1);
        QCOMPARE(g.LeftCol(), 1);
        QCOMPARE(g.TopRow(), 1);
        // Fixed cells cannot become current.
        g.setCurrentCell(0, 5);
        QCOMPARE(g.Col(), 1);
    }

    // ---- drawing

    void noSelectionIsDrawnWhenDrawSelectionIsOff()
    {
        TCellGrid g;
        g.setColor(Qt::white);
        g.setDefaultColWidth(30);
        g.setDefaultRowHeight(20);
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setFocus();
        g.setCurrentCell(2, 2);
        g.setOptions(g.Options() | TCellGrid::goDrawFocusSelected);
        const auto pixel = [&g] {
            const QRect cell = g.CellRect(2, 2);
            return g.viewport()->grab().toImage().pixelColor(cell.center());
        };
        QCOMPARE(pixel(), g.SelectedCellColor());
        g.setDrawSelection(false);
        QCoreApplication::processEvents();
        QCOMPARE(pixel(), QColor(Qt::white));
    }

    void gridLinesAsConfigured()
    {
        TCellGrid g;
        g.setColor(Qt::white);
        g.setFixedColor(grey);
        g.setDefaultColWidth(30);
        g.setDefaultRowHeight(20);
        g.setDrawSelection(false);
        g.setGridLineColor(red);
        g.setFixedLineColor(blue);
        g.resize(300, 200);
        const auto at = [&g](int x, int y) {
            QCoreApplication::processEvents();
            return g.viewport()->grab().toImage().pixelColor(x, y);
        };
        // Column 1 spans 31..60, its line is at 61; row 1 spans 21..40, its line at 41.
        QCOMPARE(at(61, 30), red);
        QCOMPARE(at(45, 41), red);
        QCOMPARE(at(61, 10), blue); // beside a fixed cell
        QCOMPARE(at(30, 30), blue);
        g.setOptions(TCellGrid::goFixedVertLine | TCellGrid::goFixedHorzLine | TCellGrid::goHorzLine);
        // Vertical lines only between fixed cells: the column keeps the line's space, which
        // the body cell takes, while the header above it keeps its line.
        QCOMPARE(g.CellRect(2, 1).left(), 62);
        QCOMPARE(at(61, 30), QColor(Qt::white));
        QCOMPARE(at(61, 10), blue);
        QCOMPARE(at(45, 41), red);
        g.setOptions({});
        QCOMPARE(g.CellRect(1, 1), QRect(30, 20, 30, 20));
        QCOMPARE(at(30, 25), QColor(Qt::white));
    }

    // ---- structure

    void insertDeleteAndMoveCarryPropertiesAndHints()
    {
        TCellGrid g;
        g.setColCount(6);
        g.setRowCount(6);
        g.setCells(2, 2, QStringLiteral("a"));
        g.setCellColor(2, 2, red);
        g.setHintCell(2, 2, QStringLiteral("hint a"));
        g.TakeProps(TCellGrid::PropTable::Row, 2).setAlignment(alRight);
        g.TakeProps(TCellGrid::PropTable::Col, 2).setWordwrap(ww_wordwrap);
        g.setRowHeights(2, 33);
        g.setColWidths(2, 44);

        g.InsertRow(1);
        QCOMPARE(g.RowCount(), 7);
        QCOMPARE(g.Cells(2, 3), QStringLiteral("a"));
        QCOMPARE(g.CellColor(2, 3), red);
        QCOMPARE(g.HintCell(2, 3), QStringLiteral("hint a"));
        QCOMPARE(g.CellAlignment(2, 3), alRight);
        QCOMPARE(g.RowHeights(3), 33);
        QCOMPARE(g.HintCell(2, 2), QString());
        QCOMPARE(g.CellAlignment(2, 2), alLeft);

        g.InsertCol(0);
        QCOMPARE(g.Cells(3, 3), QStringLiteral("a"));
        QCOMPARE(g.CellWordwrap(3, 3), ww_wordwrap);
        QCOMPARE(g.ColWidths(3), 44);

        g.DeleteRow(0);
        g.DeleteCol(1);
        QCOMPARE(g.Cells(2, 2), QStringLiteral("a"));
        QCOMPARE(g.CellColor(2, 2), red);
        QCOMPARE(g.HintCell(2, 2), QStringLiteral("hint a"));

        g.MoveRow(2, 4);
        QCOMPARE(g.Cells(2, 4), QStringLiteral("a"));
        QCOMPARE(g.HintCell(2, 4), QStringLiteral("hint a"));
        QCOMPARE(g.CellAlignment(2, 4), alRight);
        QCOMPARE(g.RowHeights(4), 33);
        g.MoveCol(2, 0);
        QCOMPARE(g.Cells(0, 4), QStringLiteral("a"));
        QCOMPARE(g.CellColor(0, 4), red);
        QCOMPARE(g.HintCell(0, 4), QStringLiteral("hint a"));
        QCOMPARE(g.ColWidths(0), 44);
        QCOMPARE(g.model()->data(g.model()->index(4, 0)).toString(), QStringLiteral("a"));

        // Deleting the row removes its records with it.
        g.DeleteRow(4);
        QCOMPARE(g.HintCell(0, 4), QString());
        QVERIFY(!g.Props(TCellGrid::PropTable::Cell, 0, 4));
    }

    void sizeChangesAreSignalledOnceEach()
    {
        TCellGrid g;
        QSignalSpy widths(&g, &TCellGrid::OnColWidthsChanged);
        QSignalSpy heights(&g, &TCellGrid::OnRowHeightsChanged);
        g.setColWidths(2, g.ColWidths(2));
        g.setDefaultRowHeight(g.DefaultRowHeight());
        QCOMPARE(widths.count() + heights.count(), 0);
        g.setColWidths(2, -1);
        g.setDefaultColWidth(50);
        g.setColCount(7);
        g.InsertCol(1);
        g.MoveCol(1, 3);
        QCOMPARE(widths.count(), 5);
        g.setRowHeights(1, 30);
        g.setRowCount(3);
        g.DeleteRow(1);
        QCOMPARE(heights.count(), 3);
        QCOMPARE(widths.count(), 5);
    }

    void shrinkingKeepsTheCurrentCellInside()
    {
        TCellGrid g;
        g.setColCount(10);
        g.setRowCount(10);
        g.setCurrentCell(9, 9);
        QSignalSpy moved(&g, &TCellGrid::currentCellChanged);
        g.setColCount(4);
        g.setRowCount(3);
        QCOMPARE(g.Col(), 3);
        QCOMPARE(g.Row(), 2);
        QCOMPARE(moved.count(), 2);
        QCOMPARE(g.Cells(9, 9), QString());
    }
};

QTEST_MAIN(TestCellGrid)
#include "tst_cellgrid.moc"
