// The integer display field, set up like the list calculator's two counters (integer
// type, read-only, right-aligned on money green), and its editable behaviour.
#include "common/SystemColors.h"
#include "BoxAnswerer.h"
#include "widgets/NumInp.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

struct Form
{
    QWidget window;
    QLineEdit *before = nullptr;
    TNumInp *field = nullptr;
    QLineEdit *after = nullptr;
};

// The stored properties of a counter field.
void configure(TNumInp *field)
{
    field->setDatatype(TNumInp::dtInteger);
    field->setDigits(12);
    field->setDecimals(0);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus); // no tab stop
    field->setAlignment(TNumInp::taRightJustify);
    field->setColor(SystemColors::moneyGreen());
    field->setNegativeColor(Qt::black);
    field->setValidate(false);
    field->setTabOnEnterKey(false);
    field->resize(30, 21);
}

std::unique_ptr<Form> showForm(bool counter = true)
{
    auto form = std::make_unique<Form>();
    QFont bold = form->window.font();
    bold.setBold(true);
    bold.setPixelSize(13);
    form->window.setFont(bold);
    auto *layout = new QVBoxLayout(&form->window);
    form->before = new QLineEdit(&form->window);
    form->field = new TNumInp(&form->window);
    form->field->setObjectName(QStringLiteral("NumInp1"));
    if (counter) configure(form->field);
    form->field->setFixedSize(counter ? 30 : 85, 21);
    form->after = new QLineEdit(&form->window);
    layout->addWidget(form->before);
    layout->addWidget(form->field);
    layout->addWidget(form->after);
    form->before->setFocus();
    form->window.show();
    form->window.activateWindow();
    if (!QTest::qWaitForWindowActive(&form->window)) return nullptr;
    return form;
}

// Columns of the field's picture that hold text pixels (dark on the light background),
// inside the frame.
QPair<int, int> inkColumns(TNumInp *field)
{
    const QImage image = field->grab().toImage();
    int first = -1;
    int last = -1;
    for (int x = 4; x < image.width() - 4; ++x) {
        for (int y = 4; y < image.height() - 4; ++y) {
            if (qGray(image.pixel(x, y)) < 100) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class TestNumInp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Vexara"));
        SystemColors::applyApplicationLook();
    }

    void creation()
    {
        TNumInp field;
        QCOMPARE(field.width(), 85);
        QCOMPARE(field.MaxLength(), 12);
        QCOMPARE(field.Datatype(), TNumInp::dtExtended);
        QCOMPARE(field.Value(), 0.0L);
        QCOMPARE(field.text(), QStringLiteral("0"));
        QVERIFY(field.Validate());
        QCOMPARE(field.Alignment(), TNumInp::taLeftJustify);
    }

    void integerRoundingHalfToEven_data()
    {
        QTest::addColumn<double>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("2.5 down to even") << 2.5 << "2" << 2.0;
        QTest::newRow("3.5 up to even") << 3.5 << "4" << 4.0;
        QTest::newRow("0.5 to zero") << 0.5 << "0" << 0.0;
        QTest::newRow("1.5 to two") << 1.5 << "2" << 2.0;
        QTest::newRow("-2.5 to even") << -2.5 << "-2" << -2.0;
        QTest::newRow("-3.5 to even") << -3.5 << "-4" << -4.0;
        QTest::newRow("-0.4 shows no sign") << -0.4 << "0" << 0.0;
        QTest::newRow("2.6 nearest") << 2.6 << "3" << 3.0;
        QTest::newRow("count 7") << 7.0 << "7" << 7.0;
        QTest::newRow("count 20") << 20.0 << "20" << 20.0;
        QTest::newRow("beyond 16 bits, no separators") << 40000.0 << "40000" << 40000.0;
    }
    void integerRoundingHalfToEven()
    {
        QFETCH(double, written);
        QFETCH(QString, text);
        QFETCH(double, value);
        TNumInp field;
        configure(&field);
        field.setValue(written);
        QCOMPARE(field.text(), text);
        QCOMPARE(double(field.Value()), value);
    }

    void negativeColour()
    {
        TNumInp field;
        configure(&field);
        const QColor positive = field.PositiveColor();
        field.setNegativeColor(SystemColors::red());
        QCOMPARE(field.palette().color(QPalette::Text), positive);
        field.setValue(-3);
        QCOMPARE(field.palette().color(QPalette::Text), SystemColors::red());
        field.setValue(0);
        QCOMPARE(field.palette().color(QPalette::Text), positive); // 0 is not negative
        field.setValue(-1);
        field.setNegativeColor(SystemColors::blue());
        QCOMPARE(field.palette().color(QPalette::Text), SystemColors::blue());
    }

    void writingTheHeldValueDoesNothing()
    {
        TNumInp field;
        configure(&field);
        field.setValue(7);
        field.setText(QStringLiteral("x"));
        field.setValue(7);
        QCOMPARE(field.text(), QStringLiteral("x"));
        field.setValue(8);
        QCOMPARE(field.text(), QStringLiteral("8"));
    }

    void typeLimitsApplyWhenTheTypeIsSet()
    {
        TNumInp field;
        field.setValidate(false);
        field.setValue(40000);
        field.setDatatype(TNumInp::dtInteger);
        QCOMPARE(field.Value(), 0.0L);
        QCOMPARE(field.Min(), 0.0L);
        QCOMPARE(field.Max(), 0.0L);
        field.setMax(100000);
        QCOMPARE(field.Max(), 32767.0L);
        field.setMin(-5);
        QCOMPARE(field.Min(), -5.0L);
        field.setMin(50);
        QCOMPARE(field.Min(), 50.0L);
        QCOMPARE(field.Value(), 50.0L); // moved to the violated limit
        QCOMPARE(field.text(), QStringLiteral("50"));
        QCOMPARE(field.Decimals(), 0);
        field.setDecimals(3);
        QCOMPARE(field.Decimals(), 0);
        field.setNumericType(TNumInp::ntFixed);
        QCOMPARE(field.NumericType(), TNumInp::ntGeneral);
        field.setValue(300);
        QCOMPARE(field.ValueAs(TNumInp::dtByte), 0.0L);
        QCOMPARE(field.ValueAs(TNumInp::dtWord), 300.0L);
    }

    void validationRefusesValuesOutsideTheRange()
    {
        TNumInp field;
        field.setDatatype(TNumInp::dtInteger);
        field.setMax(10);
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        field.setValue(20);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("zulässiger Wert falsch"));
        QCOMPARE(boxes.seen().at(0).buttons, QStringList{"OK"});
        QCOMPARE(field.Value(), 0.0L);
        field.setValue(9);
        QCOMPARE(field.text(), QStringLiteral("9"));
        QCOMPARE(boxes.seen().size(), 1);
    }

    void floatFormats_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("general") << int(TNumInp::ntGeneral) << "1234,5";
        QTest::newRow("exponent") << int(TNumInp::ntExponent) << "1,23450000000E+03";
        QTest::newRow("fixed") << int(TNumInp::ntFixed) << "1234,50";
        QTest::newRow("number") << int(TNumInp::ntNumber) << "1.234,50";
        QTest::newRow("currency") << int(TNumInp::ntCurrency) << "1.234,50 €";
    }
    void floatFormats()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        TNumInp field;
        field.setValidate(false);
        field.setDatatype(TNumInp::dtDouble);
        field.setNumericType(TNumInp::TNumericType(type));
        field.setValue(1234.5);
        QCOMPARE(field.text(), text);
        QCOMPARE(field.MaxLength(), type == TNumInp::ntExponent ? 17 : 12);
    }

    void paintsRightAlignedUntilClickedInto()
    {
        auto form = showForm();
        QVERIFY(form);
        TNumInp *field = form->field;
        field->setValue(7);
        const auto [first, last] = inkColumns(field);
        QVERIFY2(first > field->width() / 2, qPrintable(QString::number(first)));
        QVERIFY(last >= field->width() - 10);
        const QImage image = field->grab().toImage();
        QCOMPARE(QColor(image.pixel(5, 5)), SystemColors::moneyGreen());

        // Clicking in: plain, left-aligned editing display until the focus leaves.
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 10));
        QVERIFY(field->hasFocus());
        QVERIFY(field->Editing());
        QVERIFY(inkColumns(field).first < field->width() / 2);
        form->after->setFocus(Qt::TabFocusReason);
        QVERIFY(!field->Editing());
        QCOMPARE(field->text(), QStringLiteral("7"));
        QCOMPARE(field->Value(), 7.0L);
        QVERIFY(inkColumns(field).first > field->width() / 2);
    }

    void paintsCentred()
    {
        auto form = showForm();
        QVERIFY(form);
        form->field->setFixedSize(60, 21);
        form->field->setAlignment(TNumInp::taCenter);
        form->field->setValue(5);
        const auto [first, last] = inkColumns(form->field);
        const int middle = (first + last) / 2;
        QVERIFY2(qAbs(middle - form->field->width() / 2) <= 2, qPrintable(QString::number(middle)));
    }

    void readOnlyKeys()
    {
        auto form = showForm();
        QVERIFY(form);
        TNumInp *field = form->field;
        field->setValue(20);
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 10));
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, QStringLiteral("5a"));
        QCOMPARE(field->text(), QStringLiteral("20"));
        QTest::keyClick(field, Qt::Key_Down);
        QVERIFY(form->after->hasFocus());
        QCOMPARE(field->Value(), 20.0L);
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 10));
        QTest::keyClick(field, Qt::Key_Up);
        QVERIFY(form->before->hasFocus());
    }

    void editableKeys()
    {
        auto form = showForm(false);
        QVERIFY(form);
        TNumInp *field = form->field;
        field->setValidate(false);
        field->setDatatype(TNumInp::dtDouble);
        field->setTabOnEnterKey(true);
        field->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->selectedText(), QStringLiteral("0")); // AutoSelect
        QTest::keyClicks(field, QStringLiteral("12a,5x"));
        QCOMPARE(field->text(), QStringLiteral("12,5"));
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(field->selectedText(), field->text());
        QTest::keyClicks(field, QStringLiteral("-3,25"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(form->after->hasFocus());
        QCOMPARE(double(field->Value()), -3.25);
        QCOMPARE(field->text(), QStringLiteral("-3,25"));
    }

    void leavingWithNoNumberKeepsTheFocus()
    {
        auto form = showForm(false);
        QVERIFY(form);
        TNumInp *field = form->field;
        field->setValidate(false);
        field->setDatatype(TNumInp::dtLongint);
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, QStringLiteral("1-2"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        form->after->setFocus(Qt::TabFocusReason);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("'1-2' is no valid numeric input."));
        form->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form->window));
        QVERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), QStringLiteral("1-2"));
        QCOMPARE(field->Value(), 0.0L);
    }

    void leavingOutsideTheRangeKeepsTheFocus()
    {
        auto form = showForm(false);
        QVERIFY(form);
        TNumInp *field = form->field;
        field->setDatatype(TNumInp::dtInteger);
        field->setMax(10);
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, QStringLiteral("20"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        form->after->setFocus(Qt::TabFocusReason);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("zulässiger Wert falsch"));
        QVERIFY(!field->Valid());
        form->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form->window));
        QVERIFY(field->hasFocus());
        QCOMPARE(field->Value(), 0.0L);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("9"));
        form->after->setFocus(Qt::TabFocusReason);
        QVERIFY(field->Valid());
        QCOMPARE(field->Value(), 9.0L);
    }
};

QTEST_MAIN(TestNumInp)
#include "tst_numinp.moc"
