#include "common/Fonts.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include <functional>

namespace {

// Records the pixel size of the font a widget has each time it is told its font changed.
class FontChanges : public QObject
{
public:
    QList<int> pixelSizes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FontChange)
            pixelSizes << static_cast<QWidget *>(watched)->font().pixelSize();
        return false;
    }
};

QFont designFont(const QString &family, int height)
{
    QFont f;
    f.setFamilies({family});
    f.setPointSize(height); // the description's notation: a pixel height in the points field
    f.setBold(true);
    return f;
}

} // namespace

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Fonts::install(); }

    // Widgets that measure their text whenever their font changes must never be told about
    // a font in the points notation: they would look it up at a size no window shows.
    void widgetsLearnOnlyThePixelSize_data()
    {
        QTest::addColumn<std::function<QWidget *(QWidget *)>>("make");
        QTest::newRow("entry field") << std::function<QWidget *(QWidget *)>(
            [](QWidget *p) { return new QLineEdit(p); });
        QTest::newRow("group box") << std::function<QWidget *(QWidget *)>(
            [](QWidget *p) { return new QGroupBox(QStringLiteral("Anzeige"), p); });
        QTest::newRow("menu bar") << std::function<QWidget *(QWidget *)>(
            [](QWidget *p) { return new QMenuBar(p); });
    }
    void widgetsLearnOnlyThePixelSize()
    {
        QFETCH(std::function<QWidget *(QWidget *)>, make);
        QWidget window;
        FontChanges seen;
        QWidget *child = nullptr;
        Fonts::buildWithDesignPixelSizes(&window, [&] {
            window.setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
            // A page built apart and put into the window afterwards, as tab pages are.
            auto *page = new QWidget;
            page->setFont(designFont(QStringLiteral("Arial"), 12));
            child = make(page);
            child->installEventFilter(&seen);
            child->setFont(designFont(QStringLiteral("Arial"), 13));
            page->setParent(&window);
        });
        QVERIFY(!seen.pixelSizes.isEmpty());
        QVERIFY2(!seen.pixelSizes.contains(-1), "a font change in points reached the widget");
        QCOMPARE(child->font().pixelSize(), 13);
        QCOMPARE(window.font().pixelSize(), 11);
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
