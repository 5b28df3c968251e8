#include "widgets/DekoLabelFill.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

DekoLabelFill::DekoLabelFill(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void DekoLabelFill::setGlyphFill(const QColor &c)
{
    m_glyphFill = c;
    update();
}

void DekoLabelFill::setControlColor(const QColor &c)
{
    m_controlColor = c;
    update();
}

void DekoLabelFill::setBorderColor(const QColor &c)
{
    m_borderColor = c;
    update();
}

void DekoLabelFill::setBorderWidth(int w)
{
    m_borderWidth = w;
    update();
}

void DekoLabelFill::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(font());
    const QString t = text();
    const qreal w = fm.horizontalAdvance(t);
    qreal x = 0;
    if (alignment() & Qt::AlignHCenter) x = (width() - w) / 2;
    else if (alignment() & Qt::AlignRight) x = width() - w;
    qreal y = fm.ascent();
    if (alignment() & Qt::AlignVCenter) y = (height() - fm.height()) / 2 + fm.ascent();
    else if (alignment() & Qt::AlignBottom) y = height() - fm.descent();

    QPainterPath path;
    path.addText(QPointF(x, y), font(), t);

    // The dark edge: the glyphs shifted left, right and up underneath the fill.
    const qreal b = m_borderWidth;
    for (const QPointF d : {QPointF(-b, 0), QPointF(b, 0), QPointF(0, -b)})
        p.fillPath(path.translated(d), m_borderColor);
    p.fillPath(path, m_glyphFill);
    p.strokePath(path, QPen(m_controlColor, 1.0));
}
