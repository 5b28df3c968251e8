// TCellGrid: the tables, grid-wide values, resolution and structure changes. Drawing and
// scrolling are in CellGridView.cpp, keys and the clipboard in CellGridInput.cpp, the
// description files in CellGridStore.cpp.
#include "widgets/grid/CellGrid.h"

#include "common/SystemColors.h"
#include "widgets/grid/CellGridAccessible.h"
#include "widgets/grid/CellGridModel.h"

#include <QScrollBar>

#include <algorithm>

namespace {

// Sparse tables grow on demand, so an index past their end is an empty slot: shifting only
// touches what exists.
template <class T> void insertSlot(std::vector<T> &v, int i)
{
    if (size_t(i) < v.size()) v.insert(v.begin() + i, T());
}

template <class T> void eraseSlot(std::vector<T> &v, int i)
{
    if (size_t(i) < v.size()) v.erase(v.begin() + i);
}

template <class T> void moveSlot(std::vector<T> &v, int from, int to)
{
    if (size_t(std::min(from, to)) >= v.size()) return;
    if (size_t(std::max(from, to)) >= v.size()) v.resize(std::max(from, to) + 1);
    if (from < to)
        std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
    else
        std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

const TCellProperties *recordAt(const std::vector<std::unique_ptr<TCellProperties>> &list, int i)
{
    return i >= 0 && size_t(i) < list.size() ? list[i].get() : nullptr;
}

// The toolkit's default font: MS Sans Serif, 11 pixels, window-text colour.
TMyFont defaultFixedFont()
{
    return TMyFont(TStoredColor(SystemColors::storedSystem(SystemColors::WindowText)), -11,
                   QStringLiteral("MS Sans Serif"), 0, 0);
}

} // namespace

TCellGrid::TCellGrid(QWidget *parent)
    : QAbstractScrollArea(parent), m_model(new TCellGridModel(*this, this)),
      m_brush(TStoredColor(SystemColors::storedSystem(SystemColors::Window))),
      m_fixedBrush(TStoredColor(SystemColors::storedSystem(SystemColors::BtnFace))),
      m_selectedCellColor(SystemColors::storedSystem(SystemColors::ActiveCaption)),
      m_selectedFontColor(SystemColors::toStored(Qt::white)),
      m_gridFont(
          TMyFont::fromQFont(font(), TStoredColor(SystemColors::storedSystem(SystemColors::WindowText)))),
      m_fixedFont(defaultFixedFont()), m_lineColor(192, 192, 192), m_fixedLineColor(Qt::black)
{
    m_colWidths.assign(m_colCount, m_defaultColWidth);
    m_rowHeights.assign(m_rowCount, m_defaultRowHeight);
    m_tabStops.assign(m_colCount, 1);
    m_cells.assign(m_colCount, std::vector<QString>(m_rowCount));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // paintEvent covers every pixel of the viewport.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    setRedrawWhileScroll(false);
    updateScrollBars();
}

TCellGrid::~TCellGrid() = default;

// ---------------------------------------------------------------- repaint coalescing

void TCellGrid::Invalidate(bool textUnchanged)
{
    if (!textUnchanged) m_textLayerDirty = true;
    if (m_updatePending) return;
    m_updatePending = true;
    QMetaObject::invokeMethod(this, &TCellGrid::flushUpdate, Qt::QueuedConnection);
}

void TCellGrid::propertiesChanged(bool textUnchanged)
{
    Invalidate(textUnchanged);
}

void TCellGrid::flushUpdate()
{
    m_updatePending = false;
    viewport()->update();
    m_model->emitAllChanged();
}

// ---------------------------------------------------------------- size and layout

void TCellGrid::setColCount(int count)
{
    count = std::max(1, count);
    const int old = m_colCount;
    if (count == old) return;
    if (count > old)
        m_model->beginInsertColumns({}, old, count - 1);
    else
        m_model->beginRemoveColumns({}, count, old - 1);
    m_fixedCols = std::min(m_fixedCols, count - 1);
    m_colWidths.resize(count, m_defaultColWidth);
    m_tabStops.resize(count, 1);
    m_cells.resize(count, std::vector<QString>(m_rowCount));
    m_colCount = count;
    if (count > old)
        m_model->endInsertColumns();
    else
        m_model->endRemoveColumns();
    clampCurrent();
    updateScrollBars();
    Invalidate();
    emit OnColWidthsChanged();
}

void TCellGrid::setRowCount(int count)
{
    count = std::max(1, count);
    const int old = m_rowCount;
    if (count == old) return;
    if (count > old)
        m_model->beginInsertRows({}, old, count - 1);
    else
        m_model->beginRemoveRows({}, count, old - 1);
    m_fixedRows = std::min(m_fixedRows, count - 1);
    m_rowHeights.resize(count, m_defaultRowHeight);
    for (auto &column : m_cells)
        column.resize(count);
    m_rowCount = count;
    if (count > old)
        m_model->endInsertRows();
    else
        m_model->endRemoveRows();
    clampCurrent();
    updateScrollBars();
    Invalidate();
    emit OnRowHeightsChanged();
}

// A new count of fixed columns starts the grid over at its first non-fixed column: shown
// first and current.
void TCellGrid::setFixedCols(int count)
{
    count = std::clamp(count, 0, m_colCount - 1);
    if (count == m_fixedCols) return;
    m_fixedCols = count;
    updateScrollBars();
    horizontalScrollBar()->setValue(count);
    setCurrentCell(count, m_row);
    Invalidate();
}

void TCellGrid::setFixedRows(int count)
{
    count = std::clamp(count, 0, m_rowCount - 1);
    if (count == m_fixedRows) return;
    m_fixedRows = count;
    updateScrollBars();
    verticalScrollBar()->setValue(count);
    setCurrentCell(m_col, count);
    Invalidate();
}

void TCellGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    const bool changed = std::any_of(m_colWidths.begin(), m_colWidths.end(), [width](int w) { return w != width; });
    m_colWidths.assign(m_colCount, width);
    updateScrollBars();
    Invalidate();
    if (changed) emit OnColWidthsChanged();
}

void TCellGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    const bool changed =
        std::any_of(m_rowHeights.begin(), m_rowHeights.end(), [height](int h) { return h != height; });
    m_rowHeights.assign(m_rowCount, height);
    updateScrollBars();
    Invalidate();
    if (changed) emit OnRowHeightsChanged();
}

int TCellGrid::ColWidths(int col) const
{
    return col >= 0 && col < m_colCount ? m_colWidths[col] : 0;
}

void TCellGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= m_colCount) return;
    width = std::max(-1, width);
    const bool changed = m_colWidths[col] != width;
    m_colWidths[col] = width;
    clampCurrent();
    updateScrollBars();
    Invalidate();
    if (changed) emit OnColWidthsChanged();
}

int TCellGrid::RowHeights(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rowHeights[row] : 0;
}

void TCellGrid::setRowHeights(int row, int height)
{
    if (row < 0 || row >= m_rowCount) return;
    height = std::max(-1, height);
    const bool changed = m_rowHeights[row] != height;
    m_rowHeights[row] = height;
    clampCurrent();
    updateScrollBars();
    Invalidate();
    if (changed) emit OnRowHeightsChanged();
}

void TCellGrid::setGridLineWidth(int width)
{
    m_gridLineWidth = std::max(0, width);
    updateScrollBars();
    Invalidate();
}

void TCellGrid::setOptions(GridOptions options)
{
    m_options = options;
    updateScrollBars();
    Invalidate();
}

void TCellGrid::setScrollBars(TScrollStyle bars)
{
    m_scrollBars = bars;
    const auto policy = [](bool on) { return on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
    setHorizontalScrollBarPolicy(policy(bars == ssHorizontal || bars == ssBoth));
    setVerticalScrollBarPolicy(policy(bars == ssVertical || bars == ssBoth));
}

void TCellGrid::setRedrawWhileScroll(bool on)
{
    m_redrawWhileScroll = on;
    horizontalScrollBar()->setTracking(on);
    verticalScrollBar()->setTracking(on);
}

bool TCellGrid::TabStops(int col) const
{
    return col >= 0 && col < m_colCount && m_tabStops[col];
}

void TCellGrid::setTabStops(int col, bool on)
{
    if (col >= 0 && col < m_colCount) m_tabStops[col] = on;
}

void TCellGrid::setGridLineColor(const QColor &color)
{
    m_lineColor = color;
    Invalidate();
}

void TCellGrid::setFixedLineColor(const QColor &color)
{
    m_fixedLineColor = color;
    Invalidate();
}

// ---------------------------------------------------------------- texts and hints

QString TCellGrid::Cells(int col, int row) const
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount) return {};
    return m_cells[col][row];
}

void TCellGrid::setCells(int col, int row, const QString &text)
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount) return;
    // Writing the text a cell already shows must not cost a new layout of every text.
    if (m_cells[col][row] == text) return;
    m_cells[col][row] = text;
    Invalidate();
}

QString TCellGrid::HintCell(int col, int row) const
{
    if (col < 0 || size_t(col) >= m_hints.size() || row < 0 || size_t(row) >= m_hints[col].size()) return {};
    return m_hints[col][row];
}

void TCellGrid::setHintCell(int col, int row, const QString &hint)
{
    if (col < 0 || row < 0) return;
    if (hint.isEmpty() && HintCell(col, row).isEmpty()) return;
    if (size_t(col) >= m_hints.size()) m_hints.resize(col + 1);
    if (size_t(row) >= m_hints[col].size()) m_hints[col].resize(row + 1);
    m_hints[col][row] = hint;
    Invalidate(true); // nothing to draw; the model's tooltips change
}

void TCellGrid::ClearHints()
{
    m_hints.clear();
    Invalidate(true);
}

// ---------------------------------------------------------------- grid-wide values

void TCellGrid::setColor(TStoredColor color)
{
    m_brush.setColor(color);
    Invalidate(true);
}

void TCellGrid::setFixedColor(TStoredColor color)
{
    m_fixedBrush.setColor(color);
    Invalidate(true);
}

void TCellGrid::setSelectedCellColor(TStoredColor color)
{
    m_selectedCellColor = color;
    Invalidate(true);
}

void TCellGrid::setSelectedFontColor(TStoredColor color)
{
    m_selectedFontColor = color;
    Invalidate();
}

void TCellGrid::setFontColor(TStoredColor color)
{
    m_gridFont = TMyFont::fromQFont(font(), color);
    Invalidate();
}

void TCellGrid::setFixedFont(const TMyFont &font)
{
    m_fixedFont = font;
    Invalidate();
}

void TCellGrid::setAlignment(TMyAlign a)
{
    m_alignment = a;
    Invalidate();
}

void TCellGrid::setWordwrap(T_Wordwrap w)
{
    m_wordwrap = w;
    Invalidate();
}

void TCellGrid::setEditable(bool on)
{
    m_editable = on;
    Invalidate(true); // nothing to draw; the model's flags change
}

void TCellGrid::setDrawSelection(bool on)
{
    m_drawSelection = on;
    Invalidate();
}

void TCellGrid::setShowCellHints(bool on)
{
    m_showCellHints = on;
}

// ---------------------------------------------------------------- property records

TCellGrid::PropSlot &TCellGrid::propSlot(PropTable table, int index, int row)
{
    PropList *list = &m_colProps;
    int i = index;
    switch (table) {
    case PropTable::Cell:
        if (size_t(index) >= m_cellProps.size()) m_cellProps.resize(index + 1);
        list = &m_cellProps[index];
        i = row;
        break;
    case PropTable::Col:
        break;
    case PropTable::Row:
        list = &m_rowProps;
        break;
    case PropTable::FixedCol:
        list = &m_fixedColProps;
        break;
    case PropTable::FixedRow:
        list = &m_fixedRowProps;
        break;
    }
    if (size_t(i) >= list->size()) list->resize(i + 1);
    return (*list)[i];
}

const TCellProperties *TCellGrid::Props(PropTable table, int index, int row) const
{
    switch (table) {
    case PropTable::Cell:
        return cellRecord(index, row);
    case PropTable::Col:
        return recordAt(m_colProps, index);
    case PropTable::Row:
        return recordAt(m_rowProps, index);
    case PropTable::FixedCol:
        return recordAt(m_fixedColProps, index);
    case PropTable::FixedRow:
        return recordAt(m_fixedRowProps, index);
    }
    return nullptr;
}

TCellProperties &TCellGrid::TakeProps(PropTable table, int index, int row)
{
    if (index < 0 || row < 0) {
        qWarning("TCellGrid::TakeProps: negative index %d, %d", index, row);
        return m_scratch;
    }
    PropSlot &slot = propSlot(table, index, row);
    if (!slot) slot = std::make_unique<TCellProperties>(static_cast<TCellPropertiesOwner *>(this));
    return *slot;
}

void TCellGrid::ClearProps()
{
    m_cellProps.clear();
    m_colProps.clear();
    m_rowProps.clear();
    m_fixedColProps.clear();
    m_fixedRowProps.clear();
    Invalidate();
}

void TCellGrid::ForEachProps(PropTable table,
                             const std::function<void(int, int, const TCellProperties &)> &visit) const
{
    const auto visitList = [&visit](const PropList &list, bool rows, int col) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] && !list[i]->isEmpty())
                rows ? visit(col, int(i), *list[i]) : visit(int(i), 0, *list[i]);
    };
    switch (table) {
    case PropTable::Cell:
        for (size_t c = 0; c < m_cellProps.size(); ++c)
            visitList(m_cellProps[c], true, int(c));
        break;
    case PropTable::Col:
        visitList(m_colProps, false, 0);
        break;
    case PropTable::Row:
        visitList(m_rowProps, false, 0);
        break;
    case PropTable::FixedCol:
        visitList(m_fixedColProps, false, 0);
        break;
    case PropTable::FixedRow:
        visitList(m_fixedRowProps, false, 0);
        break;
    }
}

void TCellGrid::adoptRecords()
{
    const auto adopt = [this](PropList &list) {
        for (auto &slot : list)
            if (slot) slot->setOwner(this);
    };
    for (auto &column : m_cellProps)
        adopt(column);
    adopt(m_colProps);
    adopt(m_rowProps);
    adopt(m_fixedColProps);
    adopt(m_fixedRowProps);
}

// ---------------------------------------------------------------- resolution

const TCellProperties *TCellGrid::cellRecord(int col, int row) const
{
    return col >= 0 && size_t(col) < m_cellProps.size() ? recordAt(m_cellProps[col], row) : nullptr;
}

// The record levels of a cell in resolution order; fixed cells use the fixed tables unless
// `fixedTables` is false (the selected colours).
std::array<const TCellProperties *, 3> TCellGrid::levels(int col, int row, bool fixedTables) const
{
    const bool fixed = fixedTables && IsFixed(col, row);
    return {cellRecord(col, row), recordAt(fixed ? m_fixedColProps : m_colProps, col),
            recordAt(fixed ? m_fixedRowProps : m_rowProps, row)};
}

TCellGrid::Look TCellGrid::resolve(int col, int row) const
{
    Look look{nullptr, nullptr, alDefault, ww_default};
    for (const TCellProperties *rec : levels(col, row, true)) {
        if (!rec) continue;
        if (!look.brush && rec->brush()) look.brush = &*rec->brush();
        if (!look.font && rec->font()) look.font = &*rec->font();
        if (look.align == alDefault) look.align = rec->alignment();
        if (look.wrap == ww_default) look.wrap = rec->wordwrap();
    }
    const bool fixed = IsFixed(col, row);
    if (!look.brush) look.brush = fixed ? &m_fixedBrush : &m_brush;
    if (!look.font) look.font = fixed ? &m_fixedFont : &m_gridFont;
    if (look.align == alDefault) look.align = m_alignment == alDefault ? alLeft : m_alignment;
    if (look.wrap == ww_default) look.wrap = m_wordwrap == ww_default ? ww_none : m_wordwrap;
    return look;
}

TMyAlign TCellGrid::CellAlignment(int col, int row) const
{
    return resolve(col, row).align;
}

T_Wordwrap TCellGrid::CellWordwrap(int col, int row) const
{
    return resolve(col, row).wrap;
}

bool TCellGrid::CellEditable(int col, int row) const
{
    for (const TCellProperties *rec : levels(col, row, true))
        if (rec && rec->editable() != ed_default) return rec->editable() == ed_editable;
    return m_editable;
}

const TMyBrush &TCellGrid::CellBrush(int col, int row) const
{
    return *resolve(col, row).brush;
}

const TMyFont &TCellGrid::CellFont(int col, int row) const
{
    return *resolve(col, row).font;
}

QColor TCellGrid::CellSelectedColor(int col, int row) const
{
    for (const TCellProperties *rec : levels(col, row, false))
        if (rec && rec->selectedBrush()) return rec->selectedBrush()->color();
    return m_selectedCellColor.color();
}

QColor TCellGrid::CellSelectedFontColor(int col, int row) const
{
    for (const TCellProperties *rec : levels(col, row, false))
        if (rec && rec->selectedFont()) return rec->selectedFont()->color();
    return m_selectedFontColor.color();
}

void TCellGrid::setCellColor(int col, int row, const QColor &color)
{
    TakeProps(PropTable::Cell, col, row).setBrushColor(TStoredColor::fromColor(color), m_brush);
}

// ---------------------------------------------------------------- current cell

void TCellGrid::setCurrentCell(int col, int row)
{
    if (col < m_fixedCols || col >= m_colCount || row < m_fixedRows || row >= m_rowCount) return;
    // The cell asked for decides the scrolling; the keyboard, and a screen reader with it,
    // go on from a cell the user can see.
    scrollToCell(col, row);
    col = nearestShownCol(col);
    row = nearestShownRow(row);
    const bool changed = col != m_col || row != m_row;
    m_col = col;
    m_row = row;
    if (changed) {
        m_textLayerDirty = true;
        viewport()->update();
        emit currentCellChanged(col, row);
        TCellGridAccessible::announceCurrentCell(*this, *this);
    }
}

void TCellGrid::clampCurrent()
{
    const int col = nearestShownCol(std::clamp(m_col, m_fixedCols, m_colCount - 1));
    const int row = nearestShownRow(std::clamp(m_row, m_fixedRows, m_rowCount - 1));
    if (col == m_col && row == m_row) return;
    m_col = col;
    m_row = row;
    m_textLayerDirty = true;
    emit currentCellChanged(col, row);
    TCellGridAccessible::announceCurrentCell(*this, *this);
}

namespace {

// Shown entries of a column width or row height list are those not -1.
int nearestShownIndex(const std::vector<int> &sizes, int fixed, int index)
{
    for (int d = 0; index - d >= fixed || index + d < int(sizes.size()); ++d) {
        if (index - d >= fixed && sizes[index - d] >= 0) return index - d;
        if (index + d < int(sizes.size()) && sizes[index + d] >= 0) return index + d;
    }
    return index;
}

int nextShownIndex(const std::vector<int> &sizes, int fixed, int index, int step)
{
    for (int i = index + step; i >= fixed && i < int(sizes.size()); i += step)
        if (sizes[i] >= 0) return i;
    return index;
}

} // namespace

int TCellGrid::nearestShownCol(int col) const
{
    return nearestShownIndex(m_colWidths, m_fixedCols, col);
}

int TCellGrid::nearestShownRow(int row) const
{
    return nearestShownIndex(m_rowHeights, m_fixedRows, row);
}

int TCellGrid::nextShownCol(int col, int step) const
{
    return nextShownIndex(m_colWidths, m_fixedCols, col, step);
}

int TCellGrid::nextShownRow(int row, int step) const
{
    return nextShownIndex(m_rowHeights, m_fixedRows, row, step);
}

// ---------------------------------------------------------------- structure

void TCellGrid::InsertCol(int index)
{
    index = std::clamp(index, 0, m_colCount);
    m_model->beginInsertColumns({}, index, index);
    m_cells.insert(m_cells.begin() + index, std::vector<QString>(m_rowCount));
    m_colWidths.insert(m_colWidths.begin() + index, m_defaultColWidth);
    m_tabStops.insert(m_tabStops.begin() + index, 1);
    insertSlot(m_cellProps, index);
    insertSlot(m_colProps, index);
    insertSlot(m_fixedColProps, index);
    insertSlot(m_hints, index);
    ++m_colCount;
    m_model->endInsertColumns();
    updateScrollBars();
    Invalidate();
    emit OnColWidthsChanged();
}

void TCellGrid::DeleteCol(int index)
{
    if (index < 0 || index >= m_colCount || m_colCount <= 1) return;
    m_model->beginRemoveColumns({}, index, index);
    m_cells.erase(m_cells.begin() + index);
    m_colWidths.erase(m_colWidths.begin() + index);
    m_tabStops.erase(m_tabStops.begin() + index);
    eraseSlot(m_cellProps, index);
    eraseSlot(m_colProps, index);
    eraseSlot(m_fixedColProps, index);
    eraseSlot(m_hints, index);
    --m_colCount;
    if (m_fixedCols >= m_colCount) m_fixedCols = m_colCount - 1;
    m_model->endRemoveColumns();
    clampCurrent();
    updateScrollBars();
    Invalidate();
    emit OnColWidthsChanged();
}

void TCellGrid::MoveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_colCount || to >= m_colCount) return;
    m_model->beginMoveColumns({}, from, from, {}, to > from ? to + 1 : to);
    moveSlot(m_cells, from, to);
    moveSlot(m_colWidths, from, to);
    moveSlot(m_tabStops, from, to);
    moveSlot(m_cellProps, from, to);
    moveSlot(m_colProps, from, to);
    moveSlot(m_fixedColProps, from, to);
    moveSlot(m_hints, from, to);
    m_model->endMoveColumns();
    updateScrollBars();
    Invalidate();
    emit OnColWidthsChanged();
}

void TCellGrid::InsertRow(int index)
{
    index = std::clamp(index, 0, m_rowCount);
    m_model->beginInsertRows({}, index, index);
    for (auto &column : m_cells)
        column.insert(column.begin() + index, QString());
    m_rowHeights.insert(m_rowHeights.begin() + index, m_defaultRowHeight);
    for (auto &column : m_cellProps)
        insertSlot(column, index);
    insertSlot(m_rowProps, index);
    insertSlot(m_fixedRowProps, index);
    for (auto &column : m_hints)
        insertSlot(column, index);
    ++m_rowCount;
    m_model->endInsertRows();
    updateScrollBars();
    Invalidate();
    emit OnRowHeightsChanged();
}

void TCellGrid::DeleteRow(int index)
{
    if (index < 0 || index >= m_rowCount || m_rowCount <= 1) return;
    m_model->beginRemoveRows({}, index, index);
    for (auto &column : m_cells)
        column.erase(column.begin() + index);
    m_rowHeights.erase(m_rowHeights.begin() + index);
    for (auto &column : m_cellProps)
        eraseSlot(column, index);
    eraseSlot(m_rowProps, index);
    eraseSlot(m_fixedRowProps, index);
    for (auto &column : m_hints)
        eraseSlot(column, index);
    --m_rowCount;
    if (m_fixedRows >= m_rowCount) m_fixedRows = m_rowCount - 1;
    m_model->endRemoveRows();
    clampCurrent();
    updateScrollBars();
    Invalidate();
    emit OnRowHeightsChanged();
}

void TCellGrid::MoveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_rowCount || to >= m_rowCount) return;
    m_model->beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    for (auto &column : m_cells)
        moveSlot(column, from, to);
    moveSlot(m_rowHeights, from, to);
    for (auto &column : m_cellProps)
        moveSlot(column, from, to);
    moveSlot(m_rowProps, from, to);
    moveSlot(m_fixedRowProps, from, to);
    for (auto &column : m_hints)
        moveSlot(column, from, to);
    m_model->endMoveRows();
    updateScrollBars();
    Invalidate();
    emit OnRowHeightsChanged();
}
