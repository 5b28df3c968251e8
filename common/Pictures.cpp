#include "common/Pictures.h"

#include "common/PictureIconEngine.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPixmapCache>

#include <cmath>

namespace Pictures {

namespace {

const QString kShownName = QStringLiteral("Pictures_shown");

QPixmap read(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    // The reader gives a "@2x" picture its device pixel ratio by itself.
    return QPixmap::fromImage(reader.read());
}

// Keeps a label's picture drawn for the label's screen.
class Shown : public QObject
{
public:
    Shown(QLabel *label, const QString &path, int height)
        : QObject(label), m_label(label), m_path(path), m_height(height)
    {
        setObjectName(kShownName);
        label->installEventFilter(this);
        apply();
    }

    void apply()
    {
        const qreal ratio = m_label->devicePixelRatioF();
        if (ratio == m_ratio) return;
        m_ratio = ratio;
        // Scaled to a height, straight from the largest drawing.
        QPixmap picture = load(m_path, m_height > 0 && ratio > 1 ? 2 : ratio);
        if (m_height > 0) {
            picture = picture.scaledToHeight(int(std::lround(m_height * ratio)), Qt::SmoothTransformation);
            picture.setDevicePixelRatio(ratio);
        }
        m_label->setPixmap(picture);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_label && event->type() == QEvent::ScreenChangeInternal) apply();
        return false;
    }

private:
    QLabel *m_label;
    QString m_path;
    int m_height;
    qreal m_ratio = 0;
};

} // namespace

QPixmap load(const QString &path, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("Pictures:%1@%2").arg(path).arg(devicePixelRatio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture)) return picture;

    const QString suffix = QStringLiteral(".png");
    const QString twice =
        path.endsWith(suffix) ? path.chopped(suffix.size()) + QStringLiteral("@2x") + suffix : QString();
    if (devicePixelRatio > 1 && !twice.isEmpty() && QFile::exists(twice)) {
        picture = read(twice);
        if (!picture.isNull() && picture.devicePixelRatio() != devicePixelRatio) {
            const QSizeF device = picture.deviceIndependentSize() * devicePixelRatio;
            picture = picture.scaled(qRound(device.width()), qRound(device.height()), Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
            picture.setDevicePixelRatio(devicePixelRatio);
        }
    } else {
        picture = read(path);
    }
    QPixmapCache::insert(key, picture);
    return picture;
}

void show(QLabel *label, const QString &path, int height)
{
    delete label->findChild<QObject *>(kShownName, Qt::FindDirectChildrenOnly);
    new Shown(label, path, height);
}

QIcon programIcon()
{
    auto *engine = new PictureIconEngine;
    engine->addPicture(QStringLiteral(":/images/lumakvex.png"));
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString &file : sizes.entryList(QDir::Files))
        engine->addPicture(sizes.filePath(file));
    return QIcon(engine);
}

} // namespace Pictures
