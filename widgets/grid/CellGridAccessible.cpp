#include "widgets/grid/CellGridAccessible.h"

#include "widgets/grid/CellGridAccessibleCell.h"
#include "widgets/grid/CellGridGeometry.h"
#include "widgets/grid/CellGridModel.h"

#include <QAbstractScrollArea>

#include <algorithm>

namespace {

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("TCellGrid") || !object || !object->isWidgetType()) return nullptr;
    // A TCellGrid is both.
    auto *grid = qobject_cast<QAbstractScrollArea *>(object);
    const auto *geometry = dynamic_cast<const TCellGridGeometry *>(object);
    return grid && geometry ? new TCellGridAccessible(grid, *geometry) : nullptr;
}

std::vector<int> shown(int count, const std::function<bool(int)> &isShown)
{
    std::vector<int> list;
    for (int i = 0; i < count; ++i)
        if (isShown(i)) list.push_back(i);
    return list;
}

quint64 key(int col, int row)
{
    return (quint64(quint32(col)) << 32) | quint32(row);
}

} // namespace

TCellGridAccessible::TCellGridAccessible(QAbstractScrollArea *grid, const TCellGridGeometry &geometry)
    : QAccessibleWidget(grid, QAccessible::Table), m_geometry(&geometry)
{
}

TCellGridAccessible::~TCellGridAccessible()
{
    for (QAccessible::Id id : std::as_const(m_cells)) QAccessible::deleteAccessibleInterface(id);
}

void TCellGridAccessible::installFactory()
{
    QAccessible::installFactory(gridFactory);
}

QAbstractScrollArea *TCellGridAccessible::grid() const
{
    return static_cast<QAbstractScrollArea *>(widget());
}

const TCellGridModel &TCellGridAccessible::model() const
{
    return m_geometry->cellModel();
}

std::vector<int> TCellGridAccessible::shownCols() const
{
    const TCellGridGeometry *g = m_geometry;
    return shown(model().columnCount(), [g](int c) { return g->colShown(c); });
}

std::vector<int> TCellGridAccessible::shownRows() const
{
    const TCellGridGeometry *g = m_geometry;
    return shown(model().rowCount(), [g](int r) { return g->rowShown(r); });
}

int TCellGridAccessible::childIndex(const TCellGridGeometry &grid, int col, int row)
{
    const int colCount = grid.cellModel().columnCount(), rowCount = grid.cellModel().rowCount();
    if (col < 0 || row < 0 || col >= colCount || row >= rowCount) return -1;
    if (!grid.colShown(col) || !grid.rowShown(row)) return -1;
    int shownCols = 0, colsBefore = 0, rowsBefore = 0;
    for (int c = 0; c < colCount; ++c)
        if (grid.colShown(c)) {
            ++shownCols;
            if (c < col) ++colsBefore;
        }
    for (int r = 0; r < row; ++r)
        if (grid.rowShown(r)) ++rowsBefore;
    return rowsBefore * shownCols + colsBefore;
}

void TCellGridAccessible::announceCurrentCell(QWidget &grid, const TCellGridGeometry &geometry)
{
    if (!QAccessible::isActive() || !grid.hasFocus()) return;
    const int index = childIndex(geometry, geometry.currentCol(), geometry.currentRow());
    if (index < 0) return;
    QAccessibleEvent event(&grid, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface *TCellGridAccessible::cellInterface(int col, int row) const
{
    const auto found = m_cells.constFind(key(col, row));
    if (found != m_cells.cend()) return QAccessible::accessibleInterface(*found);
    auto *cell = new TCellGridAccessibleCell(grid(), *m_geometry, col, row);
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
    return cell ? childIndex(*m_geometry, cell->col(), cell->row()) : -1;
}

QAccessibleInterface *TCellGridAccessible::childAt(int x, int y) const
{
    int col = -1, row = -1;
    m_geometry->cellAtPoint(grid()->viewport()->mapFromGlobal(QPoint(x, y)), col, row);
    return col < 0 || row < 0 ? nullptr : cellInterface(col, row);
}

QAccessibleInterface *TCellGridAccessible::focusChild() const
{
    const TCellGridGeometry *g = m_geometry;
    if (!grid()->hasFocus() || childIndex(*g, g->currentCol(), g->currentRow()) < 0) return nullptr;
    return cellInterface(g->currentCol(), g->currentRow());
}

QAccessibleInterface *TCellGridAccessible::cellAt(int row, int column) const
{
    const TCellGridGeometry *g = m_geometry;
    const std::vector<int> cols = shownCols(), rows = shownRows();
    const auto firstCol = std::lower_bound(cols.begin(), cols.end(), g->fixedColCount()) - cols.begin();
    const auto firstRow = std::lower_bound(rows.begin(), rows.end(), g->fixedRowCount()) - rows.begin();
    if (row < 0 || column < 0 || firstRow + row >= qsizetype(rows.size()) || firstCol + column >= qsizetype(cols.size()))
        return nullptr;
    return cellInterface(cols[firstCol + column], rows[firstRow + row]);
}

int TCellGridAccessible::columnCount() const
{
    const std::vector<int> cols = shownCols();
    return int(cols.end() - std::lower_bound(cols.begin(), cols.end(), m_geometry->fixedColCount()));
}

int TCellGridAccessible::rowCount() const
{
    const std::vector<int> rows = shownRows();
    return int(rows.end() - std::lower_bound(rows.begin(), rows.end(), m_geometry->fixedRowCount()));
}

int TCellGridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> TCellGridAccessible::selectedCells() const
{
    const TCellGridGeometry *g = m_geometry;
    if (childIndex(*g, g->currentCol(), g->currentRow()) < 0) return {};
    return {cellInterface(g->currentCol(), g->currentRow())};
}

QString TCellGridAccessible::headerText(int gridCol, int gridRow, bool column) const
{
    const TCellGridModel &m = model();
    QStringList texts;
    for (int fixed : column ? shownRows() : shownCols()) {
        if (fixed >= (column ? m_geometry->fixedRowCount() : m_geometry->fixedColCount())) break;
        const QModelIndex index = column ? m.index(fixed, gridCol) : m.index(gridRow, fixed);
        texts << index.data(Qt::DisplayRole).toString();
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
