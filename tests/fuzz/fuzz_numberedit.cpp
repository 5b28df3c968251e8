// The numeric entry field as a user may drive it: any sequence of keys and pasted texts.
// After every step its value is finite and is what its text stands for; leaving the field
// shows the value in the field's display format, which reads back to the same value.
#include "FuzzSupport.h"
#include "calc/EntryField.h"
#include "common/NumberText.h"
#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    char character = 0;
};

const Key kKeys[] = {
    {Qt::Key_0, {}, '0'},
    {Qt::Key_1, {}, '1'},
    {Qt::Key_2, {}, '2'},
    {Qt::Key_3, {}, '3'},
    {Qt::Key_4, {}, '4'},
    {Qt::Key_5, {}, '5'},
    {Qt::Key_6, {}, '6'},
    {Qt::Key_7, {}, '7'},
    {Qt::Key_8, {}, '8'},
    {Qt::Key_9, {}, '9'},
    {Qt::Key_Comma, {}, ','},
    {Qt::Key_Period, {}, '.'},
    {Qt::Key_Minus, {}, '-'},
    {Qt::Key_Plus, {}, '+'},
    {Qt::Key_E, {}, 'e'},
    {Qt::Key_X, {}, 'x'},
    {Qt::Key_Space, {}, ' '},
    {Qt::Key_NumberSign, {}, '#'},
    {Qt::Key_Percent, {}, '%'},
    {Qt::Key_Apostrophe, {}, '\''},
    {Qt::Key_Backspace},
    {Qt::Key_Delete},
    {Qt::Key_Left},
    {Qt::Key_Right},
    {Qt::Key_Home},
    {Qt::Key_End},
    {Qt::Key_Home, Qt::ShiftModifier},
    {Qt::Key_End, Qt::ShiftModifier},
    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Return},
    {Qt::Key_Escape},
};
constexpr int kKeyCount = int(std::size(kKeys));

// What the field's text stands for: a trailing or embedded minus makes it negative, the
// thousands points are no part of it. Nothing when it stands for no number.
std::optional<double> meaning(const QString &text)
{
    QString work = text;
    const qsizetype minus = text.indexOf(QLatin1Char('-'));
    if (minus > 0) work = QLatin1Char('-') + text.left(minus) + text.mid(minus + 1);
    return NumberText::parse(work.remove(NumberText::settings().thousand));
}

class Run
{
public:
    Run(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    QString input() const
    {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(m_data), qsizetype(m_size)).toHex(' '));
    }

    void check(TNumberEdit &field, const char *after) const
    {
        static const QRegularExpression notANumber(QStringLiteral("nan|inf"),
                                                   QRegularExpression::CaseInsensitiveOption);
        const QString text = field.text();
        const auto say = [&](const QString &what) {
            FuzzSupport::fail(QStringLiteral("after %1, text \"%2\", value %3: %4")
                                  .arg(QLatin1String(after), text)
                                  .arg(field.ValueFloat(), 0, 'g', 17)
                                  .arg(what),
                              input());
        };
        if (!std::isfinite(field.ValueFloat())) say(QStringLiteral("the value is not finite"));
        if (text.contains(notANumber)) say(QStringLiteral("the text shows no number"));
        // An empty text keeps the last value, a lone minus stands for 0.
        if (text.isEmpty()) return;
        const std::optional<double> value = text == QLatin1String("-") ? 0.0 : meaning(text);
        if (field.ValueFloat() != value.value_or(0.0))
            say(QStringLiteral("the value is not what the text says"));
    }

    bool atEnd() const { return m_pos >= m_size; }
    uint8_t next() { return atEnd() ? 0 : m_data[m_pos++]; }
    QString nextText()
    {
        const size_t n = std::min<size_t>(next() % 24, m_size - m_pos);
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return text;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QWidget *window()
{
    static QWidget *w = [] {
        auto *top = new QWidget;
        top->resize(300, 80);
        top->show();
        return top;
    }();
    if (QApplication::activeWindow() != w) {
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w, 1000);
    }
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Run run(data, size);
    // The first byte chooses the field: the program has them with 0, 1 and 2 decimals.
    const int precision = run.next() % 3;
    QWidget *top = window();
    TNumberEdit field(top);
    EntryField::configure(&field, precision, 0);
    field.setGeometry(10, 10, 120, 21);
    field.show();
    field.setFocus();
    run.check(field, "entering");

    while (!run.atEnd()) {
        const uint8_t op = run.next();
        if (op < 2 * kKeyCount) {
            const Key &k = kKeys[op % kKeyCount];
            if (k.character)
                QTest::keyClick(&field, k.character, k.modifiers);
            else
                QTest::keyClick(&field, k.key, k.modifiers);
            run.check(field, "a key");
        } else if (op < 2 * kKeyCount + 8) {
            // A paste replaces the selection with any text.
            field.insert(run.nextText());
            run.check(field, "a paste");
        } else {
            // The program writes a value (the list loads its records into the field).
            const double value = double(qint64(run.next()) * 256 + run.next()) / 100.0 - 100.0;
            field.setValueFloat(value);
            run.check(field, "a written value");
        }
        top = window();
        field.setFocus();
    }
    // Leaving shows the value in the display format, and that reads back to the value.
    QTest::keyClick(&field, Qt::Key_Return);
    run.check(field, "leaving");
    if (field.text() != NumberText::number(field.ValueFloat(), precision))
        FuzzSupport::fail(
            QStringLiteral("leaving shows \"%1\" for %2").arg(field.text()).arg(field.ValueFloat()),
            run.input());
    QCoreApplication::sendPostedEvents();
    return 0;
}
