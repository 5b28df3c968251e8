#include "widgets/DekoLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

DekoLabel::DekoLabel(QWidget *parent) : QLabel(parent) {}

void DekoLabel::setLink(const QString &link)
{
    m_link = link;
    if (link.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
}

void DekoLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (m_link.isEmpty() || event->button() != Qt::LeftButton ||
        !rect().contains(event->position().toPoint()))
        return;
    QDesktopServices::openUrl(QUrl(m_link));
}
