// Draws the program's pictures at twice their design size, for screens that show two or
// more device pixels per pixel: the list's resistors and its arrow, and the info window's
// background. The design-size pictures are the ones in resources/images; these drawings
// trace them (the same shapes, strokes and colours) at the finer resolution, into
// <folder>/<name>@2x.png.
//
//   lumakvex_pictures <folder> [scale]
//
// Another scale (1 draws them at the design size, to compare them with the design-size
// pictures) writes <name>@<scale>x.png.
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <functional>

namespace {

// The strokes of the design-size pictures: a line a little over two pixels wide, its
// edges smoothed.
constexpr qreal kStroke = 2.13;

QImage canvas(QSize size, qreal scale, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(size * scale, format);
    image.fill(Qt::transparent);
    return image;
}

// An upright resistor symbol: a body with a dark edge, and a lead at top and bottom.
QImage resistor(qreal scale, QColor body)
{
    QImage image = canvas({32, 32}, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, kStroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF(16.5, 0), QPointF(16.5, 7.5));
    p.drawLine(QPointF(16.5, 25.5), QPointF(16.5, 32));
    p.setBrush(body);
    p.drawRect(QRectF(QPointF(11.5, 7.5), QPointF(21.5, 25.5)));
    return image;
}

// A yellow arrow pointing up, edged in black.
QImage arrow(qreal scale)
{
    QImage image = canvas({20, 32}, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(QPolygonF(
        {{10.5, 1.5}, {19.5, 13.5}, {14.5, 13.5}, {14.5, 30.5}, {6.5, 30.5}, {6.5, 13.5}, {1.5, 13.5}}));
    return image;
}

// The info window's background: a pale blue wash, lighter towards the bottom, two thin
// rules, and three resistors in parallel drawn faintly in the lower left.
QImage infoBackground(qreal scale)
{
    QImage image = canvas({266, 226}, scale, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QLinearGradient wash(0, 0, 0, 226);
    wash.setColorAt(0, QColor(227, 235, 246));
    wash.setColorAt(1, QColor(251, 252, 254));
    p.fillRect(QRectF(0, 0, 266, 226), wash);
    const QColor rule(213, 223, 236);
    p.fillRect(QRectF(0, 8, 266, 1), rule);
    p.fillRect(QRectF(0, 218, 266, 1), rule);

    const QColor ink(195, 208, 227);
    p.setPen(QPen(ink, kStroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (const qreal y : {150.5, 210.5})
        p.drawLine(QPointF(13, y), QPointF(120, y));
    for (const qreal x : {30.5, 66.5, 102.5}) {
        p.drawLine(QPointF(x, 150.5), QPointF(x, 165.5));
        p.drawLine(QPointF(x, 195.5), QPointF(x, 210.5));
        p.drawRect(QRectF(QPointF(x - 6, 165.5), QPointF(x + 6, 195.5)));
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (const qreal y : {150.5, 210.5})
            p.drawEllipse(QPointF(x, y), 3.6, 3.6);
        p.restore();
    }
    return image;
}

struct Picture
{
    const char *name;
    std::function<QImage(qreal)> draw;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <folder> [scale]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int scale = argc == 3 ? QByteArray(argv[2]).toInt() : 2;
    if (scale < 1 || !folder.mkpath(QStringLiteral("."))) return 1;
    const Picture pictures[] = {
        {"resistor", [](qreal s) { return resistor(s, QColor(224, 0, 0)); }},
        {"resistor_current", [](qreal s) { return resistor(s, QColor(160, 160, 160)); }},
        {"arrow_up", arrow},
        {"info_back", infoBackground},
    };
    for (const Picture &picture : pictures) {
        const QString path =
            folder.filePath(QStringLiteral("%1@%2x.png").arg(QLatin1String(picture.name)).arg(scale));
        if (!picture.draw(scale).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
