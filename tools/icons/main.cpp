// Renders the program's icon, the logo's letter K, at the sizes the desktop's icon theme
// asks for, into <folder>/<size>.png.
//
//   lumakvex_icons <folder> <size>...
#include "common/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// The logo's letter: bold italic serif, blue with a navy edge and a dark border to the
// left, right and top, as the main window draws it.
QImage icon(int size)
{
    QFont font(Fonts::substituteFor(QStringLiteral("Georgia")));
    font.setPixelSize(4 * size);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("K"));

    const qreal margin = size / 16.0;
    const QRectF box = glyph.boundingRect();
    const qreal scale = (size - 2 * margin) / qMax(box.width(), box.height());
    QTransform t;
    t.translate(size / 2.0, size / 2.0);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    const QPainterPath path = t.map(glyph);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal b = qMax(1.0, size / 64.0);
    for (const QPointF d : {QPointF(-b, 0), QPointF(b, 0), QPointF(0, -b)})
        p.fillPath(path.translated(d), Qt::black);
    p.fillPath(path, QColor(0, 0, 255));
    p.strokePath(path, QPen(QColor(0, 0, 128), qMax(1.0, size / 128.0)));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::install();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString path = folder.filePath(QStringLiteral("%1.png").arg(size));
        if (size < 8 || !icon(size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
