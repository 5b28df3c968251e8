#include "widgets/AntialiasButton.h"

#include "common/SystemColors.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

struct Look
{
    QColor face;
    QColor edge;
    QColor caption;
};

Look lookOf(AntialiasButton::State s, const QPalette &palette)
{
    switch (s) {
    case AntialiasButton::State::Hot:
        return {QColor(229, 241, 251), QColor(0, 120, 215), SystemColors::navy()};
    case AntialiasButton::State::Down:
        return {QColor(204, 228, 247), QColor(0, 84, 153), SystemColors::blue()};
    case AntialiasButton::State::Normal:
        break;
    }
    return {palette.color(QPalette::Button), SystemColors::system(SystemColors::BtnShadow),
            palette.color(QPalette::ButtonText)};
}

} // namespace

AntialiasButton::AntialiasButton(QWidget *parent) : QAbstractButton(parent)
{
    // Repainted when the pointer comes and goes.
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

AntialiasButton::State AntialiasButton::state() const
{
    if (isDown()) return State::Down;
    if (underMouse() && isEnabled()) return State::Hot;
    return State::Normal;
}

QColor AntialiasButton::captionColor() const
{
    if (!isEnabled()) return palette().color(QPalette::Disabled, QPalette::ButtonText);
    return lookOf(state(), palette()).caption;
}

QFont AntialiasButton::captionFont() const
{
    QFont f = font();
    f.setStyleStrategy(QFont::PreferAntialias);
    if (state() == State::Hot) f.setUnderline(true);
    if (state() == State::Down) f.setItalic(true);
    return f;
}

QSize AntialiasButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(text()) + 16, fm.height() + 10};
}

void AntialiasButton::paintEvent(QPaintEvent *)
{
    const Look look = lookOf(state(), palette());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(look.edge);
    p.setBrush(look.face);
    p.drawRect(face);

    p.setPen(captionColor());
    p.setFont(captionFont());
    // A pressed caption moves by a pixel, as if pushed in.
    const int shift = state() == State::Down ? 1 : 0;
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}
