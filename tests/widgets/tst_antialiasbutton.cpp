// The flat "zurück" button: a real button whose caption changes colour and style under
// the pointer and while pressed.
#include "widgets/AntialiasButton.h"

#include <QTest>

class TestAntialiasButton : public QObject
{
    Q_OBJECT

private slots:
    void captionShowsTheState()
    {
        AntialiasButton b;
        const QColor normal = b.captionColor();
        QCOMPARE(b.state(), AntialiasButton::State::Normal);
        QVERIFY(!b.captionFont().underline() && !b.captionFont().italic());

        b.setAttribute(Qt::WA_UnderMouse); // as Qt marks it when the pointer enters
        QCOMPARE(b.state(), AntialiasButton::State::Hot);
        QVERIFY(b.captionFont().underline());
        const QColor hot = b.captionColor();
        QVERIFY(hot != normal);

        b.setDown(true);
        QCOMPARE(b.state(), AntialiasButton::State::Down);
        QVERIFY(b.captionFont().italic());
        QVERIFY(b.captionColor() != hot && b.captionColor() != normal);
        QVERIFY(b.captionFont().styleStrategy() & QFont::PreferAntialias);
    }
};

QTEST_MAIN(TestAntialiasButton)
#include "tst_antialiasbutton.moc"
