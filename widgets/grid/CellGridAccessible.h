#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>

#include <vector>

class QAbstractScrollArea;
class TCellGridGeometry;
class TCellGridModel;

// A grid (TCellGrid) as screen readers see it: a table whose body is the grid's non-fixed
// cells and whose headers are its fixed rows and columns; hidden rows and columns are left
// out. The accessible children are all shown cells, fixed ones included, row by row.
// Everything is read when asked, so the grid pays nothing while nobody listens: the cells
// from the grid's model, which rows and columns are fixed or hidden, where a cell is and
// the current cell from the widget's TCellGridGeometry, the focus from the widget.
class TCellGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    TCellGridAccessible(QAbstractScrollArea *grid, const TCellGridGeometry &geometry);
    ~TCellGridAccessible() override;

    // Lets Qt build this interface for every grid; call once before any window exists.
    static void installFactory();
    // The accessible child index of a shown cell, -1 for a hidden one.
    static int childIndex(const TCellGridGeometry &grid, int col, int row);
    // Tells a screen reader that the grid's current cell has the focus (while the grid has it).
    static void announceCurrentCell(QWidget &grid, const TCellGridGeometry &geometry);

    QAbstractScrollArea *grid() const;
    const TCellGridModel &model() const;
    // The cell's interface, created once and kept until the grid goes.
    QAccessibleInterface *cellInterface(int col, int row) const;
    // Shown grid columns and rows, in order.
    std::vector<int> shownCols() const;
    std::vector<int> shownRows() const;

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // QAccessibleTableInterface: rows and columns of the body
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    // The header text of a body column / row: its fixed cells' texts, joined.
    QString headerText(int gridCol, int gridRow, bool column) const;

    const TCellGridGeometry *m_geometry; // the grid widget's, which outlives this interface
    mutable QHash<quint64, QAccessible::Id> m_cells;
};
