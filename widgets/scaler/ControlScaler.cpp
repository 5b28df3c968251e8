#include "widgets/scaler/ControlScaler.h"

#include "widgets/scaler/EScalerException.h"

#include <QLabel>
#include <QLayout>

#include <algorithm>
#include <cmath>

namespace {

// Font sizes in points and pixels at the 96 pixels per inch the windows are designed for,
// rounded as the system's own conversion does (halves away from zero).
constexpr qint32 kPixelsPerInch = 96;
constexpr qint32 kPointsPerInch = 72;

qint32 mulDiv(qint32 number, qint32 numerator, qint32 denominator)
{
    return qint32(std::lround(double(number) * numerator / denominator));
}

// How the parent places a control. A control in its parent's layout is placed by the
// layout: it fills its parent, or stands on one side with a fixed height or width, which
// is then all that scaling may change.
struct Placement
{
    bool inLayout = false;
    bool fixedHeight = false;
    bool fixedWidth = false;
    bool fills() const { return inLayout && !fixedHeight && !fixedWidth; }
};

Placement placementOf(const QWidget *w)
{
    Placement p;
    const QWidget *parent = w->parentWidget();
    if (!parent || !parent->layout() || parent->layout()->indexOf(w) < 0) return p;
    p.inLayout = true;
    p.fixedHeight = w->minimumHeight() == w->maximumHeight();
    p.fixedWidth = w->minimumWidth() == w->maximumWidth();
    return p;
}

void setBounds(QWidget *w, const QRect &r)
{
    const Placement p = placementOf(w);
    if (!p.inLayout) {
        w->setGeometry(r);
        return;
    }
    if (p.fixedHeight) w->setFixedHeight(r.height());
    if (p.fixedWidth) w->setFixedWidth(r.width());
}

} // namespace

TControlScaler::TControlScaler(QWidget *control, QWidget *window, bool resizeFonts, qint32 minFontSize,
                               qint32 maxFontSize)
    : m_control(control), m_resizeFonts(resizeFonts), m_minFontSize(minFontSize), m_maxFontSize(maxFontSize),
      m_window(window)
{
    if (!control) throw EScalerException(QStringLiteral("TControlScaler created without a component link"));
    if (!window) {
        m_control = nullptr;
        throw EScalerException(QStringLiteral("TControlScaler created without a parent form link"));
    }
    const QSize outer = window->frameGeometry().size();
    m_windowDesignHeight = outer.height();
    m_windowDesignWidth = outer.width();
    m_designHeight = control->height();
    m_designLeft = control->x();
    m_designTop = control->y();
    m_designWidth = control->width();

    // Every widget carries a font.
    m_hasFont = true;
    m_font = control->font();
    m_designFontSize = FontPoints(m_font);

    m_isLabel = IsLabel(control);
    m_scaleWidth = !m_isLabel;
}

void TControlScaler::ScaleControl(double windowHeight, double windowWidth, double heightRatio,
                                  double widthRatio)
{
    QWidget *c = m_control;
    if (!c || placementOf(c).fills()) return;

    int left = c->x();
    int top = c->y();
    int width = c->width();
    int height = c->height();
    const bool fonts = m_hasFont && m_resizeFonts;

    if (RoundHalfEven(windowHeight) == m_windowDesignHeight &&
        RoundHalfEven(windowWidth) == m_windowDesignWidth) {
        if (m_scaleHeight) height = m_designHeight;
        if (m_scaleLeft) left = m_designLeft;
        if (m_scaleTop) top = m_designTop;
        if (m_scaleWidth) width = m_designWidth;
        if (fonts) c->setFont(m_font);
        if (m_isLabel) {
            // Back at its design size a label stands exactly where it was designed.
            m_anchor = DesignBounds();
            m_atDesign = true;
            m_placed = QRect();
            Refit();
            return;
        }
        setBounds(c, QRect(left, top, width, height));
        return;
    }

    if (m_scaleHeight) height = RoundHalfEven(m_designHeight * heightRatio);
    if (m_scaleWidth) width = RoundHalfEven(m_designWidth * widthRatio);
    if (m_scaleLeft) left = RoundHalfEven(m_designLeft * widthRatio);
    if (m_scaleTop) top = RoundHalfEven(m_designTop * heightRatio);

    if (fonts) {
        qint32 size = RoundHalfEven(m_designFontSize * heightRatio);
        if (size > m_maxFontSize) size = m_maxFontSize;
        if (size < m_minFontSize) size = m_minFontSize;
        c->setFont(WithPoints(m_font, size));
    }

    if (m_isLabel) {
        // The label's design box at this size: the edge its text is aligned to stays where
        // that box puts it, whatever sizes the window passed through.
        m_anchor = QRect(left, top, RoundHalfEven(m_designWidth * widthRatio), height);
        m_atDesign = false;
        m_placed = QRect();
        Refit();
        c->update();
        m_fitsText = true;
        return;
    }
    setBounds(c, QRect(left, top, width, height));
}

void TControlScaler::Refit()
{
    auto *label = static_cast<QLabel *>(m_control.data());
    if (!label || !m_isLabel || m_anchor.isNull()) return;
    // A label the window code has moved since the scaler placed it keeps the place it was
    // given: its box moves with it. (The window code gives it a place at the current scale;
    // the next scaling step places it from its design again, and the window code after it.)
    if (!m_placed.isNull() && label->pos() != m_placed.topLeft())
        m_anchor.translate(label->pos() - m_placed.topLeft());
    QRect r = m_anchor;
    if (label->wordWrap()) {
        // A wrapping label keeps its width and takes the height its text needs.
        r.setWidth(m_designWidth);
        if (!m_atDesign) r.setHeight(label->heightForWidth(r.width()));
    } else {
        const QSize text = TextSize(label);
        const int width = m_atDesign ? std::max(m_anchor.width(), text.width()) : text.width();
        const Qt::Alignment align = label->alignment();
        if (align & Qt::AlignRight)
            r.setLeft(m_anchor.left() + m_anchor.width() - width);
        else if (align & Qt::AlignHCenter)
            r.setLeft(m_anchor.left() + (m_anchor.width() - width) / 2);
        r.setWidth(width);
        r.setHeight(m_atDesign ? std::max(m_anchor.height(), text.height()) : text.height());
    }
    setBounds(label, r);
    m_placed = label->geometry();
}

bool TControlScaler::IsLabel(const QWidget *widget)
{
    if (!widget || widget->metaObject() != &QLabel::staticMetaObject) return false;
    const auto *label = static_cast<const QLabel *>(widget);
    return label->frameShape() == QFrame::NoFrame && label->pixmap().isNull();
}

QSize TControlScaler::TextSize(const QLabel *label)
{
    // QLabel's size hint lays its text out three times, twice for a minimum size nobody asks
    // for here. A plain text label takes the size its text needs, which one layout gives;
    // anything QLabel lays out otherwise (rich or selectable text, margins, an indent, a
    // buddy's shortcut, tabs, a minimum size) is left to QLabel.
    const QString text = label->text();
    const bool plain = label->textFormat() == Qt::PlainText ||
                       (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(text));
    const auto selectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    if (!plain || (label->textInteractionFlags() & selectable) || label->margin() != 0 ||
        label->indent() > 0 || label->frameWidth() != 0 || label->buddy() ||
        label->minimumSize() != QSize(0, 0) || text.contains(QLatin1Char('\t')))
        return label->sizeHint();
    const QMargins m = label->contentsMargins();
    const int flags = int(label->alignment() & ~(Qt::AlignVCenter | Qt::AlignHCenter));
    const QRect box = label->fontMetrics().boundingRect(0, 0, 2000 - m.left() - m.right(), 2000, flags, text);
    return box.size().grownBy(m);
}

void TControlScaler::FitToText(QLabel *label)
{
    if (label->wordWrap()) {
        label->resize(label->width(), label->heightForWidth(label->width()));
        return;
    }
    const QSize text = TextSize(label);
    int left = label->x();
    if (label->alignment() & Qt::AlignRight) left += label->width() - text.width();
    label->setGeometry(left, label->y(), text.width(), text.height());
}

qint32 TControlScaler::FontPoints(const QFont &font)
{
    if (font.pixelSize() > 0) return mulDiv(font.pixelSize(), kPointsPerInch, kPixelsPerInch);
    return qint32(std::lround(font.pointSizeF()));
}

QFont TControlScaler::WithPoints(QFont font, qint32 points)
{
    // Qt refuses sizes below one in either unit.
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, mulDiv(points, kPixelsPerInch, kPointsPerInch)));
    else
        font.setPointSize(qMax(1, points));
    return font;
}

int TControlScaler::RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to even.
    return int(std::nearbyint(value));
}
