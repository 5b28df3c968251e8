// TCellGrid: geometry, scrolling, drawing, mouse and cell hints.
//
// Scrolling moves by whole cells, as in the toolkit grids: the horizontal scroll bar's value
// is the first scrolled column shown after the fixed ones (LeftCol), the vertical one's the
// first scrolled row (TopRow). A column takes its width plus the space of a vertical grid
// line when either vertical line option is on; a hidden column (width -1) takes nothing.
// Whether the line is drawn in that space is up to each cell: fixed cells follow the
// fixed-line options, the others the normal ones. Where it is not drawn, the cell takes the
// space.
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridAccessible.h"

#include <QApplication>
#include <QGlyphRun>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <cmath>
#include <utility>

namespace {

// The smallest first scrolled index that still fills `space` to the end of the axis.
template <class Extent> int lastFirst(int count, int fixed, int space, Extent extent)
{
    for (int i = 0; i < fixed; ++i)
        space -= extent(i);
    int first = count;
    while (first > fixed && extent(first - 1) <= space)
        space -= extent(--first);
    return std::max(fixed, std::min(first, count - 1));
}

// The first scrolled index that shows `index` when it is `first` now.
template <class Extent> int firstShowing(int index, int first, int fixed, int space, Extent extent)
{
    if (index < first) return index;
    for (int i = 0; i < fixed; ++i)
        space -= extent(i);
    int sum = 0;
    for (int i = first; i <= index; ++i)
        sum += extent(i);
    while (first < index && sum > space)
        sum -= extent(first++);
    return first;
}

// The shown indexes of an axis in screen order: the fixed ones, then from `first` on.
int firstShown(int fixed, int first)
{
    return fixed > 0 ? 0 : first;
}

int nextShown(int i, int fixed, int first)
{
    return i + 1 == fixed ? std::max(first, fixed) : i + 1;
}

// The index whose extent holds `pos`, -1 when none.
template <class Extent> int indexAt(int pos, int count, int fixed, int first, Extent extent)
{
    if (pos < 0) return -1;
    int edge = 0;
    for (int i = firstShown(fixed, first); i < count; i = nextShown(i, fixed, first)) {
        edge += extent(i);
        if (pos < edge) return i;
    }
    return -1;
}

// Position of `index` on the axis, or -1 when it is scrolled out to the front.
template <class Extent> int offsetOf(int index, int fixed, int first, Extent extent)
{
    if (index >= fixed && index < first) return -1;
    int pos = 0;
    for (int i = 0; i < std::min(index, fixed); ++i)
        pos += extent(i);
    for (int i = first; i < index; ++i)
        pos += extent(i);
    return pos;
}

// Lines on whole device pixels. Left to the painter, a line of one pixel at 1.25 takes one or
// two device pixels by where it falls, and columns look heavier than rows. Each line starts
// where the painter starts the space it stands in (a device edge rounds to the nearest pixel
// boundary, halves up) and takes as many device pixels as that space takes at most at this
// scale: every line of a width equally wide, none leaving a gap beside the cells (which are
// filled up to the line's space only). Where the widget lies in its window counts: a child's
// offset scales to fractions of a device pixel too.
class DeviceLines
{
public:
    explicit DeviceLines(QPainter &p) : m_p(p), m_device(p.deviceTransform())
    {
        m_snaps = m_device.type() <= QTransform::TxScale && m_device.m11() > 0 && m_device.m22() > 0;
    }

    void vertical(int x, int width, int top, int height, const QColor &color)
    {
        if (m_snaps) {
            const auto [left, extent] = snapped(x, width, m_device.m11(), m_device.dx());
            m_p.fillRect(QRectF(left, top, extent, height), color);
        } else {
            m_p.fillRect(QRect(x, top, width, height), color);
        }
    }

    void horizontal(int left, int width, int y, int height, const QColor &color)
    {
        if (m_snaps) {
            const auto [top, extent] = snapped(y, height, m_device.m22(), m_device.dy());
            m_p.fillRect(QRectF(left, top, width, extent), color);
        } else {
            m_p.fillRect(QRect(left, y, width, height), color);
        }
    }

private:
    // Start and extent, in the painter's pixels, of a line at `pos` `width` pixels wide.
    static std::pair<qreal, qreal> snapped(int pos, int width, qreal scale, qreal offset)
    {
        const qreal start = std::floor(pos * scale + offset + 0.5);
        // Without the tolerance a whole product such as 1 x 2 could come out as 2.0000000001.
        const qreal pixels = std::ceil(width * scale - 1e-9);
        return {(start - offset) / scale, pixels / scale};
    }

    QPainter &m_p;
    QTransform m_device;
    bool m_snaps;
};

} // namespace

int TCellGrid::colLineSpace() const
{
    return m_options & (goFixedVertLine | goVertLine) ? m_gridLineWidth : 0;
}

int TCellGrid::rowLineSpace() const
{
    return m_options & (goFixedHorzLine | goHorzLine) ? m_gridLineWidth : 0;
}

bool TCellGrid::drawsVertLine(int col, int row) const
{
    return m_options & (IsFixed(col, row) ? goFixedVertLine : goVertLine);
}

bool TCellGrid::drawsHorzLine(int col, int row) const
{
    return m_options & (IsFixed(col, row) ? goFixedHorzLine : goHorzLine);
}

QRect TCellGrid::cellArea(int col, int row, const QRect &cell) const
{
    QRect area = cell;
    if (!drawsVertLine(col, row)) area.setRight(area.right() + colLineSpace());
    if (!drawsHorzLine(col, row)) area.setBottom(area.bottom() + rowLineSpace());
    return area;
}

int TCellGrid::colExtent(int col) const
{
    return m_colWidths[col] < 0 ? 0 : m_colWidths[col] + colLineSpace();
}

int TCellGrid::rowExtent(int row) const
{
    return m_rowHeights[row] < 0 ? 0 : m_rowHeights[row] + rowLineSpace();
}

int TCellGrid::LeftCol() const
{
    return std::max(m_fixedCols, horizontalScrollBar()->value());
}

int TCellGrid::TopRow() const
{
    return std::max(m_fixedRows, verticalScrollBar()->value());
}

void TCellGrid::updateScrollBars()
{
    const auto cx = [this](int i) { return colExtent(i); };
    const auto ry = [this](int i) { return rowExtent(i); };
    const QSize client = viewport()->size();
    const int maxCol = lastFirst(m_colCount, m_fixedCols, client.width(), cx);
    const int maxRow = lastFirst(m_rowCount, m_fixedRows, client.height(), ry);
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    // The new ranges may cut the positions back; that is no scrolling of the user's.
    m_adjustingScrollBars = true;
    h->setRange(m_fixedCols, maxCol);
    v->setRange(m_fixedRows, maxRow);
    h->setPageStep(std::max(1, (m_colCount - m_fixedCols) - (maxCol - m_fixedCols)));
    v->setPageStep(std::max(1, (m_rowCount - m_fixedRows) - (maxRow - m_fixedRows)));
    if (m_atRightEnd) h->setValue(h->maximum());
    if (m_atBottomEnd) v->setValue(v->maximum());
    m_adjustingScrollBars = false;
}

void TCellGrid::scrollToCell(int col, int row)
{
    const QSize client = viewport()->size();
    const int left =
        firstShowing(col, LeftCol(), m_fixedCols, client.width(), [this](int i) { return colExtent(i); });
    const int top =
        firstShowing(row, TopRow(), m_fixedRows, client.height(), [this](int i) { return rowExtent(i); });
    horizontalScrollBar()->setValue(left);
    verticalScrollBar()->setValue(top);
}

void TCellGrid::MouseToCell(const QPoint &pos, int &col, int &row) const
{
    col = indexAt(pos.x(), m_colCount, m_fixedCols, LeftCol(), [this](int i) { return colExtent(i); });
    row = indexAt(pos.y(), m_rowCount, m_fixedRows, TopRow(), [this](int i) { return rowExtent(i); });
    if (col < 0 || row < 0) col = row = -1;
}

QRect TCellGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount) return {};
    if (m_colWidths[col] < 0 || m_rowHeights[row] < 0) return {};
    const int x = offsetOf(col, m_fixedCols, LeftCol(), [this](int i) { return colExtent(i); });
    const int y = offsetOf(row, m_fixedRows, TopRow(), [this](int i) { return rowExtent(i); });
    if (x < 0 || y < 0 || x >= viewport()->width() || y >= viewport()->height()) return {};
    return QRect(x, y, m_colWidths[col], m_rowHeights[row]);
}

void TCellGrid::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void TCellGrid::scrollContentsBy(int, int)
{
    if (!m_adjustingScrollBars) {
        // Where there is nothing to scroll, every position is the end; the grid keeps what
        // it was scrolled to before.
        const QScrollBar *h = horizontalScrollBar();
        const QScrollBar *v = verticalScrollBar();
        if (h->maximum() > h->minimum()) m_atRightEnd = h->value() == h->maximum();
        if (v->maximum() > v->minimum()) m_atBottomEnd = v->value() == v->maximum();
    }
    m_textLayerDirty = true;
    viewport()->update();
}

void TCellGrid::focusInEvent(QFocusEvent *e)
{
    m_textLayerDirty = true; // the current cell's look depends on the focus
    QAbstractScrollArea::focusInEvent(e);
    // Qt tells screen readers that the grid has the focus after this handler; the current
    // cell's focus must come after that, or the grid's own would be the last word.
    QMetaObject::invokeMethod(
        this, [this] { TCellGridAccessible::announceCurrentCell(*this, *this); }, Qt::QueuedConnection);
}

void TCellGrid::focusOutEvent(QFocusEvent *e)
{
    m_textLayerDirty = true;
    QAbstractScrollArea::focusOutEvent(e);
}

void TCellGrid::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange) {
        m_gridFont = TMyFont::fromQFont(font(), m_gridFont.storedColor());
        Invalidate();
    }
    QAbstractScrollArea::changeEvent(e);
}

// ---------------------------------------------------------------- drawing
//
// A paint draws the cell backgrounds, the header edges and the grid lines, and puts the texts
// on top from a cached layer. Colour writes (the common case: a search recolours the whole
// matrix) leave the layer as it is; anything that moves or changes text rebuilds it.

// Single-line texts collected per font and colour and drawn in one go: drawing them cell by
// cell costs several times more than the glyphs themselves.
struct TCellGrid::GlyphBatch
{
    QRawFont font;
    QColor color;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

// The shown columns and rows with their positions.
struct TCellGrid::Spans
{
    struct Span
    {
        int index, pos;
    };
    std::vector<Span> cols, rows;
    int right = 0, bottom = 0; // where the cells end
};

TCellGrid::Spans TCellGrid::shownSpans() const
{
    const auto collect = [](std::vector<Spans::Span> &out, int count, int fixed, int first, int limit,
                            const auto &extent) {
        int pos = 0;
        for (int i = firstShown(fixed, first); i < count && pos < limit; i = nextShown(i, fixed, first)) {
            if (extent(i) > 0) out.push_back({i, pos});
            pos += extent(i);
        }
        return pos;
    };
    Spans s;
    s.right = collect(s.cols, m_colCount, m_fixedCols, LeftCol(), viewport()->width(),
                      [this](int i) { return colExtent(i); });
    s.bottom = collect(s.rows, m_rowCount, m_fixedRows, TopRow(), viewport()->height(),
                       [this](int i) { return rowExtent(i); });
    return s;
}

TCellGrid::CellState TCellGrid::cellState(int col, int row) const
{
    if (IsFixed(col, row)) return gdFixed;
    CellState state;
    if (row == m_row && (col == m_col || (m_options & goRowSelect))) {
        state |= gdSelected;
        if (hasFocus() && col == m_col) state |= gdFocused;
    }
    return state;
}

bool TCellGrid::showsSelected(CellState state) const
{
    return m_drawSelection && (state & gdSelected) &&
           (!(state & gdFocused) || (m_options & (goDrawFocusSelected | goRowSelect)));
}

void TCellGrid::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    const QRect area = e->rect();
    const Spans s = shownSpans();

    // Beyond the last column and row: the grid's colour.
    if (s.right <= area.right())
        p.fillRect(QRect(s.right, area.top(), area.right() + 1 - s.right, area.height()), Color());
    if (s.bottom <= area.bottom())
        p.fillRect(QRect(area.left(), s.bottom, s.right - area.left(), area.bottom() + 1 - s.bottom),
                   Color());

    DeviceLines lines(p);
    const bool bevel = (m_options & goFixedVertLine) && (m_options & goFixedHorzLine);
    for (const Spans::Span &r : s.rows) {
        const int h = m_rowHeights[r.index];
        if (r.pos + h + rowLineSpace() <= area.top()) continue;
        for (const Spans::Span &c : s.cols) {
            const int w = m_colWidths[c.index];
            if (c.pos + w + colLineSpace() <= area.left()) continue;
            const QRect cell(c.pos, r.pos, w, h);
            const CellState state = cellState(c.index, r.index);
            prepareCell(p, c.index, r.index, cellArea(c.index, r.index, cell), state);
            if ((state & gdFixed) && bevel && w > 1 && h > 1) {
                // The raised edge of a header cell.
                const QColor light = palette().color(QPalette::Light);
                const QColor dark = palette().color(QPalette::Dark);
                lines.horizontal(cell.left(), w, cell.top(), 1, light);
                lines.vertical(cell.left(), 1, cell.top(), h, light);
                lines.horizontal(cell.left(), w, cell.bottom(), 1, dark);
                lines.vertical(cell.right(), 1, cell.top(), h, dark);
            }
        }
    }

    // Grid lines, at most two strokes per column and row: the part beside fixed cells in the
    // fixed line colour when the fixed-line option is on, the rest in the line colour when
    // the normal option is on.
    int fixedRight = 0, fixedBottom = 0;
    for (int i = 0; i < m_fixedCols; ++i)
        fixedRight += colExtent(i);
    for (int i = 0; i < m_fixedRows; ++i)
        fixedBottom += rowExtent(i);
    fixedRight = std::min(fixedRight, s.right);
    fixedBottom = std::min(fixedBottom, s.bottom);
    const bool fixedVert = m_options & goFixedVertLine, vert = m_options & goVertLine;
    const bool fixedHorz = m_options & goFixedHorzLine, horz = m_options & goHorzLine;
    if (const int line = colLineSpace())
        for (const Spans::Span &c : s.cols) {
            const int x = c.pos + m_colWidths[c.index];
            const int split = c.index < m_fixedCols ? s.bottom : fixedBottom;
            if (fixedVert) lines.vertical(x, line, 0, split, m_fixedLineColor);
            if (vert) lines.vertical(x, line, split, s.bottom - split, m_lineColor);
        }
    if (const int line = rowLineSpace())
        for (const Spans::Span &r : s.rows) {
            const int y = r.pos + m_rowHeights[r.index];
            const int split = r.index < m_fixedRows ? s.right : fixedRight;
            if (fixedHorz) lines.horizontal(0, split, y, line, m_fixedLineColor);
            if (horz) lines.horizontal(split, s.right - split, y, line, m_lineColor);
        }

    const qreal dpr = viewport()->devicePixelRatioF();
    if (m_textLayerDirty || m_textLayer.size() != viewport()->size() * dpr) renderTextLayer(s, dpr);
    p.drawImage(QPoint(0, 0), m_textLayer);

    if (m_drawSelection && hasFocus() && !(m_options & goRowSelect)) {
        const QRect current = CellRect(m_col, m_row);
        if (current.isValid()) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.rect = current;
            o.backgroundColor = CellColor(m_col, m_row);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
}

void TCellGrid::renderTextLayer(const Spans &s, qreal dpr)
{
    if (m_textLayer.size() != viewport()->size() * dpr)
        m_textLayer = QImage(viewport()->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    m_textLayer.setDevicePixelRatio(dpr);
    m_textLayer.fill(Qt::transparent);
    QPainter p(&m_textLayer);
    std::vector<GlyphBatch> glyphs;
    m_glyphs = &glyphs;
    for (const Spans::Span &r : s.rows)
        for (const Spans::Span &c : s.cols) {
            const QRect cell(c.pos, r.pos, m_colWidths[c.index], m_rowHeights[r.index]);
            drawCellText(p, c.index, r.index, cellArea(c.index, r.index, cell), cellState(c.index, r.index));
        }
    m_glyphs = nullptr;
    for (const GlyphBatch &b : glyphs) {
        QGlyphRun run;
        run.setRawFont(b.font);
        run.setGlyphIndexes(b.glyphs);
        run.setPositions(b.positions);
        p.setPen(b.color);
        p.drawGlyphRun(QPointF(), run);
    }
    m_textLayerDirty = false;
}

void TCellGrid::prepareCell(QPainter &p, int col, int row, const QRect &rect, CellState state)
{
    const TMyBrush &brush = CellBrush(col, row);
    const QColor fill = showsSelected(state) ? CellSelectedColor(col, row) : brush.color();
    if (brush.style() == bsSolid)
        p.fillRect(rect, fill);
    else if (brush.style() != bsClear)
        p.fillRect(rect, QBrush(fill, brush.qbrush().style()));
}

// Single-line texts are laid out once (kept with the font) and, while the text layer is
// drawn, collected into batches that are drawn after the last cell.
void TCellGrid::drawCellText(QPainter &p, int col, int row, const QRect &rect, CellState state)
{
    const QString &s = m_cells[col][row];
    if (s.isEmpty()) return;
    const QRect r = rect.adjusted(2, 2, -2, -2);
    if (r.width() <= 0 || r.height() <= 0) return;

    const Look look = resolve(col, row);
    const TMyFont &font = *look.font;
    const QColor text = showsSelected(state) ? CellSelectedFontColor(col, row) : font.color();
    const TTextLayout *line = &font.layout(s);
    if (look.wrap == ww_wordwrap || line->multiLine) {
        static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter};
        const int flags =
            horizontal[look.align] | Qt::AlignTop | (look.wrap == ww_wordwrap ? Qt::TextWordWrap : 0);
        p.setFont(font.font());
        p.setPen(text);
        p.drawText(r, flags, s);
        return;
    }
    if (look.wrap == ww_ellipsis && line->size.width() > r.width())
        line = &font.layout(QFontMetrics(font.font()).elidedText(s, Qt::ElideRight, r.width()));
    const qreal w = line->size.width();
    const QPointF origin(look.align == alLeft    ? r.left()
                         : look.align == alRight ? r.left() + r.width() - w
                                                 : r.left() + (r.width() - w) / 2,
                         r.top());
    const bool clip = w > r.width() || line->size.height() > r.height();
    const bool decorated = font.font().underline() || font.font().strikeOut() || font.font().overline();
    if (!clip && !decorated && m_glyphs) {
        std::vector<GlyphBatch> &glyphs = *m_glyphs;
        for (const TTextLayout::Run &run : line->runs) {
            auto b = std::find_if(glyphs.rbegin(), glyphs.rend(),
                                  [&](const GlyphBatch &g) { return g.color == text && g.font == run.font; });
            if (b == glyphs.rend()) {
                glyphs.push_back(GlyphBatch{run.font, text, {}, {}});
                b = glyphs.rbegin();
            }
            b->glyphs += run.glyphs;
            for (const QPointF &pos : run.positions)
                b->positions.append(pos + origin);
        }
        return;
    }
    p.save();
    if (clip) p.setClipRect(r, Qt::IntersectClip);
    p.setPen(text);
    for (const TTextLayout::Run &run : line->runs) {
        QGlyphRun g;
        g.setRawFont(run.font);
        g.setGlyphIndexes(run.glyphs);
        g.setPositions(run.positions);
        g.setUnderline(font.font().underline());
        g.setStrikeOut(font.font().strikeOut());
        g.setOverline(font.font().overline());
        p.drawGlyphRun(origin, g);
    }
    p.restore();
}

// ---------------------------------------------------------------- mouse and hints

void TCellGrid::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        int c, r;
        MouseToCell(e->position().toPoint(), c, r);
        if (c >= 0 && !IsFixed(c, r)) setCurrentCell(c, r);
        m_pressedFixed = c >= 0 && IsFixed(c, r) ? QPoint(c, r) : QPoint(-1, -1);
    }
    QAbstractScrollArea::mousePressEvent(e);
}

// A header click is a press and a release on the same fixed cell.
void TCellGrid::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && m_pressedFixed.x() >= 0) {
        const QPoint pressed = m_pressedFixed;
        m_pressedFixed = QPoint(-1, -1);
        int c, r;
        MouseToCell(e->position().toPoint(), c, r);
        if (QPoint(c, r) == pressed) {
            if (c < m_fixedCols) emit OnFixedColClick(c, r);
            if (r < m_fixedRows) emit OnFixedRowClick(c, r);
        }
    }
    QAbstractScrollArea::mouseReleaseEvent(e);
}

void TCellGrid::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    if (m_hintCol >= 0) {
        int c, r;
        MouseToCell(pos, c, r);
        if (c != m_hintCol || r != m_hintRow) {
            QToolTip::hideText();
            m_hintCol = m_hintRow = -1;
        }
    }
    emit mouseMoved(pos.x(), pos.y());
    QAbstractScrollArea::mouseMoveEvent(e);
}

bool TCellGrid::viewportEvent(QEvent *e)
{
    if (e->type() == QEvent::ToolTip && m_showCellHints) return showHint(static_cast<QHelpEvent *>(e));
    return QAbstractScrollArea::viewportEvent(e);
}

bool TCellGrid::showHint(QHelpEvent *e)
{
    int c, r;
    MouseToCell(e->pos(), c, r);
    if (c < 0) {
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    m_hintCol = c;
    m_hintRow = r;
    const QRect cell = CellRect(c, r);
    // At the cell's left edge, 6 pixels below its bottom edge.
    THintInfo info{viewport()->mapToGlobal(QPoint(cell.left(), cell.top() + cell.height() + 6)), cell};
    QString hint = HintCell(c, r);
    bool canShow = true;
    if (OnShowHintCell) OnShowHintCell(*this, c, r, info, canShow, hint);
    if (!canShow || hint.isEmpty()) {
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    QToolTip::showText(info.pos, hint, viewport(), info.cellRect);
    // Qt places a tooltip below the mouse pointer's shape; put it where the hint belongs.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible()) w->move(info.pos);
    return true;
}
