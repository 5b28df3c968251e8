// TCellGrid: keyboard navigation, Tab between cells and the clipboard keys.
#include "widgets/grid/CellGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>

namespace {

enum class Key { None, Copy, Cut, Paste, Tab, Backtab };

Key classify(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (e->key() == Qt::Key_Insert && mods == Qt::ControlModifier) return Key::Copy;
    if (e->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) return Key::Cut;
    if (e->key() == Qt::Key_Insert && mods == Qt::ShiftModifier) return Key::Paste;
    if (e->key() == Qt::Key_Tab && mods == Qt::NoModifier) return Key::Tab;
    if ((e->key() == Qt::Key_Backtab || e->key() == Qt::Key_Tab) && mods == Qt::ShiftModifier)
        return Key::Backtab;
    return Key::None;
}

T_nextcell opposite(T_nextcell d)
{
    static constexpr T_nextcell back[] = {nc_leftup,    nc_upleft,    nc_rightup,  nc_upright,
                                          nc_rightdown, nc_downright, nc_leftdown, nc_downleft};
    return back[d];
}

// Directions that move along a row first and change the row at the end of it.
bool rowFirst(T_nextcell d)
{
    return d == nc_rightdown || d == nc_leftdown || d == nc_leftup || d == nc_rightup;
}

} // namespace

bool TCellGrid::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
        const Key key = classify(static_cast<QKeyEvent *>(e));
        const bool tab = key == Key::Tab || key == Key::Backtab;
        if ((tab && (m_options & goTabs)) || key == Key::Copy || key == Key::Cut || key == Key::Paste) {
            if (e->type() == QEvent::ShortcutOverride) {
                e->accept();
                return true;
            }
            if (tab) {
                tabStep(key == Key::Tab);
                return true;
            }
        }
    }
    return QAbstractScrollArea::event(e);
}

void TCellGrid::keyPressEvent(QKeyEvent *e)
{
    switch (classify(e)) {
    case Key::Copy:
        CopyToClipboard();
        return;
    case Key::Cut:
        CutToClipboard();
        return;
    case Key::Paste:
        PasteFromClipboard();
        return;
    default:
        break;
    }
    if (e->modifiers() & (Qt::AltModifier | Qt::ShiftModifier)) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Left:
        setCurrentCell(nextShownCol(m_col, -1), m_row);
        break;
    case Qt::Key_Right:
        setCurrentCell(nextShownCol(m_col, 1), m_row);
        break;
    case Qt::Key_Up:
        setCurrentCell(m_col, nextShownRow(m_row, -1));
        break;
    case Qt::Key_Down:
        setCurrentCell(m_col, nextShownRow(m_row, 1));
        break;
    case Qt::Key_Home:
        setCurrentCell(m_fixedCols, ctrl ? m_fixedRows : m_row);
        break;
    case Qt::Key_End:
        setCurrentCell(m_colCount - 1, ctrl ? m_rowCount - 1 : m_row);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    e->accept();
}

// ---------------------------------------------------------------- Tab between cells

// One step over the non-fixed cells; false when the step leaves them, with (col, row)
// where the step ended up.
bool TCellGrid::stepCell(T_nextcell dir, int &col, int &row) const
{
    const int fc = m_fixedCols, fr = m_fixedRows, lc = m_colCount - 1, lr = m_rowCount - 1;
    // Each direction: the step along its first axis; at that axis' end, back to its start
    // and one step along the second axis, which ends the walk when it leaves the cells.
    switch (dir) {
    case nc_rightdown:
        if (++col > lc) col = fc, ++row;
        return row <= lr;
    case nc_downright:
        if (++row > lr) row = fr, ++col;
        return col <= lc;
    case nc_leftdown:
        if (--col < fc) col = lc, ++row;
        return row <= lr;
    case nc_downleft:
        if (++row > lr) row = fr, --col;
        return col >= fc;
    case nc_leftup:
        if (--col < fc) col = lc, --row;
        return row >= fr;
    case nc_upleft:
        if (--row < fr) row = lr, --col;
        return col >= fc;
    case nc_rightup:
        if (++col > lc) col = fc, --row;
        return row >= fr;
    case nc_upright:
        if (--row < fr) row = lr, ++col;
        return col <= lc;
    }
    return false;
}

// The cell where a direction starts.
void TCellGrid::startCell(T_nextcell dir, int &col, int &row) const
{
    const bool fromLeft =
        dir == nc_rightdown || dir == nc_downright || dir == nc_rightup || dir == nc_upright;
    const bool fromTop =
        dir == nc_rightdown || dir == nc_downright || dir == nc_leftdown || dir == nc_downleft;
    col = fromLeft ? m_fixedCols : m_colCount - 1;
    row = fromTop ? m_fixedRows : m_rowCount - 1;
}

bool TCellGrid::tabStep(bool forward)
{
    if (m_fixedCols >= m_colCount || m_fixedRows >= m_rowCount) return false;
    const T_nextcell dir = forward ? m_nextCellTab : opposite(m_nextCellTab);
    const int cells = (m_colCount - m_fixedCols) * (m_rowCount - m_fixedRows);
    int col = m_col, row = m_row;
    bool inside = true;
    for (int n = 0; n <= cells && inside; ++n) {
        inside = stepCell(dir, col, row);
        if (inside && TabStops(col) && isShown(col, row)) {
            setCurrentCell(col, row);
            return true;
        }
    }
    switch (m_afterLastCellTab) {
    case lc_stop:
        break;
    case lc_first:
        startCell(dir, col, row);
        for (int n = 0; n < cells && !(TabStops(col) && isShown(col, row)); ++n)
            if (!stepCell(dir, col, row)) return true;
        setCurrentCell(col, row);
        break;
    case lc_exit:
        focusNextPrevChild(forward);
        break;
    case lc_newcolrow:
        // A new row or column where the direction goes on: appended after the last one, or
        // inserted before the first non-fixed one.
        if (!inside && rowFirst(dir)) {
            if (row > m_fixedRows) {
                setRowCount(m_rowCount + 1);
                row = m_rowCount - 1;
            } else {
                InsertRow(m_fixedRows);
                row = m_fixedRows;
            }
        } else if (!inside) {
            if (col > m_fixedCols) {
                setColCount(m_colCount + 1);
                col = m_colCount - 1;
            } else {
                InsertCol(m_fixedCols);
                col = m_fixedCols;
            }
        }
        setCurrentCell(col, row);
        break;
    }
    return true;
}

// ---------------------------------------------------------------- clipboard

QRect TCellGrid::clipboardRange() const
{
    if (m_options & goRowSelect) return QRect(QPoint(m_fixedCols, m_row), QPoint(m_colCount - 1, m_row));
    return QRect(m_col, m_row, 1, 1);
}

void TCellGrid::CopyToClipboard() const
{
    const QRect range = clipboardRange();
    QString text;
    for (int r = range.top(); r <= range.bottom(); ++r) {
        for (int c = range.left(); c <= range.right(); ++c)
            text += Cells(c, r) + u'\t';
        text += QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(text);
}

void TCellGrid::CutToClipboard()
{
    CopyToClipboard();
    const QRect range = clipboardRange();
    for (int r = range.top(); r <= range.bottom(); ++r)
        for (int c = range.left(); c <= range.right(); ++c)
            if (CellEditable(c, r)) setCells(c, r, QString());
}

void TCellGrid::PasteFromClipboard()
{
    const QRect range = clipboardRange();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = QGuiApplication::clipboard()->text().split(lineEnd);
    for (int k = 0; k < lines.size() && range.top() + k <= range.bottom(); ++k) {
        const QStringList fields = lines[k].split(u'\t');
        for (int m = 0; m < fields.size() && range.left() + m <= range.right(); ++m) {
            const int c = range.left() + m, r = range.top() + k;
            if (CellEditable(c, r)) setCells(c, r, fields[m]);
        }
    }
}
