#include "widgets/DekoBackPanel.h"

#include "common/Pictures.h"

#include <QPainter>

DekoBackPanel::DekoBackPanel(QWidget *parent) : QFrame(parent) {}

void DekoBackPanel::setPictureFile(const QString &file)
{
    m_pictureFile = file;
    m_picture = QPixmap();
    update();
}

QPixmap DekoBackPanel::picture() const
{
    // Read for the screen the panel is on now: the window may have moved to one with more
    // device pixels per pixel.
    const qreal ratio = devicePixelRatioF();
    if ((m_picture.isNull() || m_pictureRatio != ratio) && !m_pictureFile.isEmpty()) {
        m_picture = Pictures::load(m_pictureFile, ratio);
        m_pictureRatio = ratio;
    }
    return m_picture;
}

void DekoBackPanel::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPixmap shown = picture();
        if (shown.isNull())
            p.fillRect(contentsRect(), palette().color(backgroundRole()));
        else
            p.drawPixmap(contentsRect(), shown);
    }
    QFrame::paintEvent(event);
}
