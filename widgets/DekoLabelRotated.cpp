#include "widgets/DekoLabelRotated.h"

#include <QPainter>

#include <cmath>

DekoLabelRotated::DekoLabelRotated(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
}

QFont DekoLabelRotated::fittedFont() const
{
    QFont f = font();
    const int room = height(); // the caption runs along the label's height
    int width = QFontMetrics(f).horizontalAdvance(text());
    if (width <= room || room <= 0) return f;
    const bool pixels = f.pixelSize() > 0;
    qreal size = pixels ? f.pixelSize() : f.pointSizeF();
    // Text widths do not shrink quite in proportion to the size (hinting), so after the
    // proportional step the size goes down until the caption fits.
    size = std::floor(size * room / width);
    for (; size > 1; --size) {
        pixels ? f.setPixelSize(int(size)) : f.setPointSizeF(size);
        width = QFontMetrics(f).horizontalAdvance(text());
        if (width <= room) return f;
    }
    pixels ? f.setPixelSize(1) : f.setPointSizeF(1);
    return f;
}

void DekoLabelRotated::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(backgroundRole()));
    p.setPen(palette().color(foregroundRole()));
    p.setFont(fittedFont());
    // Turned a quarter to the left: the text starts at the bottom edge.
    p.translate(0, height());
    p.rotate(-90);
    p.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, text());
}
