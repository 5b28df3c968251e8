#include "widgets/NumInp.h"

#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/SystemColors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

struct Limits
{
    long double low;
    long double high;
};

Limits limitsOf(TNumInp::TDatatype type)
{
    switch (type) {
    case TNumInp::dtByte:
        return {0, 255};
    case TNumInp::dtShortint:
        return {-128, 127};
    case TNumInp::dtWord:
        return {0, 65535};
    case TNumInp::dtInteger:
        return {-32768, 32767};
    case TNumInp::dtLongint:
        return {-2147483647, 2147483647};
    case TNumInp::dtSingle:
        return {-3.4e38L, 3.4e38L};
    case TNumInp::dtReal:
        return {-1.7e38L, 1.7e38L};
    case TNumInp::dtDouble:
        return {-1.7e308L, 1.7e308L};
    case TNumInp::dtExtended:
        break;
    }
    return {-1.1e4932L, 1.1e4932L};
}

// Nearest whole number, halves to the even neighbour.
long double roundHalfEven(long double v)
{
    const long double below = std::floor(v);
    const long double diff = v - below;
    long double r = below;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(below, 2.0L) != 0)) r = below + 1;
    return r == 0 ? 0 : r; // no negative zero
}

// Exponent form: one digit before the comma, `significant` digits in all, an exponent
// with a sign and at least `exponentDigits` digits: 1234.5 -> "1,23450000000E+03".
QString exponentForm(double value, int significant, int exponentDigits)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*E", std::clamp(significant, 1, 30) - 1, value);
    QString out = QString::fromLatin1(buf);
    const qsizetype e = out.indexOf(QLatin1Char('E'));
    QString mantissa = out.left(e);
    QString exponent = out.mid(e + 2);
    while (exponent.size() > 1 && exponent.size() > exponentDigits && exponent.front() == QLatin1Char('0'))
        exponent.remove(0, 1);
    while (exponent.size() < exponentDigits)
        exponent.prepend(QLatin1Char('0'));
    mantissa.replace(QLatin1Char('.'), NumberText::settings().decimal);
    return mantissa + QLatin1Char('E') + out[e + 1] + exponent;
}

} // namespace

TNumInp::TNumInp(QWidget *parent) : QLineEdit(parent), m_positiveColor(palette().color(QPalette::Text))
{
    resize(85, height());
    updateDisplay();
}

bool TNumInp::isIntegerType(TDatatype type)
{
    return type == dtByte || type == dtInteger || type == dtLongint || type == dtShortint || type == dtWord;
}

// --- properties --------------------------------------------------------------------------

void TNumInp::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    update();
}

QColor TNumInp::Color() const
{
    return SystemColors::fieldBackground(this);
}

void TNumInp::setColor(const QColor &color)
{
    SystemColors::setFieldBackground(this, color);
}

void TNumInp::setNegativeColor(const QColor &color)
{
    m_negativeColor = color;
    updateDisplay();
}

void TNumInp::setNumericType(TNumericType type)
{
    m_numericType = isIntegerType(m_datatype) ? ntGeneral : type;
    updateDisplay();
}

void TNumInp::setDatatype(TDatatype type)
{
    m_datatype = type;
    const Limits limits = limitsOf(type);
    if (m_min < limits.low || m_min > limits.high) m_min = limits.low;
    if (m_max < limits.low || m_max > limits.high) m_max = limits.high;
    if (m_value < limits.low || m_value > limits.high) m_value = 0;
    if (isIntegerType(type)) {
        m_numericType = ntGeneral;
        m_decimals = 0;
    }
    updateDisplay();
}

void TNumInp::setDigits(int digits)
{
    m_digits = std::max(digits, 0);
    updateDisplay();
}

void TNumInp::setDecimals(int decimals)
{
    m_decimals = isIntegerType(m_datatype) ? 0 : std::max(decimals, 0);
    updateDisplay();
}

void TNumInp::setMin(long double min)
{
    const Limits limits = limitsOf(m_datatype);
    if (min < limits.low || min > limits.high) min = limits.low;
    m_min = std::min(min, m_max);
    if (m_value < m_min) {
        m_value = m_min;
        updateDisplay();
    }
}

void TNumInp::setMax(long double max)
{
    const Limits limits = limitsOf(m_datatype);
    if (max < limits.low || max > limits.high) max = limits.high;
    m_max = std::max(max, m_min);
    if (m_value > m_max) {
        m_value = m_max;
        updateDisplay();
    }
}

void TNumInp::setValue(long double value)
{
    if (value == m_value || !passesValidation(value)) return;
    m_value = value;
    updateDisplay();
}

long double TNumInp::ValueAs(TDatatype type) const
{
    const Limits limits = limitsOf(type);
    if (m_value < limits.low || m_value > limits.high) return 0;
    if (isIntegerType(type)) return roundHalfEven(m_value);
    if (type == dtSingle) return static_cast<float>(m_value);
    if (type == dtDouble || type == dtReal) return static_cast<double>(m_value);
    return m_value;
}

bool TNumInp::passesValidation(long double value)
{
    if (!m_validate || (value >= m_min && value <= m_max)) return true;
    Messages::error(this, QStringLiteral("zulässiger Wert falsch"));
    return false;
}

// --- display -------------------------------------------------------------------------------

QString TNumInp::formatted() const
{
    if (isIntegerType(m_datatype)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.0Lf", m_value);
        return QString::fromLatin1(buf);
    }
    const double v = static_cast<double>(m_value);
    // Fixed-point forms that would need more than Digits places before the comma fall
    // back to the general form.
    const bool tooLarge = std::fabs(v) >= std::pow(10.0, m_digits);
    switch (m_numericType) {
    case ntGeneral:
        break;
    case ntExponent:
        return exponentForm(v, m_digits, m_decimals);
    case ntFixed:
        if (!tooLarge) return NumberText::fixed(v, m_decimals);
        break;
    case ntNumber:
        if (!tooLarge) return NumberText::number(v, m_decimals);
        break;
    case ntCurrency:
        if (!tooLarge) return NumberText::number(v, m_decimals) + QStringLiteral(" €");
        break;
    }
    return NumberText::general(v, m_digits);
}

void TNumInp::updateDisplay()
{
    m_maxLength = m_numericType == ntExponent ? m_digits + m_decimals + 3 : m_digits;
    if (isIntegerType(m_datatype)) m_value = roundHalfEven(m_value);
    setText(formatted());
    QPalette p = palette();
    p.setColor(QPalette::Text, m_value < 0 ? m_negativeColor : m_positiveColor);
    setPalette(p);
    update();
}

int TNumInp::textMargin() const
{
    const int screenFont = QFontMetrics(QApplication::font()).height();
    return std::min(screenFont, fontMetrics().height()) / 4;
}

void TNumInp::paintEvent(QPaintEvent *event)
{
    if (m_alignment == taLeftJustify || Editing()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QRect area = rect();
    if (hasFrame()) {
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
        area.adjust(frame, frame, -frame, -frame);
        painter.setPen(SystemColors::system(SystemColors::WindowFrame));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    painter.fillRect(area, Color());

    const int margin = textMargin();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text());
    const int left = m_alignment == taCenter ? (area.left() + area.right() + 1 - width) / 2
                                             : area.right() + 1 - (hasFrame() ? margin : 0) - width;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(left, area.top() + margin + metrics.ascent(), text());
}

// --- keys and focus -----------------------------------------------------------------------

bool TNumInp::acceptsCharacter(QChar c) const
{
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-'))
        return true;
    if (isIntegerType(m_datatype)) return false;
    if (c == NumberText::settings().decimal) return true;
    return m_numericType == ntExponent && (c == QLatin1Char('E') || c == QLatin1Char('e'));
}

void TNumInp::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        focusPreviousChild();
        return;
    case Qt::Key_Down:
        focusNextChild();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_tabOnEnterKey) {
            focusNextChild();
            return;
        }
        break;
    case Qt::Key_Escape:
        undo();
        selectAll();
        return;
    default:
        break;
    }

    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        if (!NumberText::parse(text()) || text().size() > m_maxLength) {
            QApplication::beep();
            undo();
        }
        return;
    }
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.front().unicode() >= 0x20 &&
                           typed.front().unicode() != 0x7f && !(event->modifiers() & Qt::ControlModifier);
    if (character) {
        const bool full = text().size() - selectedText().size() >= m_maxLength;
        if (!acceptsCharacter(typed.front()) || (!isReadOnly() && full)) {
            QApplication::beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TNumInp::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    m_editing = true;
    if (!m_autoSelect) {
        deselect();
        setCursorPosition(0);
    } else if (event->reason() != Qt::MouseFocusReason) {
        selectAll();
    }
    update();
}

void TNumInp::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;

    QString kept;
    for (const QChar c : text()) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
            c == QLatin1Char('-') || c == QLatin1Char('E') || c == QLatin1Char('e') ||
            c == NumberText::settings().decimal)
            kept += c;
    }
    if (kept.isEmpty()) kept = QStringLiteral("0");
    const std::optional<double> number = NumberText::parse(kept);
    if (!number) {
        Messages::error(this, QLatin1Char('\'') + text() + QStringLiteral("' is no valid numeric input."));
        selectAll();
        setFocus();
        return;
    }
    if (!passesValidation(*number)) {
        m_valid = false;
        selectAll();
        setFocus();
        return;
    }
    m_valid = true;
    m_value = *number;
    updateDisplay();
    m_editing = false;
    update();
}
