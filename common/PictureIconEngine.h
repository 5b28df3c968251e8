#pragma once

#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>

// An icon made of PNG pictures of several sizes that reads a picture only when a size is
// asked for. Reading every size of the program's icon at start-up would cost more than
// building a window; most platforms never ask for most of them.
class PictureIconEngine : public QIconEngine
{
public:
    // Adds a picture; its size is read from the file's header now, its pixels when needed.
    // A picture of a size the icon has already is left out.
    void addPicture(const QString &path);

    QList<QSize> availableSizes(QIcon::Mode mode = QIcon::Normal, QIcon::State state = QIcon::Off) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    // The picture of the smallest size that fills `size`, else the largest, scaled down to
    // fit `size` where it is larger. Every mode and state shows the same picture.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override { return m_pictures.isEmpty(); }

private:
    struct Picture
    {
        QString path;
        QSize size;
    };
    const Picture *bestFor(const QSize &size) const;

    QList<Picture> m_pictures;
};
