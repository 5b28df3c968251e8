#pragma once

#include <QPoint>
#include <QRect>

class TCellGridModel;

// What the grid's accessibility (TCellGridAccessible) needs of the grid widget besides the
// cells, which it reads from the model: which rows and columns are fixed and which are
// hidden, where a cell is drawn, and the current cell. Nothing below the widget knows these;
// TCellGrid implements this with the values of its FixedCols, FixedRows, ColWidths,
// RowHeights, CellRect, MouseToCell, Col and Row. Positions are in viewport coordinates.
class TCellGridGeometry
{
public:
    // The model of the grid's cells.
    virtual const TCellGridModel &cellModel() const = 0;
    virtual int fixedColCount() const = 0;
    virtual int fixedRowCount() const = 0;
    // False for a hidden column or row (width or height -1).
    virtual bool colShown(int col) const = 0;
    virtual bool rowShown(int row) const = 0;
    // The cell's rectangle without its grid lines; empty when the cell is not shown.
    virtual QRect shownCellRect(int col, int row) const = 0;
    // The cell under a point, -1 and -1 when it is on no cell.
    virtual void cellAtPoint(const QPoint &pos, int &col, int &row) const = 0;
    virtual int currentCol() const = 0;
    virtual int currentRow() const = 0;

protected:
    ~TCellGridGeometry() = default;
};
