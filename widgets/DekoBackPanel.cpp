#include "widgets/DekoBackPanel.h"

#include <QPainter>

DekoBackPanel::DekoBackPanel(QWidget *parent) : QFrame(parent) {}

void DekoBackPanel::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void DekoBackPanel::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_picture.isNull())
            p.fillRect(contentsRect(), palette().color(backgroundRole()));
        else
            p.drawPixmap(contentsRect(), m_picture);
    }
    QFrame::paintEvent(event);
}
