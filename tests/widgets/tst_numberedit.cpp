// The numeric entry field, driven by real key, mouse and focus events on a shown window,
// set up like the calculator's three fields (float mode, German separators, yellow,
// Arial bold 13 px, no range).
#include "common/Messages.h"
#include "common/SystemColors.h"
#include "BoxAnswerer.h"
#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// The field's parent: records the keys that reach it (modifier keys alone aside).
class KeyRecorder : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() < Qt::Key_Shift || event->key() > Qt::Key_Alt) keys << event->key();
        event->accept();
    }
};

struct Form
{
    KeyRecorder window;
    TNumberEdit *edit = nullptr;
    QLineEdit *other = nullptr; // the next control in tab order
};

QFont designFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(13);
    return f;
}

// The stored properties of a calculator field, applied in their stored order.
void configure(TNumberEdit *edit, int precision, const QString &text)
{
    edit->setAlignment(TNumberEdit::taRightJustify);
    edit->setCheckOnExit(true);
    edit->setColorOnFocus(SystemColors::yellow());
    edit->setColorOnNoFocus(SystemColors::yellow());
    edit->setDecimal(TNumberEdit::spComma);
    edit->setFontOnFocus(designFont());
    edit->setFontOnNoFocus(designFont());
    edit->setEditPrecision(precision);
    edit->setEditType(TNumberEdit::etFloat);
    edit->setMaxValue(0);
    edit->setMinValue(0);
    edit->setThousand(TNumberEdit::spPoint);
    edit->setUseThousandSeparator(true);
    edit->setText(text);
}

std::unique_ptr<Form> showForm(int precision = 2, const QString &text = QStringLiteral("0,00"))
{
    auto form = std::make_unique<Form>();
    // The fields sit on a panel inside the window, as on the calculator's tab pages.
    auto *panel = new QFrame(&form->window);
    (new QVBoxLayout(&form->window))->addWidget(panel);
    auto *layout = new QVBoxLayout(panel);
    form->edit = new TNumberEdit(panel);
    form->edit->setObjectName(QStringLiteral("Edit_R"));
    configure(form->edit, precision, text);
    form->other = new QLineEdit(panel);
    layout->addWidget(form->edit);
    layout->addWidget(form->other);
    form->other->setFocus();
    form->window.show();
    form->window.activateWindow();
    if (!QTest::qWaitForWindowActive(&form->window)) return nullptr;
    return form;
}

// A message box closed: the window manager would make the window active again (the
// offscreen platform has none). The window's focus then goes where the code put it.
bool reactivate(Form &form)
{
    form.window.activateWindow();
    return QTest::qWaitForWindowActive(&form.window);
}

// Enters the field the way Tab does (the whole text gets selected).
bool enter(Form &form)
{
    form.edit->setFocus(Qt::TabFocusReason);
    return form.edit->hasFocus();
}

// One key of a typing sequence: a single character, or the name of a key.
void press(QWidget *w, const QString &key)
{
    static const QHash<QString, Qt::Key> named = {
        {QStringLiteral("Backspace"), Qt::Key_Backspace},
        {QStringLiteral("Delete"), Qt::Key_Delete},
        {QStringLiteral("Escape"), Qt::Key_Escape},
        {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Left"), Qt::Key_Left},
        {QStringLiteral("Home"), Qt::Key_Home},
        {QStringLiteral("End"), Qt::Key_End},
    };
    if (key == QLatin1String("SelectAll")) {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        return;
    }
    if (named.contains(key)) {
        QTest::keyClick(w, named.value(key));
        return;
    }
    QTest::keyClick(w, key.at(0).toLatin1());
}

const QString kConversionMessage = QStringLiteral(
    "Range Max. :\n - Integer : -2147483647 <-> 2147483647\n - Float   : 5.0e-324 <-> 1.7e+308");

} // namespace

struct Step
{
    QString key;
    QString text;
    int caret; // -1: not checked (the focus has left)
    double value;
};
Q_DECLARE_METATYPE(QList<Step>)

class TestNumberEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Vexara"));
        SystemColors::applyApplicationLook();
        // The machine's locale must not matter: the field speaks German regardless.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // clang-format off
    void typingSequence_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<Step>>("steps");
        // Each step: the key, then the text, the caret and ValueFloat after it.

        QTest::newRow("1234 then ,56, a further digit is rejected, exit keeps the text") << 2 << "0,00" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"3", "123", 3, 123},
            {"4", "1.234", 5, 1234},
            {",", "1.234,", 6, 1234},
            {"5", "1.234,5", 7, 1234.5},
            {"6", "1.234,56", 8, 1234.56},
            {"7", "1.234,56", 8, 1234.56},
            {"Tab", "1.234,56", -1, 1234.56},
        };

        QTest::newRow("no decimals: comma only at the end, no digit after it") << 0 << "5" << QList<Step>{
            {"5", "5", 1, 5},
            {"Left", "5", 0, 5},
            {",", "5", 0, 5},
            {"End", "5", 1, 5},
            {",", "5,", 2, 5},
            {"3", "5,", 2, 5},
            {"Tab", "5", -1, 5},
        };

        QTest::newRow("point becomes the decimal comma, a second one is rejected") << 1 << "73,0" << QList<Step>{
            {"7", "7", 1, 7},
            {"3", "73", 2, 73},
            {".", "73,", 3, 73},
            {",", "73,", 3, 73},
            {".", "73,", 3, 73},
            {"5", "73,5", 4, 73.5},
            {"Tab", "73,5", -1, 73.5},
        };

        QTest::newRow("comma with too many characters behind it is rejected") << 1 << "0,0" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"Home", "12", 0, 12},
            {",", "12", 0, 12},
            {"End", "12", 2, 12},
            {"Left", "12", 1, 12},
            {",", "1,2", 2, 1.2},
        };

        QTest::newRow("second minus rejected, trailing minus reads negative") << 1 << "73,0" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"-", "12-", 3, -12},
            {"-", "12-", 3, -12},
            {"Tab", "-12,0", -1, -12},
        };

        QTest::newRow("embedded minus reads negative") << 1 << "73,0" << QList<Step>{
            {"1", "1", 1, 1},
            {"-", "1-", 2, -1},
            {"2", "1-2", 3, -12},
            {"Tab", "-12,0", -1, -12},
        };

        QTest::newRow("minus replaces the whole selected text") << 1 << "-5,0" << QList<Step>{
            {"-", "-", 1, 0},
            {"-", "-", 1, 0},
            {"4", "-4", 2, -4},
            {"5", "-45", 3, -45},
            {"6", "-456", 4, -456},
            {"7", "-4.567", 6, -4567},
        };

        QTest::newRow("deleting all text keeps the value until the exit") << 1 << "73,0" << QList<Step>{
            {"Backspace", "", 0, 73},
            {"Tab", "0,0", -1, 0},
        };

        QTest::newRow("deleting with Delete regroups") << 2 << "0,00" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"3", "123", 3, 123},
            {"4", "1.234", 5, 1234},
            {"Home", "1.234", 0, 1234},
            {"Delete", "234", 0, 234},
        };

        QTest::newRow("regrouping keeps the caret behind the same character") << 2 << "0,00" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"3", "123", 3, 123},
            {"4", "1.234", 5, 1234},
            {"5", "12.345", 6, 12345},
            {"6", "123.456", 7, 123456},
            {"Home", "123.456", 0, 123456},
            {"7", "7.123.456", 2, 7123456},
            {"Backspace", "7.123.456", 2, 7123456}, // the separator comes back
            {"Left", "7.123.456", 1, 7123456},
            {"Backspace", "123.456", 0, 123456},
            {"End", "123.456", 7, 123456},
            {"Backspace", "12.345", 6, 12345},
        };

        QTest::newRow("characters the text filter removes") << 2 << "0,00" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"#", "12", 2, 12},
            {"%", "12", 2, 12},
            {"Left", "12", 1, 12},
            {"$", "12", 1, 12},
            {"3", "132", 2, 132},
        };

        QTest::newRow("letters and blanks are rejected") << 2 << "0,00" << QList<Step>{
            {"1", "1", 1, 1},
            {"a", "1", 1, 1},
            {" ", "1", 1, 1},
            {"+", "1", 1, 1},
        };

        QTest::newRow("Escape after editing restores the entry text") << 1 << "73,0" << QList<Step>{
            {"5", "5", 1, 5},
            {"1", "51", 2, 51},
            {"Escape", "73,0", 4, 73},
        };

        QTest::newRow("Enter reformats and keeps the focus") << 1 << "73,0" << QList<Step>{
            {"1", "1", 1, 1},
            {"2", "12", 2, 12},
            {"3", "123", 3, 123},
            {"4", "1.234", 5, 1234},
            {"Return", "1.234,0", 7, 1234},
            {"5", "5", 1, 5},
            {"Escape", "1.234,0", 7, 1234},
        };
    }
    // clang-format on

    void typingSequence()
    {
        QFETCH(int, precision);
        QFETCH(QString, start);
        QFETCH(QList<Step>, steps);
        auto form = showForm(precision, start);
        QVERIFY(form);
        QVERIFY(enter(*form));
        for (const Step &step : steps) {
            press(form->edit, step.key);
            const QByteArray where = "after key " + step.key.toUtf8();
            QVERIFY2(form->edit->text() == step.text,
                     qPrintable(where + ": text " + form->edit->text().toUtf8() + ", expected " +
                                step.text.toUtf8()));
            if (step.caret >= 0) {
                QVERIFY2(form->edit->hasFocus(), where.constData());
                QVERIFY2(form->edit->cursorPosition() == step.caret,
                         qPrintable(where + ": caret " + QByteArray::number(form->edit->cursorPosition())));
            }
            QVERIFY2(qFuzzyCompare(1 + form->edit->ValueFloat(), 1 + step.value),
                     qPrintable(where + ": value " + QByteArray::number(form->edit->ValueFloat())));
        }
    }

    void commaIntoEmptyFieldIsUnreadableUntilKeyUpMakesItZeroComma()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("Backspace"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        QTest::keyPress(form->edit, ',');
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, kConversionMessage);
        QCOMPARE(boxes.seen().at(0).title, Messages::applicationTitle());
        QCOMPARE(form->edit->text(), QStringLiteral(","));
        QCOMPARE(form->edit->ValueFloat(), 0.0);
        // The box took the focus for a moment: that is no leaving and no entering.
        QSignalSpy exits(form->edit, &TNumberEdit::OnExit);
        QSignalSpy enters(form->edit, &TNumberEdit::OnEnter);
        QVERIFY(reactivate(*form));
        QVERIFY(form->edit->hasFocus());
        QCOMPARE(exits.size(), 0);
        QCOMPARE(enters.size(), 0);
        QCOMPARE(form->edit->Color(), SystemColors::yellow());
        QTest::keyRelease(form->edit, ',');
        QCOMPARE(form->edit->text(), QStringLiteral("0,"));
        QCOMPARE(form->edit->cursorPosition(), 2);
        press(form->edit, QStringLiteral("5"));
        QCOMPARE(form->edit->text(), QStringLiteral("0,5"));
        QCOMPARE(form->edit->ValueFloat(), 0.5);
        QCOMPARE(boxes.unexpected(), 0);
    }

    void loneMinusGivesZeroWithoutChangeEvent()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        QSignalSpy changes(form->edit, &TNumberEdit::OnChange);
        press(form->edit, QStringLiteral("-"));
        QCOMPARE(form->edit->text(), QStringLiteral("-"));
        QCOMPARE(form->edit->ValueFloat(), 0.0);
        QCOMPARE(changes.size(), 0);
        press(form->edit, QStringLiteral("4"));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(form->edit->ValueFloat(), -4.0);
    }

    void escapeWithoutEditsGoesToTheParent()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("Escape"));
        QTRY_COMPARE(form->window.keys, QList<int>{Qt::Key_Escape});
        QCOMPARE(form->edit->text(), QStringLiteral("73,0"));
        QVERIFY(form->edit->hasFocus());
    }

    // Like a dialog's cancel and default buttons: the window's shortcuts see Escape and
    // Enter only when the field passes them on.
    void escapeAndEnterReachWindowShortcutsOnlyWhenPassedOn()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        QShortcut escape(QKeySequence(Qt::Key_Escape), &form->window);
        QShortcut enterKey(QKeySequence(Qt::Key_Return), &form->window);
        QSignalSpy escapes(&escape, &QShortcut::activated);
        QSignalSpy enters(&enterKey, &QShortcut::activated);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("5"));
        press(form->edit, QStringLiteral("Escape"));
        QCOMPARE(form->edit->text(), QStringLiteral("73,0"));
        QTest::qWait(20);
        QCOMPARE(escapes.size(), 0);
        press(form->edit, QStringLiteral("Escape"));
        QTRY_COMPARE(escapes.size(), 1);

        press(form->edit, QStringLiteral("SelectAll"));
        press(form->edit, QStringLiteral("5"));
        press(form->edit, QStringLiteral("Return"));
        QCOMPARE(form->edit->text(), QStringLiteral("5,0")); // committed before the window hears of it
        QCOMPARE(enters.size(), 0);
        QTRY_COMPARE(enters.size(), 1);
        QCOMPARE(form->window.keys, QList<int>{});
    }

    void escapeAfterEditsStaysInTheField()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("5"));
        press(form->edit, QStringLiteral("Escape"));
        QCOMPARE(form->edit->text(), QStringLiteral("73,0"));
        QTest::qWait(20);
        QCOMPARE(form->window.keys, QList<int>{});
    }

    void enterCommitsWhileTheFocusStays()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        QSignalSpy exits(form->edit, &TNumberEdit::OnExit);
        QSignalSpy enters(form->edit, &TNumberEdit::OnEnter);
        press(form->edit, QStringLiteral("1"));
        press(form->edit, QStringLiteral("2"));
        press(form->edit, QStringLiteral("-"));
        press(form->edit, QStringLiteral("Return"));
        QCOMPARE(form->edit->text(), QStringLiteral("-12,0"));
        QCOMPARE(form->edit->ValueFloat(), -12.0);
        QCOMPARE(exits.size(), 1);
        QCOMPARE(enters.size(), 1);
        QVERIFY(form->edit->hasFocus());
        QVERIFY(form->edit->Focused());
        QCOMPARE(form->edit->selectedText(), QStringLiteral("-12,0"));
        QCOMPARE(form->edit->EntryText(), QStringLiteral("-12,0"));
        // The Enter key-down is posted on to the parent.
        QTRY_COMPARE(form->window.keys, QList<int>{Qt::Key_Return});
    }

    void enterWithExitOnReturnMovesOn()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        form->edit->setExitOnReturn(true);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("8"));
        press(form->edit, QStringLiteral("Return"));
        QTRY_VERIFY(form->other->hasFocus());
        QCOMPARE(form->edit->text(), QStringLiteral("8,0"));
        QVERIFY(!form->edit->Focused());
        QCOMPARE(form->window.keys, QList<int>{});
    }

    void focusExitFormats_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("0: comma at the end dropped") << 0 << QStringList{"5", ","} << "5" << 5.0;
        QTest::newRow("0: thousands") << 0 << QStringList{"1", "2", "3", "4"} << "1.234" << 1234.0;
        QTest::newRow("0: empty") << 0 << QStringList{"Backspace"} << "0" << 0.0;
        QTest::newRow("1: one decimal")
            << 1 << QStringList{"1", "2", "3", "4", ",", "5"} << "1.234,5" << 1234.5;
        QTest::newRow("1: whole number") << 1 << QStringList{"7"} << "7,0" << 7.0;
        QTest::newRow("1: trailing minus") << 1 << QStringList{"1", "2", "-"} << "-12,0" << -12.0;
        QTest::newRow("1: empty") << 1 << QStringList{"Backspace"} << "0,0" << 0.0;
        QTest::newRow("2: two decimals")
            << 2 << QStringList{"1", "2", "3", "4", ",", "5", "6"} << "1.234,56" << 1234.56;
        QTest::newRow("2: one decimal filled up") << 2 << QStringList{"0", ",", "5"} << "0,50" << 0.5;
        QTest::newRow("2: comma without decimals") << 2 << QStringList{"4", "7", ","} << "47,00" << 47.0;
        QTest::newRow("2: empty") << 2 << QStringList{"Backspace"} << "0,00" << 0.0;
        QTest::newRow("2: lone minus") << 2 << QStringList{"-"} << "0,00" << 0.0;
    }
    void focusExitFormats()
    {
        QFETCH(int, precision);
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        QFETCH(double, value);
        auto form = showForm(precision, QStringLiteral("73"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        QSignalSpy exits(form->edit, &TNumberEdit::OnExit);
        for (const QString &key : keys)
            press(form->edit, key);
        press(form->edit, QStringLiteral("Tab"));
        QVERIFY(form->other->hasFocus());
        QCOMPARE(form->edit->text(), text);
        QCOMPARE(form->edit->ValueFloat(), value);
        QCOMPARE(exits.size(), 1);
        QVERIFY(!form->edit->Focused());
    }

    void exitWithoutThousandSeparatorCutsDecimals()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        form->edit->setUseThousandSeparator(false);
        form->edit->setText(QStringLiteral("1234,5"));
        QCOMPARE(form->edit->ValueFloat(), 1234.5);
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(form->edit->text(), QStringLiteral("1234,50"));
        form->edit->setText(QStringLiteral("12,349"));
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(form->edit->text(), QStringLiteral("12,34"));
        form->edit->setText(QStringLiteral("1234"));
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(form->edit->text(), QStringLiteral("1234,00"));
    }

    void writingValueFloat_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<double>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("readBack");
        QTest::newRow("rounded to two decimals") << 2 << 1234.567 << "1.234,57" << 1234.57;
        QTest::newRow("zero") << 2 << 0.0 << "0,00" << 0.0;
        QTest::newRow("filled up") << 2 << 1234.5 << "1.234,50" << 1234.5;
        QTest::newRow("negative") << 2 << -1500.0 << "-1.500,00" << -1500.0;
        QTest::newRow("one decimal") << 1 << 73.0 << "73,0" << 73.0;
        QTest::newRow("no decimals") << 0 << 5.4 << "5" << 5.0;
        QTest::newRow("millions") << 1 << 2481234.25 << "2.481.234,3" << 2481234.3;
    }
    void writingValueFloat()
    {
        QFETCH(int, precision);
        QFETCH(double, written);
        QFETCH(QString, text);
        QFETCH(double, readBack);
        TNumberEdit edit;
        configure(&edit, precision, QStringLiteral("1"));
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        edit.setValueFloat(written);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.ValueFloat(), readBack);
        QCOMPARE(changes.size(), 1);
    }

    void writingTheShownValueFiresNoChange()
    {
        TNumberEdit edit;
        configure(&edit, 1, QStringLiteral("73,0"));
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        QSignalSpy texts(&edit, &QLineEdit::textChanged);
        edit.setValueFloat(73);
        edit.setValueFloat(73.04);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(texts.size(), 0);
        QCOMPARE(edit.ValueFloat(), 73.0);
    }

    void creationInStoredOrder()
    {
        TNumberEdit edit;
        QCOMPARE(edit.Alignment(), TNumberEdit::taLeftJustify);
        edit.setEditPrecision(1);
        edit.setEditType(TNumberEdit::etFloat);
        QCOMPARE(edit.text(), QStringLiteral("0,0"));
        QCOMPARE(edit.Alignment(), TNumberEdit::taRightJustify);
        QVERIFY(edit.alignment() & Qt::AlignRight);
        edit.setText(QStringLiteral("73,0"));
        QCOMPARE(edit.ValueFloat(), 73.0);
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        edit.setValueFloat(73);
        QCOMPARE(edit.text(), QStringLiteral("73,0"));
        QCOMPARE(changes.size(), 0);
        edit.setEditPrecision(-1);
        QCOMPARE(edit.EditPrecision(), 1);
        edit.setEditPrecision(2);
        QCOMPARE(edit.text(), QStringLiteral("73,00"));
    }

    void programTextsAreParsed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("thousands removed") << "1.234.567,5"
                                           << "1.234.567,5" << 1234567.5;
        QTest::newRow("filter removes the rest") << "12 Ohm#3"
                                                 << "123" << 123.0;
        QTest::newRow("plus sign") << "+5,5"
                                   << "+5,5" << 5.5;
        QTest::newRow("trailing minus with thousands") << "1.234-"
                                                       << "1.234-" << -1234.0;
    }
    void programTextsAreParsed()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(double, value);
        TNumberEdit edit;
        configure(&edit, 2, QStringLiteral("1"));
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        edit.setText(text);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.ValueFloat(), value);
        QCOMPARE(changes.size(), 1);
    }

    void emptyTextKeepsTheValue()
    {
        TNumberEdit edit;
        configure(&edit, 2, QStringLiteral("12,5"));
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        edit.setText(QString());
        QCOMPARE(edit.ValueFloat(), 12.5);
        QCOMPARE(changes.size(), 1);
        edit.setText(QStringLiteral("Ohm")); // filtered to nothing
        QCOMPARE(edit.text(), QString());
        QCOMPARE(edit.ValueFloat(), 12.5);
    }

    void unreadableTextShowsTheConversionMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lone comma") << ",";
        QTest::newRow("minus comma") << "-,";
        QTest::newRow("two commas") << "1,2,3";
        QTest::newRow("lone plus") << "+";
    }
    void unreadableTextShowsTheConversionMessage()
    {
        QFETCH(QString, text);
        TNumberEdit edit;
        configure(&edit, 2, QStringLiteral("12,5"));
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        edit.setText(text);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, kConversionMessage);
        QCOMPARE(boxes.seen().at(0).title, Messages::applicationTitle());
        QCOMPARE(boxes.seen().at(0).buttons, QStringList{"OK"});
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.ValueFloat(), 0.0);
        QCOMPARE(changes.size(), 1);
    }

    void focusColoursAndFonts()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        TNumberEdit *edit = form->edit;
        QFont small(QStringLiteral("Arial"));
        small.setPixelSize(9);
        edit->setColorOnFocus(SystemColors::aqua());
        edit->setFontOnNoFocus(small);
        QCOMPARE(edit->Color(), SystemColors::yellow());
        QCOMPARE(edit->font().pixelSize(), 9);
        // The window code's colour holds until the next focus change.
        edit->setColor(SystemColors::red());
        QCOMPARE(edit->Color(), SystemColors::red());
        QVERIFY(enter(*form));
        QCOMPARE(edit->Color(), SystemColors::aqua());
        QCOMPARE(edit->font().pixelSize(), 13);
        QVERIFY(edit->font().bold());
        edit->setColor(SystemColors::red());
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(edit->Color(), SystemColors::yellow());
        QCOMPARE(edit->font().pixelSize(), 9);
    }

    void backgroundColourIsPainted()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        form->edit->setColor(SystemColors::red());
        const QImage image = form->edit->grab().toImage();
        QCOMPARE(QColor(image.pixel(5, image.height() / 2)), SystemColors::red());
    }

    void enteringSelectsAllAndLimitsTyping()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        QCOMPARE(form->edit->MaxLength(), 0);
        QSignalSpy enters(form->edit, &TNumberEdit::OnEnter);
        QVERIFY(enter(*form));
        QCOMPARE(enters.size(), 1);
        QVERIFY(form->edit->Focused());
        QCOMPARE(form->edit->selectedText(), QStringLiteral("0,00"));
        QCOMPARE(form->edit->EntryText(), QStringLiteral("0,00"));
        QCOMPARE(form->edit->MaxLength(), 16);
        for (int i = 0; i < 20; ++i)
            press(form->edit, QStringLiteral("1"));
        // The regrouped text may grow beyond the limit; typing stops there.
        QCOMPARE(form->edit->text(), QStringLiteral("1.111.111.111.111"));
        QCOMPARE(form->edit->ValueFloat(), 1111111111111.0);
        press(form->edit, QStringLiteral("Backspace"));
        QCOMPARE(form->edit->text(), QStringLiteral("111.111.111.111"));
    }

    void keyUpComesAfterRegrouping()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        QVERIFY(enter(*form));
        QStringList seen;
        QList<int> keys;
        connect(form->edit, &TNumberEdit::OnKeyUp, form->edit, [&](int key, Qt::KeyboardModifiers modifiers) {
            keys << key;
            seen << form->edit->text();
            QCOMPARE(modifiers, Qt::NoModifier);
        });
        QTest::keyClicks(form->edit, QStringLiteral("1234"));
        press(form->edit, QStringLiteral("Return"));
        QCOMPARE(keys, (QList<int>{Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_Return}));
        QCOMPARE(seen, (QStringList{"1", "12", "123", "1.234", "1.234,00"}));
    }

    void clickAndMouseDownReachTheWindow()
    {
        auto form = showForm(0, QStringLiteral("5"));
        QVERIFY(form);
        form->edit->setContextMenuPolicy(Qt::NoContextMenu);
        QSignalSpy downs(form->edit, &TNumberEdit::OnMouseDown);
        QSignalSpy clicks(form->edit, &TNumberEdit::OnClick);
        const QPoint at(10, form->edit->height() / 2);
        QTest::mouseClick(form->edit, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(downs.size(), 1);
        QCOMPARE(downs.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(downs.at(0).at(2).toPoint(), at);
        QCOMPARE(clicks.size(), 1);
        QVERIFY(form->edit->hasFocus());
        QTest::mouseClick(form->edit, Qt::RightButton, Qt::NoModifier, at);
        QCOMPARE(downs.size(), 2);
        QCOMPARE(downs.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(clicks.size(), 1);
    }

    void editKeyByTabMovesOn()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        form->edit->setEditKeyByTab(QLatin1Char('+'));
        QVERIFY(enter(*form));
        press(form->edit, QStringLiteral("9"));
        press(form->edit, QStringLiteral("+"));
        QVERIFY(form->other->hasFocus());
        QCOMPARE(form->edit->text(), QStringLiteral("9,0"));
    }

    void widthOnFocus()
    {
        auto form = showForm(1, QStringLiteral("73,0"));
        QVERIFY(form);
        const int width = form->edit->width();
        form->edit->setWidthOnFocus(width + 40);
        QVERIFY(enter(*form));
        QCOMPARE(form->edit->width(), width + 40);
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(form->edit->width(), width);
    }

    void rangeCheckOnExitKeepsTheFocus()
    {
        auto form = showForm(1, QStringLiteral("5,0"));
        QVERIFY(form);
        form->edit->setMinValue(2.5);
        form->edit->setMaxValue(10);
        QVERIFY(enter(*form));
        QSignalSpy exits(form->edit, &TNumberEdit::OnExit);
        press(form->edit, QStringLiteral("2"));
        press(form->edit, QStringLiteral("0"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("zul. Bereich von 2,5 bis 10"));
        QVERIFY(reactivate(*form));
        QVERIFY(form->edit->hasFocus());
        QCOMPARE(form->edit->text(), QStringLiteral("20"));
        QCOMPARE(form->edit->selectedText(), QStringLiteral("20")); // entered again
        QCOMPARE(form->edit->Color(), SystemColors::yellow());
        QCOMPARE(exits.size(), 0);
        boxes.answer(QStringLiteral("OK"));
        press(form->edit, QStringLiteral("2"));
        press(form->edit, QStringLiteral("Tab"));
        QCOMPARE(boxes.seen().size(), 2);
        QVERIFY(reactivate(*form));
        QVERIFY(form->edit->hasFocus());
        QCOMPARE(form->edit->text(), QStringLiteral("2"));
        QCOMPARE(form->edit->ValueFloat(), 2.0);
        QCOMPARE(exits.size(), 0);
        // Within the range nothing is reported.
        press(form->edit, QStringLiteral("7"));
        press(form->edit, QStringLiteral("Tab"));
        QVERIFY(form->other->hasFocus());
        QCOMPARE(form->edit->text(), QStringLiteral("7,0"));
        QCOMPARE(exits.size(), 1);
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.unexpected(), 0);
    }

    void integerMode()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        TNumberEdit *edit = form->edit;
        edit->setEditType(TNumberEdit::etInteger);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        QCOMPARE(edit->Alignment(), TNumberEdit::taRightJustify);
        QVERIFY(enter(*form));
        QCOMPARE(edit->MaxLength(), 0);
        // The integer text filter keeps digits and signs only, so the separators that
        // regrouping and the value display put in are taken out again at once.
        QTest::keyClicks(edit, QStringLiteral("12,345"));
        QCOMPARE(edit->text(), QStringLiteral("12345"));
        QCOMPARE(edit->ValueInteger(), 12345);
        press(edit, QStringLiteral("-"));
        QCOMPARE(edit->text(), QStringLiteral("12345-"));
        QCOMPARE(edit->ValueInteger(), -12345);
        QCOMPARE(edit->MaxLength(), 11);
        press(edit, QStringLiteral("-"));
        QCOMPARE(edit->text(), QStringLiteral("12345-"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(edit->text(), QStringLiteral("12345-")); // no reformatting on exit

        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        edit->setText(QStringLiteral("3000000000"));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("Range Max. : -2147483647 <-> 2147483647"));
        QCOMPARE(edit->ValueInteger(), 0);
        QVERIFY(reactivate(*form));

        edit->setValueInteger(-1500);
        QCOMPARE(edit->text(), QStringLiteral("-1500"));
        QCOMPARE(edit->ValueInteger(), -1500);
        edit->setUseThousandSeparator(false);
        edit->setValueInteger(2500);
        QCOMPARE(edit->text(), QStringLiteral("2500"));

        edit->setMinValue(0);
        edit->setMaxValue(99.9);
        QVERIFY(enter(*form));
        boxes.answer(QStringLiteral("OK"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.seen().at(1).text, QStringLiteral("Range Max. : 0 <-> 99"));
        QVERIFY(reactivate(*form));
        QVERIFY(edit->hasFocus());
    }

    void textModeFirstCharUpper()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        TNumberEdit *edit = form->edit;
        edit->setEditType(TNumberEdit::etString);
        edit->setFirstCharUpper(true);
        QCOMPARE(edit->Alignment(), TNumberEdit::taLeftJustify);
        edit->setText(QString());
        QVERIFY(enter(*form));
        QSignalSpy changes(edit, &TNumberEdit::OnChange);
        QTest::keyClicks(edit, QStringLiteral("ohm 1,5."));
        QCOMPARE(edit->text(), QStringLiteral("Ohm 1,5."));
        QCOMPARE(changes.size(), 8);
        press(edit, QStringLiteral("Tab"));
        edit->setText(QStringLiteral("kilo"));
        QVERIFY(enter(*form));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(edit->text(), QStringLiteral("Kilo"));
    }

    void dateMode()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        TNumberEdit *edit = form->edit;
        edit->setEditType(TNumberEdit::etDate);
        QCOMPARE(edit->displayText(), QStringLiteral("  /  /    "));
        QVERIFY(enter(*form));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("24122023"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(edit->ValueDateTime(), 45284.0); // 24 December 2023
        QCOMPARE(edit->text(), QStringLiteral("24/12/2023"));

        edit->setValueDateTime(0);
        QCOMPARE(edit->displayText(), QStringLiteral("  /  /    "));
        edit->setDateOrder(TNumberEdit::doYMD);
        edit->setValueDateTime(45284.0);
        QCOMPARE(edit->text(), QStringLiteral("2023/12/24"));

        edit->setDateOrder(TNumberEdit::doDMY);
        edit->setValueDateTime(45284.0);
        QVERIFY(enter(*form));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("31022023"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("\"31/02/2023\" is an invalid date."));
        QVERIFY(reactivate(*form));
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->ValueDateTime(), 0.0);
    }

    void timeMode()
    {
        auto form = showForm(2, QStringLiteral("0,00"));
        QVERIFY(form);
        TNumberEdit *edit = form->edit;
        edit->setEditType(TNumberEdit::etTime);
        QVERIFY(enter(*form));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("123456"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(edit->text(), QStringLiteral("12:34:56"));
        QCOMPARE(edit->ValueDateTime(), (12 * 3600 + 34 * 60 + 56) / 86400.0);

        edit->setTimeFormat(TNumberEdit::tfHM);
        QCOMPARE(edit->text(), QStringLiteral("12:34"));
        QVERIFY(enter(*form));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("2500"));
        BoxAnswerer boxes;
        boxes.answer(QStringLiteral("OK"));
        press(edit, QStringLiteral("Tab"));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("\"25:00\" is an invalid time."));
        QVERIFY(reactivate(*form));
        QVERIFY(edit->hasFocus());
    }

    void decimalSwapSwapsTheTextsSeparators()
    {
        TNumberEdit edit;
        configure(&edit, 2, QStringLiteral("1.234,50"));
        edit.setDecimal(TNumberEdit::spPoint);
        QCOMPARE(edit.Thousand(), TNumberEdit::spComma);
        QCOMPARE(edit.text(), QStringLiteral("1,234.50"));
        edit.setThousand(TNumberEdit::spPoint);
        QCOMPARE(edit.Decimal(), TNumberEdit::spComma);
        QCOMPARE(edit.text(), QStringLiteral("1.234,50"));
    }
};

QTEST_MAIN(TestNumberEdit)
#include "tst_numberedit.moc"
