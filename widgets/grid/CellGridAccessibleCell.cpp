#include "widgets/grid/CellGridAccessibleCell.h"

#include "widgets/grid/CellGridAccessible.h"
#include "widgets/grid/CellGridGeometry.h"
#include "widgets/grid/CellGridModel.h"

#include <QAbstractScrollArea>
#include <QWindow>

TCellGridAccessibleCell::TCellGridAccessibleCell(QAbstractScrollArea *grid, const TCellGridGeometry &geometry,
                                                 int col, int row)
    : m_grid(grid), m_geometry(&geometry), m_col(col), m_row(row)
{
}

bool TCellGridAccessibleCell::isValid() const
{
    const TCellGridModel &model = m_geometry->cellModel();
    return m_col < model.columnCount() && m_row < model.rowCount();
}

QWindow *TCellGridAccessibleCell::window() const
{
    return m_grid->window()->windowHandle();
}

TCellGridAccessible *TCellGridAccessibleCell::gridInterface() const
{
    return dynamic_cast<TCellGridAccessible *>(QAccessible::queryAccessibleInterface(m_grid));
}

QAccessibleInterface *TCellGridAccessibleCell::parent() const
{
    return gridInterface();
}

bool TCellGridAccessibleCell::isHeader() const
{
    return m_col < m_geometry->fixedColCount() || m_row < m_geometry->fixedRowCount();
}

bool TCellGridAccessibleCell::isCurrent() const
{
    return m_geometry->currentCol() == m_col && m_geometry->currentRow() == m_row;
}

QString TCellGridAccessibleCell::text(QAccessible::Text t) const
{
    if (!isValid()) return {};
    const QModelIndex index = m_geometry->cellModel().index(m_row, m_col);
    switch (t) {
    case QAccessible::Name: return index.data(Qt::DisplayRole).toString();
    case QAccessible::Description: return index.data(Qt::AccessibleDescriptionRole).toString();
    default: return {};
    }
}

QRect TCellGridAccessibleCell::rect() const
{
    if (!isValid()) return {};
    const QRect r = m_geometry->shownCellRect(m_col, m_row);
    return r.isEmpty() ? QRect() : QRect(m_grid->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role TCellGridAccessibleCell::role() const
{
    if (!isValid() || !isHeader()) return QAccessible::Cell;
    return m_row < m_geometry->fixedRowCount() ? QAccessible::ColumnHeader : QAccessible::RowHeader;
}

QAccessible::State TCellGridAccessibleCell::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    if (m_geometry->shownCellRect(m_col, m_row).isEmpty()) s.offscreen = true;
    if (isHeader()) return s;
    s.focusable = true;
    s.selectable = true;
    if (isCurrent()) {
        s.selected = true;
        s.focused = m_grid->hasFocus();
    }
    return s;
}

void *TCellGridAccessibleCell::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface && isValid() && !isHeader())
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool TCellGridAccessibleCell::isSelected() const
{
    return isValid() && isCurrent();
}

QList<QAccessibleInterface *> TCellGridAccessibleCell::headerCells(bool column) const
{
    QList<QAccessibleInterface *> headers;
    TCellGridAccessible *g = gridInterface();
    if (!g) return headers;
    // A column's headers are its cells in the fixed rows, a row's those in the fixed columns.
    const int fixed = column ? m_geometry->fixedRowCount() : m_geometry->fixedColCount();
    for (int i : column ? g->shownRows() : g->shownCols())
        if (i < fixed) headers << (column ? g->cellInterface(m_col, i) : g->cellInterface(i, m_row));
    return headers;
}

namespace {

// Position of `value` among the shown entries at or after `fixed`.
int bodyIndex(const std::vector<int> &shown, int fixed, int value)
{
    int index = 0;
    for (int v : shown) {
        if (v < fixed) continue;
        if (v == value) return index;
        ++index;
    }
    return -1;
}

} // namespace

int TCellGridAccessibleCell::columnIndex() const
{
    TCellGridAccessible *g = gridInterface();
    return g ? bodyIndex(g->shownCols(), m_geometry->fixedColCount(), m_col) : -1;
}

int TCellGridAccessibleCell::rowIndex() const
{
    TCellGridAccessible *g = gridInterface();
    return g ? bodyIndex(g->shownRows(), m_geometry->fixedRowCount(), m_row) : -1;
}
