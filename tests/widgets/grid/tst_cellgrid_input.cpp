// The alignment grid under the user's hands: clipboard keys, Tab between cells, cell hints,
// the mouse position it reports and clicks on its header cells.
#include "widgets/grid/CellGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMap>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

using Cell = QPair<int, int>;

QList<Cell> cellsOf(const QString &text)
{
    QList<Cell> cells;
    for (const QString &pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(u',');
        cells << Cell(xy[0].toInt(), xy[1].toInt());
    }
    return cells;
}

// A grid between two entry fields, shown and active, with the grid focused.
struct Form
{
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    TCellGrid *grid = new TCellGrid(&window);
    QLineEdit *after = new QLineEdit(&window);

    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }
};

QWidget *toolTipLabel()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible()) return w;
    return nullptr;
}

void askForHint(TCellGrid &g, const QPoint &pos)
{
    QHelpEvent e(QEvent::ToolTip, pos, g.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(g.viewport(), &e);
}

void moveMouse(TCellGrid &g, const QPoint &pos)
{
    QMouseEvent e(QEvent::MouseMove, pos, g.viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &e);
}

} // namespace

class TestCellGridInput : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // ---- clipboard

    void copyPutsTheCurrentCellWithTabAndLineEnd()
    {
        Form f;
        f.grid->setEditable(false);
        f.grid->setCells(1, 1, QStringLiteral("12"));
        f.grid->setCurrentCell(1, 1);
        QTest::keyClick(f.grid, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12\t\r\n"));
    }

    void copyWithRowSelectTakesTheRow()
    {
        Form f;
        f.grid->setColCount(4);
        f.grid->setOptions(f.grid->Options() | TCellGrid::goRowSelect);
        f.grid->setCells(0, 2, QStringLiteral("head"));
        f.grid->setCells(1, 2, QStringLiteral("a"));
        f.grid->setCells(3, 2, QStringLiteral("c"));
        f.grid->setCurrentCell(2, 2);
        QTest::keyClick(f.grid, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\t\tc\t\r\n"));
    }

    // Shift+Insert and Shift+Delete change texts only where the cell resolves as editable;
    // the program's grids are editable nowhere, so there they change nothing.
    void pasteAndCutChangeOnlyEditableCells_data()
    {
        QTest::addColumn<bool>("gridEditable");
        QTest::addColumn<int>("cellFlag");
        QTest::addColumn<bool>("changes");
        QTest::newRow("grid not editable") << false << int(ed_default) << false;
        QTest::newRow("grid editable") << true << int(ed_default) << true;
        QTest::newRow("cell editable in a read-only grid") << false << int(ed_editable) << true;
        QTest::newRow("read-only cell in an editable grid") << true << int(ed_readonly) << false;
    }
    void pasteAndCutChangeOnlyEditableCells()
    {
        QFETCH(bool, gridEditable);
        QFETCH(int, cellFlag);
        QFETCH(bool, changes);
        Form f;
        TCellGrid &g = *f.grid;
        g.setEditable(gridEditable);
        if (cellFlag != ed_default)
            g.TakeProps(TCellGrid::PropTable::Cell, 2, 2).setEditable(T_editable(cellFlag));
        g.setCells(2, 2, QStringLiteral("7,5"));
        g.setCurrentCell(2, 2);

        QGuiApplication::clipboard()->setText(QStringLiteral("12\t34\r\n56\t78"));
        QTest::keyClick(&g, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(g.Cells(2, 2), changes ? QStringLiteral("12") : QStringLiteral("7,5"));
        QCOMPARE(g.Cells(3, 2), QString()); // only the current cell takes part
        QCOMPARE(g.Cells(2, 3), QString());

        g.setCells(2, 2, QStringLiteral("9"));
        QTest::keyClick(&g, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("9\t\r\n")); // always copied
        QCOMPARE(g.Cells(2, 2), changes ? QString() : QStringLiteral("9"));
    }

    // ---- Tab between cells

    // A 4 x 3 grid with one fixed column and row: the non-fixed cells are columns 1..3 and
    // rows 1..2. Starting where the direction starts, five Tabs visit the other five cells;
    // the sixth reaches the end, where the end rule decides.
    void tabWalksTheCellsAndEndsByTheRule_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("walk");
        QTest::addColumn<QString>("end");    // the current cell after the sixth Tab
        QTest::addColumn<QString>("layout"); // column and row count afterwards
        QTest::addColumn<bool>("focusLeaves");

        const QString rightDown = "2,1 3,1 1,2 2,2 3,2";
        QTest::newRow("rightdown, stop") << int(nc_rightdown) << int(lc_stop) << rightDown << "3,2"
                                         << "4,3" << false;
        QTest::newRow("rightdown, first") << int(nc_rightdown) << int(lc_first) << rightDown << "1,1"
                                          << "4,3" << false;
        QTest::newRow("rightdown, exit") << int(nc_rightdown) << int(lc_exit) << rightDown << "3,2"
                                         << "4,3" << true;
        QTest::newRow("rightdown, new row") << int(nc_rightdown) << int(lc_newcolrow) << rightDown << "1,3"
                                            << "4,4" << false;
        const QString upLeft = "3,1 2,2 2,1 1,2 1,1";
        QTest::newRow("upleft, stop") << int(nc_upleft) << int(lc_stop) << upLeft << "1,1"
                                      << "4,3" << false;
        QTest::newRow("upleft, first") << int(nc_upleft) << int(lc_first) << upLeft << "3,2"
                                       << "4,3" << false;
        QTest::newRow("upleft, exit") << int(nc_upleft) << int(lc_exit) << upLeft << "1,1"
                                      << "4,3" << true;
        // A new first column is inserted before the others; the walk goes on at its last row.
        QTest::newRow("upleft, new column") << int(nc_upleft) << int(lc_newcolrow) << upLeft << "1,2"
                                            << "5,3" << false;
        QTest::newRow("downright, new column")
            << int(nc_downright) << int(lc_newcolrow) << "1,2 2,1 2,2 3,1 3,2"
            << "4,1"
            << "5,3" << false;
        QTest::newRow("leftdown, first") << int(nc_leftdown) << int(lc_first) << "2,1 1,1 3,2 2,2 1,2"
                                         << "3,1"
                                         << "4,3" << false;
        QTest::newRow("downleft, first") << int(nc_downleft) << int(lc_first) << "3,2 2,1 2,2 1,1 1,2"
                                         << "3,1"
                                         << "4,3" << false;
        QTest::newRow("leftup, new row") << int(nc_leftup) << int(lc_newcolrow) << "2,2 1,2 3,1 2,1 1,1"
                                         << "3,1"
                                         << "4,4" << false;
        QTest::newRow("rightup, stop") << int(nc_rightup) << int(lc_stop) << "2,2 3,2 1,1 2,1 3,1"
                                       << "3,1"
                                       << "4,3" << false;
        QTest::newRow("upright, first") << int(nc_upright) << int(lc_first) << "1,1 2,2 2,1 3,2 3,1"
                                        << "1,2"
                                        << "4,3" << false;
    }
    void tabWalksTheCellsAndEndsByTheRule()
    {
        QFETCH(int, direction);
        QFETCH(int, rule);
        QFETCH(QString, walk);
        QFETCH(QString, end);
        QFETCH(QString, layout);
        QFETCH(bool, focusLeaves);
        Form f;
        TCellGrid &g = *f.grid;
        g.setColCount(4);
        g.setRowCount(3);
        g.setOptions(g.Options() | TCellGrid::goTabs);
        g.setNextCellTab(T_nextcell(direction));
        g.setAfterLastCellTab(T_lastcell(rule));
        const QList<Cell> expected = cellsOf(walk);
        // The cell before the first of the walk is where the direction starts.
        const bool fromLeft = direction == nc_rightdown || direction == nc_downright ||
                              direction == nc_rightup || direction == nc_upright;
        const bool fromTop = direction == nc_rightdown || direction == nc_downright ||
                             direction == nc_leftdown || direction == nc_downleft;
        g.setCurrentCell(fromLeft ? 1 : 3, fromTop ? 1 : 2);
        g.setCells(g.Col(), g.Row(), QStringLiteral("start"));

        QList<Cell> visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(&g, Qt::Key_Tab);
            visited << Cell(g.Col(), g.Row());
        }
        QCOMPARE(visited, expected);
        QVERIFY(g.hasFocus());
        QTest::keyClick(&g, Qt::Key_Tab);
        QCOMPARE(Cell(g.Col(), g.Row()), cellsOf(end).first());
        QCOMPARE(Cell(g.ColCount(), g.RowCount()), cellsOf(layout).first());
        QCOMPARE(f.after->hasFocus(), focusLeaves);
        QCOMPARE(g.hasFocus(), !focusLeaves);
        if (g.ColCount() == 5 && direction == nc_upleft) // the inserted column pushed the others right
            QCOMPARE(g.Cells(4, 2), QStringLiteral("start"));
    }

    void shiftTabGoesTheOppositeWay()
    {
        Form f;
        TCellGrid &g = *f.grid;
        g.setColCount(4);
        g.setRowCount(3);
        g.setOptions(g.Options() | TCellGrid::goTabs);
        g.setCurrentCell(2, 2);
        QTest::keyClick(&g, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(1, 2));
        QTest::keyClick(&g, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(3, 1));
        // At the start, the opposite direction ends; lc_first goes to where it starts.
        g.setCurrentCell(1, 1);
        QTest::keyClick(&g, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(3, 2));
    }

    void tabSkipsColumnsWithoutTabStop()
    {
        Form f;
        TCellGrid &g = *f.grid;
        g.setColCount(4);
        g.setRowCount(3);
        g.setOptions(g.Options() | TCellGrid::goTabs);
        g.setTabStops(2, false);
        g.setCurrentCell(1, 1);
        QTest::keyClick(&g, Qt::Key_Tab);
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(3, 1));
    }

    // The keyboard's current cell stands only where something is shown, whatever asks for
    // another: the nearest shown cell, and the keys go on to the next shown one. The grid has
    // shown columns and rows 1, 2, 4 and 5 besides the fixed ones.
    void currentCellIsAlwaysAShownOne_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("current");
        QTest::newRow("hidden last cell") << "1,1" << "set 7,7" << "5,5";
        QTest::newRow("hidden cell between two") << "1,1" << "set 3,3" << "2,2";
        QTest::newRow("End") << "1,1" << "End" << "5,1";
        QTest::newRow("Ctrl+End") << "1,1" << "Ctrl+End" << "5,5";
        QTest::newRow("Home") << "5,5" << "Home" << "1,5";
        QTest::newRow("Ctrl+Home") << "5,5" << "Ctrl+Home" << "1,1";
        QTest::newRow("Right over a hidden column") << "2,1" << "Right" << "4,1";
        QTest::newRow("Left over a hidden column") << "4,1" << "Left" << "2,1";
        QTest::newRow("Down over a hidden row") << "1,2" << "Down" << "1,4";
        QTest::newRow("Up over a hidden row") << "1,4" << "Up" << "1,2";
        QTest::newRow("Right at the last shown column") << "5,1" << "Right" << "5,1";
        QTest::newRow("Down at the last shown row") << "1,5" << "Down" << "1,5";
        QTest::newRow("Tab over a hidden column") << "2,1" << "Tab" << "4,1";
        QTest::newRow("Tab at the end of a row") << "5,2" << "Tab" << "1,4";
        QTest::newRow("its column hidden") << "4,4" << "hide column 4" << "5,4";
        QTest::newRow("its row hidden") << "4,5" << "hide row 5" << "4,4";
    }
    void currentCellIsAlwaysAShownOne()
    {
        QFETCH(QString, start);
        QFETCH(QString, action);
        QFETCH(QString, current);
        Form f;
        TCellGrid &g = *f.grid;
        g.setColCount(8);
        g.setRowCount(8);
        g.setOptions(g.Options() | TCellGrid::goTabs);
        for (int i : {3, 6, 7}) {
            g.setColWidths(i, -1);
            g.setRowHeights(i, -1);
        }
        const Cell from = cellsOf(start).front();
        g.setCurrentCell(from.first, from.second);
        QCOMPARE(Cell(g.Col(), g.Row()), from);

        const QStringList words = action.split(u' ');
        const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {"End", {Qt::Key_End, Qt::NoModifier}},     {"Ctrl+End", {Qt::Key_End, Qt::ControlModifier}},
            {"Home", {Qt::Key_Home, Qt::NoModifier}},   {"Ctrl+Home", {Qt::Key_Home, Qt::ControlModifier}},
            {"Right", {Qt::Key_Right, Qt::NoModifier}}, {"Left", {Qt::Key_Left, Qt::NoModifier}},
            {"Down", {Qt::Key_Down, Qt::NoModifier}},   {"Up", {Qt::Key_Up, Qt::NoModifier}},
            {"Tab", {Qt::Key_Tab, Qt::NoModifier}}};
        if (words[0] == QLatin1String("set")) {
            const Cell to = cellsOf(words[1]).front();
            g.setCurrentCell(to.first, to.second);
        } else if (words[0] == QLatin1String("hide")) {
            if (words[1] == QLatin1String("column")) g.setColWidths(words[2].toInt(), -1);
            else g.setRowHeights(words[2].toInt(), -1);
        } else {
            QVERIFY(keys.contains(action));
            QTest::keyClick(&g, keys[action].first, keys[action].second);
        }
        QCOMPARE(Cell(g.Col(), g.Row()), cellsOf(current).front());
    }

    // Both grids of the program have the tabs option off: Tab leaves the grid.
    void withoutTheTabsOptionTabMovesTheFocus()
    {
        Form f;
        f.grid->setCurrentCell(1, 1);
        QTest::keyClick(f.grid, Qt::Key_Tab);
        QVERIFY(f.after->hasFocus());
        QCOMPARE(Cell(f.grid->Col(), f.grid->Row()), Cell(1, 1));
        f.grid->setFocus();
        QTest::keyClick(f.grid, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(f.before->hasFocus());
    }

    // ---- cell hints

    void hintShowsBelowTheCellAndHidesOnTheNextCell()
    {
        Form f;
        TCellGrid &g = *f.grid;
        g.setDefaultColWidth(40);
        g.setDefaultRowHeight(20);
        g.setHintCell(1, 1, QStringLiteral("   8 ... 12   "));
        g.setHintCell(2, 1, QStringLiteral("second"));
        const QRect first = g.CellRect(1, 1);

        askForHint(g, first.center());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("   8 ... 12   "));
        QWidget *label = toolTipLabel();
        QVERIFY(label);
        QCOMPARE(label->pos(),
                 g.viewport()->mapToGlobal(QPoint(first.left(), first.top() + first.height() + 6)));

        moveMouse(g, first.center() + QPoint(3, 0)); // the same cell: the hint stays
        QVERIFY(QToolTip::isVisible());
        moveMouse(g, g.CellRect(2, 1).center());
        QTRY_VERIFY(!QToolTip::isVisible());
        askForHint(g, g.CellRect(2, 1).center());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("second"));
    }

    void cellsWithoutHintShowNone()
    {
        Form f;
        TCellGrid &g = *f.grid;
        g.setHintCell(1, 1, QStringLiteral("only here"));
        askForHint(g, g.CellRect(2, 2).center());
        QTest::qWait(20);
        QVERIFY(!QToolTip::isVisible());
        g.setShowCellHints(false);
        askForHint(g, g.CellRect(1, 1).center());
        QTest::qWait(20);
        QVERIFY(!QToolTip::isVisible());
    }

    void onShowHintCellMayChangeOrForbidTheHint()
    {
        Form f;
        TCellGrid &g = *f.grid;
        g.setHintCell(1, 1, QStringLiteral("stored"));
        g.setHintCell(2, 1, QStringLiteral("stored too"));
        int asked = 0;
        g.OnShowHintCell = [&](TCellGrid &sender, int col, int row, THintInfo &info, bool &canShow,
                               QString &hint) {
            ++asked;
            QCOMPARE(&sender, &g);
            QCOMPARE(info.cellRect, g.CellRect(col, row));
            if (col == 2) canShow = false;
            hint = QStringLiteral("%1 at %2,%3").arg(hint).arg(col).arg(row);
        };
        askForHint(g, g.CellRect(1, 1).center());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("stored at 1,1"));
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        askForHint(g, g.CellRect(2, 1).center());
        QTest::qWait(20);
        QVERIFY(!QToolTip::isVisible());
        QCOMPARE(asked, 2);
    }

    // ---- mouse

    void mouseMovesAreReportedInViewportCoordinates()
    {
        Form f;
        QSignalSpy moved(f.grid, &TCellGrid::mouseMoved);
        moveMouse(*f.grid, QPoint(57, 23));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().at(0).toInt(), 57);
        QCOMPARE(moved.first().at(1).toInt(), 23);
    }

    void clickingMakesACellCurrentButNotAFixedOne()
    {
        Form f;
        TCellGrid &g = *f.grid;
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(3, 2).center());
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(3, 2));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(0, 3).center());
        QCOMPARE(Cell(g.Col(), g.Row()), Cell(3, 2));
    }

    // A press and a release on the same header cell; the corner is in both headers.
    void headerClicksAreSignalled_data()
    {
        QTest::addColumn<QPoint>("pressed");
        QTest::addColumn<QPoint>("released");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("signalled");
        QTest::newRow("row header") << QPoint(0, 2) << QPoint(0, 2) << int(Qt::LeftButton) << "col 0,2";
        QTest::newRow("column header") << QPoint(3, 0) << QPoint(3, 0) << int(Qt::LeftButton) << "row 3,0";
        QTest::newRow("corner") << QPoint(0, 0) << QPoint(0, 0) << int(Qt::LeftButton) << "col 0,0 row 0,0";
        QTest::newRow("body cell") << QPoint(2, 2) << QPoint(2, 2) << int(Qt::LeftButton) << "";
        QTest::newRow("released on the next header") << QPoint(0, 1) << QPoint(0, 2) << int(Qt::LeftButton) << "";
        QTest::newRow("right button") << QPoint(0, 2) << QPoint(0, 2) << int(Qt::RightButton) << "";
    }
    void headerClicksAreSignalled()
    {
        QFETCH(QPoint, pressed);
        QFETCH(QPoint, released);
        QFETCH(int, button);
        QFETCH(QString, signalled);
        Form f;
        QStringList seen;
        connect(f.grid, &TCellGrid::OnFixedColClick, this,
                [&seen](int c, int r) { seen << QStringLiteral("col %1,%2").arg(c).arg(r); });
        connect(f.grid, &TCellGrid::OnFixedRowClick, this,
                [&seen](int c, int r) { seen << QStringLiteral("row %1,%2").arg(c).arg(r); });
        const auto centre = [&f](QPoint cell) { return f.grid->CellRect(cell.x(), cell.y()).center(); };
        QTest::mousePress(f.grid->viewport(), Qt::MouseButton(button), {}, centre(pressed));
        QTest::mouseRelease(f.grid->viewport(), Qt::MouseButton(button), {}, centre(released));
        QCOMPARE(seen.join(u' '), signalled);
    }
};

QTEST_MAIN(TestCellGridInput)
#include "tst_cellgrid_input.moc"
