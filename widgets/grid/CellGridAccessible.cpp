#include "widgets/grid/CellGridAccessible.h"

#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridAccessibleCell.h"
#include "widgets/grid/CellGridModel.h"

#include <algorithm>

namespace {

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("TCellGrid") || !object || !object->isWidgetType()) return nullptr;
    return new TCellGridAccessible(static_cast<TCellGrid *>(object));
}

std::vector<int> shown(int count, const std::function<int(int)> &size)
{
    std::vector<int> list;
    for (int i = 0; i < count; ++i)
        if (size(i) >= 0) list.push_back(i);
    return list;
}

quint64 key(int col, int row)
{
    return (quint64(quint32(col)) << 32) | quint32(row);
}

} // namespace

TCellGridAccessible::TCellGridAccessible(TCellGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}

TCellGridAccessible::~TCellGridAccessible()
{
    for (QAccessible::Id id : std::as_const(m_cells)) QAccessible::deleteAccessibleInterface(id);
}

void TCellGridAccessible::installFactory()
{
    QAccessible::installFactory(gridFactory);
}

TCellGrid *TCellGridAccessible::grid() const
{
    return static_cast<TCellGrid *>(widget());
}

std::vector<int> TCellGridAccessible::shownCols() const
{
    const TCellGrid *g = grid();
    return shown(g->ColCount(), [g](int c) { return g->ColWidths(c); });
}

std::vector<int> TCellGridAccessible::shownRows() const
{
    const TCellGrid *g = grid();
    return shown(g->RowCount(), [g](int r) { return g->RowHeights(r); });
}

int TCellGridAccessible::childIndex(const TCellGrid &grid, int col, int row)
{
    if (col < 0 || row < 0 || col >= grid.ColCount() || row >= grid.RowCount()) return -1;
    if (grid.ColWidths(col) < 0 || grid.RowHeights(row) < 0) return -1;
    int shownCols = 0, colsBefore = 0, rowsBefore = 0;
    for (int c = 0; c < grid.ColCount(); ++c)
        if (grid.ColWidths(c) >= 0) {
            ++shownCols;
            if (c < col) ++colsBefore;
        }
    for (int r = 0; r < row; ++r)
        if (grid.RowHeights(r) >= 0) ++rowsBefore;
    return rowsBefore * shownCols + colsBefore;
}

void TCellGridAccessible::announceCurrentCell(TCellGrid &grid)
{
    if (!QAccessible::isActive() || !grid.hasFocus()) return;
    const int index = childIndex(grid, grid.Col(), grid.Row());
    if (index < 0) return;
    QAccessibleEvent event(&grid, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface *TCellGridAccessible::cellInterface(int col, int row) const
{
    const auto found = m_cells.constFind(key(col, row));
    if (found != m_cells.cend()) return QAccessible::accessibleInterface(*found);
    auto *cell = new TCellGridAccessibleCell(grid(), col, row);
    m_cells.insert(key(col, row), QAccessible::registerAccessibleInterface(cell));
    return cell;
}

void *TCellGridAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

int TCellGridAccessible::childCount() const
{
    return int(shownCols().size() * shownRows().size());
}

QAccessibleInterface *TCellGridAccessible::child(int index) const
{
    const std::vector<int> cols = shownCols(), rows = shownRows();
    if (index < 0 || cols.empty() || index >= int(cols.size() * rows.size())) return nullptr;
    return cellInterface(cols[index % cols.size()], rows[index / cols.size()]);
}

int TCellGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const TCellGridAccessibleCell *>(child);
    return cell ? childIndex(*grid(), cell->col(), cell->row()) : -1;
}

QAccessibleInterface *TCellGridAccessible::childAt(int x, int y) const
{
    const TCellGrid *g = grid();
    int col = -1, row = -1;
    g->MouseToCell(g->viewport()->mapFromGlobal(QPoint(x, y)), col, row);
    return col < 0 || row < 0 ? nullptr : cellInterface(col, row);
}

QAccessibleInterface *TCellGridAccessible::focusChild() const
{
    const TCellGrid *g = grid();
    if (!g->hasFocus() || childIndex(*g, g->Col(), g->Row()) < 0) return nullptr;
    return cellInterface(g->Col(), g->Row());
}

QAccessibleInterface *TCellGridAccessible::cellAt(int row, int column) const
{
    const TCellGrid *g = grid();
    const std::vector<int> cols = shownCols(), rows = shownRows();
    const auto firstCol = std::lower_bound(cols.begin(), cols.end(), g->FixedCols()) - cols.begin();
    const auto firstRow = std::lower_bound(rows.begin(), rows.end(), g->FixedRows()) - rows.begin();
    if (row < 0 || column < 0 || firstRow + row >= qsizetype(rows.size()) || firstCol + column >= qsizetype(cols.size()))
        return nullptr;
    return cellInterface(cols[firstCol + column], rows[firstRow + row]);
}

int TCellGridAccessible::columnCount() const
{
    const std::vector<int> cols = shownCols();
    return int(cols.end() - std::lower_bound(cols.begin(), cols.end(), grid()->FixedCols()));
}

int TCellGridAccessible::rowCount() const
{
    const std::vector<int> rows = shownRows();
    return int(rows.end() - std::lower_bound(rows.begin(), rows.end(), grid()->FixedRows()));
}

int TCellGridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> TCellGridAccessible::selectedCells() const
{
    const TCellGrid *g = grid();
    if (childIndex(*g, g->Col(), g->Row()) < 0) return {};
    return {cellInterface(g->Col(), g->Row())};
}

QString TCellGridAccessible::headerText(int gridCol, int gridRow, bool column) const
{
    const TCellGrid *g = grid();
    QStringList texts;
    for (int fixed : column ? shownRows() : shownCols()) {
        if (fixed >= (column ? g->FixedRows() : g->FixedCols())) break;
        texts << (column ? g->Cells(gridCol, fixed) : g->Cells(fixed, gridRow));
    }
    return texts.join(QLatin1Char(' '));
}

QString TCellGridAccessible::columnDescription(int column) const
{
    const auto *cell = dynamic_cast<TCellGridAccessibleCell *>(cellAt(0, column));
    return cell ? headerText(cell->col(), 0, true) : QString();
}

QString TCellGridAccessible::rowDescription(int row) const
{
    const auto *cell = dynamic_cast<TCellGridAccessibleCell *>(cellAt(row, 0));
    return cell ? headerText(0, cell->row(), false) : QString();
}
