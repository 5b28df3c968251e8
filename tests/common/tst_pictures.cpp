#include "common/AppStyle.h"
#include "common/Pictures.h"
#include "widgets/DekoBackPanel.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QTest>

// The program reads its pictures past Qt's plugin probing and some only when first shown;
// what the user sees must be what Qt's own reading gives.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void readsTheSamePixelsAsQt_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("opaque, 8 bits") << ":/images/info_back.png";
        QTest::newRow("with alpha, 16 bits") << ":/images/arrow_up.png";
        QTest::newRow("colour table") << ":/images/resistor.png";
    }
    void readsTheSamePixelsAsQt()
    {
        QFETCH(QString, path);
        const QImage ours = Pictures::load(path).toImage();
        QVERIFY(!ours.isNull());
        QCOMPARE(ours, QPixmap(path).toImage());
    }

    // On a screen with more device pixels than pixels a picture is drawn from its drawing at
    // twice the size, brought to exactly the screen's pixels: the same size on the screen,
    // pixel for pixel.
    void picturesAreDrawnForTheScreensPixels_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qreal>("ratio");
        for (const char *path : {":/images/resistor.png", ":/images/resistor_current.png",
                                 ":/images/arrow_up.png", ":/images/info_back.png"})
            for (const qreal ratio : {1.25, 1.5, 2.0})
                QTest::addRow("%s at %.2f", path + 9, ratio) << QString::fromLatin1(path) << ratio;
    }
    void picturesAreDrawnForTheScreensPixels()
    {
        QFETCH(QString, path);
        QFETCH(qreal, ratio);
        const QPixmap design = Pictures::load(path);
        const QPixmap shown = Pictures::load(path, ratio);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.size(), (QSizeF(design.size()) * ratio).toSize());
        QString twice = path;
        twice.replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
        const QImage drawn(twice);
        QCOMPARE(drawn.size(), design.size() * 2);
        if (ratio == 2.0) QCOMPARE(shown.toImage(), drawn.convertToFormat(shown.toImage().format()));
    }

    // The windows carry the program's icon at every size the package installs, its own
    // 32-pixel picture among them.
    void programIconHasEverySizeThePackageInstalls()
    {
        const QString folder = QFINDTESTDATA("../../packaging/icons");
        QVERIFY(!folder.isEmpty());
        const QIcon icon = Pictures::programIcon();
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.png")});
        QVERIFY(files.size() >= 5);
        for (const QString &file : files) {
            const QSize size = QImageReader(QDir(folder).filePath(file)).size();
            QVERIFY2(icon.availableSizes().contains(size), qPrintable(file));
        }
        QCOMPARE(icon.pixmap(QSize(32, 32), 1.0).toImage(),
                 QPixmap(QStringLiteral(":/images/lumakvex.png")).toImage());
    }

    void panelShowsItsPictureFile()
    {
        const QString file = QStringLiteral(":/images/info_back.png");
        const QPixmap picture(file);
        DekoBackPanel panel;
        panel.resize(picture.size());
        panel.setPictureFile(file);
        QCOMPARE(panel.grab().toImage().convertToFormat(QImage::Format_RGB32),
                 picture.toImage().convertToFormat(QImage::Format_RGB32));
    }

    void menuBarOverflowIconIsTheStylesOwn()
    {
        AppStyle style;
        for (const auto which :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon icon = style.standardIcon(which, nullptr, nullptr);
            QCOMPARE(icon.availableSizes(), style.baseStyle()->standardIcon(which).availableSizes());
            QCOMPARE(icon.pixmap(16).toImage(), style.baseStyle()->standardIcon(which).pixmap(16).toImage());
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
