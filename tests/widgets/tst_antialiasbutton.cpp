// The flat "zurück" button: a real button whose caption changes colour and style under
// the pointer and while pressed.
#include "widgets/AntialiasButton.h"

#include <QSignalSpy>
#include <QTest>

class TestAntialiasButton : public QObject
{
    Q_OBJECT

private slots:
    void clickedByMouseAndKeyboard()
    {
        AntialiasButton b;
        b.setText(QStringLiteral("zurück"));
        b.resize(89, 25);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QSignalSpy clicked(&b, &QAbstractButton::clicked);
        QTest::mouseClick(&b, Qt::LeftButton);
        b.setFocus();
        QTest::keyClick(&b, Qt::Key_Space);
        QCOMPARE(clicked.size(), 2);
    }

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
