#pragma once

#include "widgets/grid/CellProperties.h"

#include <QColor>
#include <QString>

// What the item model (TCellGridModel) shows of a grid: its size and the resolved values of
// each cell, fixed ones included; the same values TCellGrid's Cells, HintCell, CellColor,
// CellFont, CellAlignment and CellEditable give. The grid implements it; the model reads
// nothing else of the grid.
class TCellGridContent
{
public:
    // Columns and rows, fixed ones included.
    virtual int contentColCount() const = 0;
    virtual int contentRowCount() const = 0;
    // The values of a cell inside the grid.
    virtual QString contentText(int col, int row) const = 0;
    virtual QString contentHint(int col, int row) const = 0; // empty when it has none
    virtual QColor contentColor(int col, int row) const = 0;
    virtual const TMyFont &contentFont(int col, int row) const = 0;
    virtual TMyAlign contentAlignment(int col, int row) const = 0; // never alDefault
    virtual bool contentEditable(int col, int row) const = 0;

protected:
    ~TCellGridContent() = default;
};
