#pragma once

#include <QAccessible>

class QAbstractScrollArea;
class TCellGridAccessible;
class TCellGridGeometry;

// One cell of a grid (TCellGrid) for screen readers. Body cells are table cells with their headers;
// fixed cells are the row and column headers. The name is the cell's text, the description
// whatever the grid's owner tells about the cell.
class TCellGridAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TCellGridAccessibleCell(QAbstractScrollArea *grid, const TCellGridGeometry &geometry, int col, int row);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableCellInterface (body cells only)
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override { return headerCells(true); }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return headerCells(false); }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int col() const { return m_col; }
    int row() const { return m_row; }

private:
    TCellGridAccessible *gridInterface() const;
    bool isHeader() const;
    bool isCurrent() const;
    QList<QAccessibleInterface *> headerCells(bool column) const;

    // Both outlive the cell: the grid's interface deletes its cells.
    QAbstractScrollArea *m_grid;
    const TCellGridGeometry *m_geometry;
    int m_col;
    int m_row;
};
