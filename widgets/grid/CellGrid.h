#pragma once

// The alignment grid (widgets/grid/), from the bottom up; a file includes only files above
// it in this list, and none of them includes this one:
//   GridDescription     the text syntax of stored grid descriptions
//   CellProperties      stored colours, brushes and fonts, the property records; a record
//                       tells its owner (TCellPropertiesOwner) of its changes
//   CellGridContent     what the item model reads of a grid
//   CellGridModel       the cells as a read-only Qt item model
//   CellGridGeometry    what the accessibility reads of the grid widget besides the model
//   CellGridAccessible, CellGridAccessibleCell
//                       the grid for screen readers: cells from the model, the rest from
//                       CellGridGeometry
// On top, TCellGrid (this file) ties them together: it owns the records and the model and
// implements the three interfaces. Its code is in CellGrid.cpp (tables, resolution,
// structure), CellGridView.cpp (geometry, scrolling, drawing, mouse, hints),
// CellGridInput.cpp (keys, clipboard) and CellGridStore.cpp (reading and writing
// descriptions); it calls the accessibility only to announce a new current cell.

#include "widgets/grid/CellGridContent.h"
#include "widgets/grid/CellGridGeometry.h"
#include "widgets/grid/CellProperties.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TCellGridModel;

// Where a cell hint shows (global position of the hint window's top-left corner) and the
// cell it belongs to (viewport coordinates). OnShowHintCell may change both.
struct THintInfo
{
    QPoint pos;
    QRect cellRect;
};

// A string grid: text cells with fixed (non-scrolling) header rows and columns, column widths
// and row heights (-1 hides one), a current cell, and per cell an optional record of display
// properties (alignment, word wrap, background, font, selected colours, editable flag) and
// a hint text. Records can also belong to a whole column or row, or to the fixed cells of a
// column or row. A cell shows, property by property, the first that is set of:
//   1. its own record,
//   2. its column's record (for a fixed cell: the fixed-column record),
//   3. its row's record (for a fixed cell: the fixed-row record),
//   4. the grid: Alignment, Wordwrap, Editable, and the grid font and Color (for a fixed cell
//      the fixed font and FixedColor).
// The selected colours resolve the same way, always through the column and row records, and
// end at SelectedCellColor and SelectedFontColor.
//
// Every write repaints the grid once, after the running event handler has returned; the
// cells are visible through model(), a read-only table model with one row and column per
// grid row and column, fixed ones included. The grid knows nothing of what it shows.
class TCellGrid : public QAbstractScrollArea,
                  public TCellGridGeometry, // for its accessibility, which finds it by this
                  private TCellPropertiesOwner,
                  private TCellGridContent
{
    Q_OBJECT

public:
    enum GridOption {
        goFixedVertLine = 0x01,
        goFixedHorzLine = 0x02,
        goVertLine = 0x04,
        goHorzLine = 0x08,
        goDrawFocusSelected = 0x10,
        goRowSelect = 0x20,
        goTabs = 0x40, // Tab and Shift+Tab move between cells instead of controls
    };
    Q_DECLARE_FLAGS(GridOptions, GridOption)
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    // The five record tables.
    enum class PropTable { Cell, Col, Row, FixedCol, FixedRow };

    explicit TCellGrid(QWidget *parent = nullptr);
    ~TCellGrid() override;

    TCellGridModel *model() const { return m_model; }

    // ---- Size and layout
    int ColCount() const { return m_colCount; }
    void setColCount(int count); // at least 1; FixedCols shrinks below it
    int RowCount() const { return m_rowCount; }
    void setRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    // Below ColCount; a new count shows and makes current the first non-fixed column.
    void setFixedCols(int count);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int count);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int width); // also gives every column this width
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height); // also gives every row this height
    int ColWidths(int col) const;
    void setColWidths(int col, int width); // -1 hides the column and its line
    int RowHeights(int row) const;
    void setRowHeights(int row, int height);
    int GridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(int width);
    GridOptions Options() const { return m_options; }
    void setOptions(GridOptions options);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle bars);
    // Dragging a scroll bar thumb scrolls continuously.
    bool RedrawWhileScroll() const { return m_redrawWhileScroll; }
    void setRedrawWhileScroll(bool on);
    // Columns whose tab stop is off are skipped by Tab navigation.
    bool TabStops(int col) const;
    void setTabStops(int col, bool on);
    QColor GridLineColor() const { return m_lineColor; }
    void setGridLineColor(const QColor &color);
    QColor FixedLineColor() const { return m_fixedLineColor; }
    void setFixedLineColor(const QColor &color);

    // ---- Texts and hints
    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &text);
    // The cell's hint, empty when it has none.
    QString HintCell(int col, int row) const;
    void setHintCell(int col, int row, const QString &hint);
    void ClearHints();

    // ---- Grid-wide values (defaults in brackets)
    // Background of non-fixed cells [clWindow].
    QColor Color() const { return m_brush.color(); }
    TStoredColor ColorStored() const { return m_brush.storedColor(); }
    void setColor(const QColor &color) { setColor(TStoredColor::fromColor(color)); }
    void setColor(TStoredColor color);
    // Background of fixed cells [clBtnFace].
    QColor FixedColor() const { return m_fixedBrush.color(); }
    TStoredColor FixedColorStored() const { return m_fixedBrush.storedColor(); }
    void setFixedColor(const QColor &color) { setFixedColor(TStoredColor::fromColor(color)); }
    void setFixedColor(TStoredColor color);
    // Selected-cell background [clActiveCaption] and text colour [clWhite].
    QColor SelectedCellColor() const { return m_selectedCellColor.color(); }
    TStoredColor SelectedCellColorStored() const { return m_selectedCellColor; }
    void setSelectedCellColor(const QColor &c) { setSelectedCellColor(TStoredColor::fromColor(c)); }
    void setSelectedCellColor(TStoredColor color);
    QColor SelectedFontColor() const { return m_selectedFontColor.color(); }
    TStoredColor SelectedFontColorStored() const { return m_selectedFontColor; }
    void setSelectedFontColor(const QColor &c) { setSelectedFontColor(TStoredColor::fromColor(c)); }
    void setSelectedFontColor(TStoredColor color);
    // Colour of the grid font (the font itself is QWidget::font()) [clWindowText].
    QColor FontColor() const { return m_gridFont.color(); }
    TStoredColor FontColorStored() const { return m_gridFont.storedColor(); }
    void setFontColor(const QColor &c) { setFontColor(TStoredColor::fromColor(c)); }
    void setFontColor(TStoredColor color);
    // Font of fixed cells without a font of their own [MS Sans Serif, 11 px, clWindowText].
    const TMyFont &FixedFont() const { return m_fixedFont; }
    void setFixedFont(const TMyFont &font);
    TMyAlign Alignment() const { return m_alignment; } // [alLeft]; alDefault counts as alLeft
    void setAlignment(TMyAlign a);
    T_Wordwrap Wordwrap() const { return m_wordwrap; } // [ww_none]; ww_default counts as ww_none
    void setWordwrap(T_Wordwrap w);
    bool Editable() const { return m_editable; } // [true]
    void setEditable(bool on);
    bool DrawSelection() const { return m_drawSelection; } // [true]; off: no selection, no focus frame
    void setDrawSelection(bool on);
    bool ShowCellHints() const { return m_showCellHints; } // [true]
    void setShowCellHints(bool on);
    T_nextcell NextCellTab() const { return m_nextCellTab; } // [nc_rightdown]
    void setNextCellTab(T_nextcell d) { m_nextCellTab = d; }
    T_lastcell AfterLastCellTab() const { return m_afterLastCellTab; } // [lc_first]
    void setAfterLastCellTab(T_lastcell l) { m_afterLastCellTab = l; }

    // ---- Property records
    // The record of a cell (index = column, row), a column or fixed column (index = column)
    // or a row or fixed row (index = row); nullptr when there is none.
    const TCellProperties *Props(PropTable table, int index, int row = 0) const;
    // The same record, created when missing. Changes through it repaint the grid.
    TCellProperties &TakeProps(PropTable table, int index, int row = 0);
    // Removes every record of all five tables.
    void ClearProps();
    // Visits every non-empty record of a table: columns outer, rows inner, ascending
    // (for Col/Row/FixedCol/FixedRow tables `row` is 0).
    void ForEachProps(PropTable table,
                      const std::function<void(int index, int row, const TCellProperties &)> &visit) const;

    // ---- Resolved values of a cell
    bool IsFixed(int col, int row) const { return col < m_fixedCols || row < m_fixedRows; }
    TMyAlign CellAlignment(int col, int row) const;  // never alDefault
    T_Wordwrap CellWordwrap(int col, int row) const; // never ww_default
    bool CellEditable(int col, int row) const;
    const TMyBrush &CellBrush(int col, int row) const;
    const TMyFont &CellFont(int col, int row) const; // the text colour is its color()
    QColor CellSelectedColor(int col, int row) const;
    QColor CellSelectedFontColor(int col, int row) const;
    // The colour the cell's background is drawn with.
    QColor CellColor(int col, int row) const { return CellBrush(col, row).color(); }
    // Gives the cell's record a brush (a solid one in Color when it had none) of this colour.
    void setCellColor(int col, int row, const QColor &color);

    // ---- Current cell, scrolling, hit testing (viewport coordinates)
    int Col() const { return m_col; }
    void setCol(int col) { setCurrentCell(col, m_row); }
    int Row() const { return m_row; }
    void setRow(int row) { setCurrentCell(m_col, row); }
    // Any non-fixed cell, hidden ones included, scrolls into view (a hidden cell at the end:
    // to the end of the grid); the current cell becomes the shown cell nearest to it, so
    // that it never stands on a hidden column or row. Other cells are ignored.
    void setCurrentCell(int col, int row);
    int LeftCol() const; // first scrolled column shown after the fixed ones
    int TopRow() const;
    // The cell under a point, -1 and -1 when it is on no cell.
    void MouseToCell(const QPoint &pos, int &col, int &row) const;
    // The cell's rectangle without its grid lines; empty when the cell is not shown.
    QRect CellRect(int col, int row) const;

    // ---- Structure; properties, hints, sizes and texts move with their cells
    void InsertCol(int index); // index 0..ColCount
    void DeleteCol(int index);
    void MoveCol(int from, int to); // afterwards the column stands at `to`
    void InsertRow(int index);
    void DeleteRow(int index);
    void MoveRow(int from, int to);

    // ---- Clipboard (Ctrl+Insert, Shift+Delete, Shift+Insert). The range is the current
    // cell (the current row's non-fixed cells with goRowSelect). Cutting and pasting change
    // only cells that resolve as editable.
    void CopyToClipboard() const;
    void CutToClipboard();
    void PasteFromClipboard();

    // ---- Grid descriptions (see GridDescription.h for the notation). Loading applies the
    // values named, replaces all records and hints, and the texts when a Cells stream is
    // given. Returns an empty string, or an error naming line and entry, in which case the
    // grid is left unchanged.
    QString loadDescription(const QString &text, const QString &source = QString());
    QString loadDescriptionFile(const QString &path); // e.g. ":/grids/<file>"
    QString writeDescription() const;
    // Texts were loaded from a description; only then does writeDescription write them.
    bool CellsFromDescription() const { return m_cellsFromDescription; }

    // Marks the whole grid for one repaint (and one model dataChanged) after the running
    // handler. Every write calls it; `textUnchanged` when only background colours changed.
    void Invalidate(bool textUnchanged = false);

    // Asked before a cell hint shows: may change the text or the place, or forbid it.
    std::function<void(TCellGrid &sender, int col, int row, THintInfo &info, bool &canShow, QString &hint)>
        OnShowHintCell;

signals:
    // The mouse moved over the grid; position in viewport coordinates.
    void mouseMoved(int x, int y);
    void currentCellChanged(int col, int row);
    // A column's width or a row's height changed, whatever changed it (a size set, a default
    // size, columns or rows added, removed or moved, a description loaded).
    void OnColWidthsChanged();
    void OnRowHeightsChanged();
    // The left button was pressed and released on the same cell of a fixed column (a row
    // header) or of a fixed row (a column header); a corner cell is in both.
    void OnFixedColClick(int col, int row);
    void OnFixedRowClick(int col, int row);

protected:
    enum CellStateFlag { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
    Q_DECLARE_FLAGS(CellState, CellStateFlag)
    // The two steps of drawing a cell, for grids that draw cells their own way. `rect` is the
    // cell's area: the cell, widened by the space of a grid line that is not drawn beside it.
    // Fills the cell's background: its resolved brush, or the selected colour.
    virtual void prepareCell(QPainter &p, int col, int row, const QRect &rect, CellState state);
    // Draws the cell's text 2 pixels inside `rect`, at the top, aligned as resolved. Texts
    // live on a layer of their own that is drawn again only when texts, fonts, sizes, the
    // current cell or the scroll position change (Invalidate() forces it); single-line
    // texts of the base step reach the layer after the last cell.
    virtual void drawCellText(QPainter &p, int col, int row, const QRect &rect, CellState state);

    bool event(QEvent *e) override;
    bool viewportEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    // TCellPropertiesOwner: a record of this grid changed.
    void propertiesChanged(bool textUnchanged) override;
    // TCellGridContent: what the model reads.
    int contentColCount() const override { return m_colCount; }
    int contentRowCount() const override { return m_rowCount; }
    QString contentText(int col, int row) const override { return Cells(col, row); }
    QString contentHint(int col, int row) const override { return HintCell(col, row); }
    QColor contentColor(int col, int row) const override { return CellColor(col, row); }
    const TMyFont &contentFont(int col, int row) const override { return CellFont(col, row); }
    TMyAlign contentAlignment(int col, int row) const override { return CellAlignment(col, row); }
    bool contentEditable(int col, int row) const override { return CellEditable(col, row); }
    // TCellGridGeometry: what the accessibility reads besides the model.
    const TCellGridModel &cellModel() const override { return *m_model; }
    int fixedColCount() const override { return m_fixedCols; }
    int fixedRowCount() const override { return m_fixedRows; }
    bool colShown(int col) const override { return ColWidths(col) >= 0; }
    bool rowShown(int row) const override { return RowHeights(row) >= 0; }
    QRect shownCellRect(int col, int row) const override { return CellRect(col, row); }
    void cellAtPoint(const QPoint &pos, int &col, int &row) const override { MouseToCell(pos, col, row); }
    int currentCol() const override { return m_col; }
    int currentRow() const override { return m_row; }

    using PropSlot = std::unique_ptr<TCellProperties>;
    using PropList = std::vector<PropSlot>;
    using TextTable = std::vector<std::vector<QString>>; // [col][row]

    // The drawn properties of a cell, resolved in one pass.
    struct Look
    {
        const TMyBrush *brush;
        const TMyFont *font;
        TMyAlign align;
        T_Wordwrap wrap;
    };
    Look resolve(int col, int row) const;
    const TCellProperties *cellRecord(int col, int row) const;
    std::array<const TCellProperties *, 3> levels(int col, int row, bool fixedTables) const;
    PropSlot &propSlot(PropTable table, int index, int row);
    void flushUpdate();
    void clampCurrent();
    // The shown non-fixed column (row) nearest to `col`, the lower of two as near; `col`
    // itself when none is shown.
    int nearestShownCol(int col) const;
    int nearestShownRow(int row) const;
    // The next shown non-fixed column (row) from `col` on in the direction of `step` (1 or
    // -1); `col` itself when there is none.
    int nextShownCol(int col, int step) const;
    int nextShownRow(int row, int step) const;
    bool isShown(int col, int row) const { return colShown(col) && rowShown(row); }
    void adoptRecords();

    // Drawing (CellGridView.cpp)
    struct GlyphBatch;
    struct Spans;
    Spans shownSpans() const;
    CellState cellState(int col, int row) const;
    bool showsSelected(CellState state) const;
    void renderTextLayer(const Spans &spans, qreal dpr);
    // Geometry (CellGridView.cpp)
    int colLineSpace() const;
    int rowLineSpace() const;
    bool drawsVertLine(int col, int row) const;
    bool drawsHorzLine(int col, int row) const;
    QRect cellArea(int col, int row, const QRect &cell) const;
    int colExtent(int col) const;
    int rowExtent(int row) const;
    void updateScrollBars();
    void scrollToCell(int col, int row);
    bool showHint(class QHelpEvent *e);
    // Keyboard (CellGridInput.cpp)
    bool tabStep(bool forward);
    bool stepCell(T_nextcell dir, int &col, int &row) const;
    void startCell(T_nextcell dir, int &col, int &row) const;
    QRect clipboardRange() const;

    TCellGridModel *m_model;
    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    std::vector<char> m_tabStops;
    TextTable m_cells; // exactly ColCount x RowCount

    std::vector<PropList> m_cellProps; // [col][row], grown on demand
    PropList m_colProps, m_rowProps, m_fixedColProps, m_fixedRowProps;
    TextTable m_hints;         // grown on demand
    TCellProperties m_scratch; // target of writes to invalid indexes

    TMyBrush m_brush;      // Color
    TMyBrush m_fixedBrush; // FixedColor
    TStoredColor m_selectedCellColor;
    TStoredColor m_selectedFontColor;
    TMyFont m_gridFont; // QWidget::font() with FontColor
    TMyFont m_fixedFont;
    QColor m_lineColor;
    QColor m_fixedLineColor;
    TMyAlign m_alignment = alLeft;
    T_Wordwrap m_wordwrap = ww_none;
    bool m_editable = true;
    bool m_drawSelection = true;
    bool m_showCellHints = true;
    bool m_redrawWhileScroll = false;
    T_nextcell m_nextCellTab = nc_rightdown;
    T_lastcell m_afterLastCellTab = lc_first;
    GridOptions m_options = GridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    TScrollStyle m_scrollBars = ssBoth;

    int m_col = 1;
    int m_row = 1;
    int m_hintCol = -1; // the cell whose hint shows
    int m_hintRow = -1;
    QPoint m_pressedFixed{-1, -1}; // the fixed cell the left button went down on
    bool m_updatePending = false;
    QImage m_textLayer; // the texts of the shown cells, over a transparent ground
    std::vector<GlyphBatch> *m_glyphs = nullptr; // while the text layer is drawn
    bool m_textLayerDirty = true;
    bool m_cellsFromDescription = false;
    // A grid scrolled to the end of an axis stays at that end when its size or its columns
    // and rows change, also through sizes at which it needs no scrolling.
    bool m_atRightEnd = false;
    bool m_atBottomEnd = false;
    bool m_adjustingScrollBars = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TCellGrid::GridOptions)
