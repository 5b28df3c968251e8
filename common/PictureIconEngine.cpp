#include "common/PictureIconEngine.h"

#include "common/Pictures.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>

void PictureIconEngine::addPicture(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    for (const Picture &p : m_pictures)
        if (p.size == size) return; // the first picture of a size stays
    if (size.isValid()) m_pictures.append({path, size});
}

QList<QSize> PictureIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const Picture &p : m_pictures)
        sizes << p.size;
    return sizes;
}

const PictureIconEngine::Picture *PictureIconEngine::bestFor(const QSize &size) const
{
    const auto area = [](const Picture *p) { return qint64(p->size.width()) * p->size.height(); };
    const Picture *best = nullptr;
    for (const Picture &p : m_pictures)
        if (p.size.width() >= size.width() && p.size.height() >= size.height() &&
            (!best || area(&p) < area(best)))
            best = &p;
    if (best) return best;
    for (const Picture &p : m_pictures)
        if (!best || area(&p) > area(best)) best = &p;
    return best;
}

QSize PictureIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    const Picture *best = bestFor(size);
    return best ? best->size.scaled(size.boundedTo(best->size), Qt::KeepAspectRatio) : QSize();
}

QPixmap PictureIconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State)
{
    const Picture *best = bestFor(size);
    if (!best) return {};
    const QPixmap picture = Pictures::load(best->path);
    if (picture.width() <= size.width() && picture.height() <= size.height()) return picture;
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void PictureIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    QRect shown(QPoint(), picture.deviceIndependentSize().toSize());
    shown.moveCenter(rect.center());
    painter->drawPixmap(shown, picture);
}

QIconEngine *PictureIconEngine::clone() const
{
    return new PictureIconEngine(*this);
}

QString PictureIconEngine::key() const
{
    return QStringLiteral("PictureIconEngine");
}
