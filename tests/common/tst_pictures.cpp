#include "common/AppStyle.h"
#include "common/Pictures.h"
#include "widgets/DekoBackPanel.h"

#include <QApplication>
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
