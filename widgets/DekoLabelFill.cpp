#include "widgets/DekoLabelFill.h"

#include "common/Fonts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdlib>

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
    const QFont drawn = Fonts::standIn(font());
    const QFontMetricsF fm(drawn);
    const QString t = text();
    const qreal w = fm.horizontalAdvance(t);
    qreal x = 0;
    if (alignment() & Qt::AlignHCenter) x = (width() - w) / 2;
    else if (alignment() & Qt::AlignRight) x = width() - w;
    qreal y = fm.ascent();
    if (alignment() & Qt::AlignVCenter) y = (height() - fm.height()) / 2 + fm.ascent();
    else if (alignment() & Qt::AlignBottom) y = height() - fm.descent();

    QPainterPath path;
    path.addText(QPointF(x, y), drawn, t);

    // The dark edge: the glyphs shifted left, right and up underneath the fill.
    const int b = m_borderWidth;
    const QPoint shifts[] = {QPoint(-b, 0), QPoint(b, 0), QPoint(0, -b)};
    const QTransform device = p.deviceTransform();
    if (device.type() > QTransform::TxTranslate || device.dx() != std::round(device.dx()) ||
        device.dy() != std::round(device.dy())) {
        for (const QPoint d : shifts)
            p.fillPath(path.translated(d), m_borderColor);
        p.fillPath(path, m_glyphFill);
    } else {
        // Finding which pixels the large glyphs cover is most of the cost of drawing them,
        // and the edge is the same glyphs three times, shifted by whole pixels. So each
        // colour's glyphs are filled once, onto a transparent image that is then drawn where
        // the fills would go: Qt blends such an image and a filled shape with the same
        // arithmetic, so the pixels are those of four fills.
        const int margin = std::abs(b);
        const auto filled = [this, &path, margin](const QColor &colour) {
            QImage image(width() + 2 * margin, height() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter m(&image);
            m.setRenderHint(QPainter::Antialiasing);
            m.translate(margin, margin);
            m.fillPath(path, colour);
            return image;
        };
        const QPoint origin(-margin, -margin);
        const QImage edge = filled(m_borderColor);
        for (const QPoint d : shifts)
            p.drawImage(origin + d, edge);
        p.drawImage(origin, filled(m_glyphFill));
    }
    p.strokePath(path, QPen(m_controlColor, 1.0));
}
