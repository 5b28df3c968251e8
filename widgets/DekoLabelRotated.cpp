#include "widgets/DekoLabelRotated.h"

#include <QPainter>

DekoLabelRotated::DekoLabelRotated(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
}

void DekoLabelRotated::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(backgroundRole()));
    p.setPen(palette().color(foregroundRole()));
    p.setFont(font());
    // Turned a quarter to the left: the text starts at the bottom edge.
    p.translate(0, height());
    p.rotate(-90);
    p.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, text());
}
