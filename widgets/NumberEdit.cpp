#include "widgets/NumberEdit.h"

#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/SystemColors.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QChar kBackspace(0x08);
const QChar kEnter(0x0d);
const QChar kEscape(0x1b);

const QString kConversionMessage = QStringLiteral(
    "Range Max. :\r - Integer : -2147483647 <-> 2147483647\r - Float   : 5.0e-324 <-> 1.7e+308");
const QString kIntegerRangeMessage = QStringLiteral("Range Max. : -2147483647 <-> 2147483647");

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Characters that pass the key filter only to be removed again by the text filter.
bool isPassThrough(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('$') || c == QLatin1Char('%') || c == QLatin1Char('\'');
}

// The character a key press types, as the edit control's character stage sees it.
// Keys without one (navigation, Delete, Ctrl combinations such as copy and paste) give
// a null QChar and go to the standard processing untouched.
QChar characterOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier) return {};
    // Ctrl+Tab types nothing: it belongs to the window (a tab control switches its pages).
    if (event->key() == Qt::Key_Tab) return QLatin1Char('\t');
    const QString text = event->text();
    if (text.isEmpty()) return {};
    const QChar c = text.front();
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) return {};
    return c;
}

// Date-time values count days since 30 December 1899; the time is the fraction of a day.
const QDate kDateTimeBase(1899, 12, 30);

QDateTime toDateTime(double value)
{
    double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value < 0 ? -1 : 1;
    }
    return QDateTime(kDateTimeBase.addDays(static_cast<qint64>(days)), QTime(0, 0).addMSecs(int(ms)));
}

// A format in the design's notation (DD, MM, YYYY, HH, NN, SS) in Qt's notation.
QString qtFormat(QString format)
{
    format.replace(QLatin1String("YYYY"), QLatin1String("yyyy"));
    format.replace(QLatin1String("DD"), QLatin1String("dd"));
    format.replace(QLatin1String("NN"), QLatin1String("mm"));
    format.replace(QLatin1String("SS"), QLatin1String("ss"));
    return format;
}

// A number cut from a fixed position of a masked text.
std::optional<int> fieldAt(const QString &text, qsizetype position, qsizetype length)
{
    if (position < 0) return std::nullopt;
    bool ok = false;
    const int value = text.mid(position, length).trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace

TNumberEdit::TNumberEdit(QWidget *parent)
    : QLineEdit(parent), m_colorOnFocus(SystemColors::system(SystemColors::Window)),
      m_colorOnNoFocus(m_colorOnFocus),
      m_decimal(NumberText::settings().decimal == QLatin1Char('.') ? spPoint : spComma),
      m_fontOnFocus(font()), m_fontOnNoFocus(font()),
      m_invalidDateMessage(QStringLiteral("\"%text%\" is an invalid date.")),
      m_invalidTimeMessage(QStringLiteral("\"%text%\" is an invalid time."))
{
    connect(this, &QLineEdit::textChanged, this, &TNumberEdit::textChangedProcessing);
}

// --- properties --------------------------------------------------------------------

void TNumberEdit::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == taRightJustify) horizontal = Qt::AlignRight;
    if (alignment == taCenter) horizontal = Qt::AlignHCenter;
    QLineEdit::setAlignment(horizontal | Qt::AlignVCenter);
}

QColor TNumberEdit::Color() const
{
    return SystemColors::fieldBackground(this);
}

void TNumberEdit::setColor(const QColor &color)
{
    SystemColors::setFieldBackground(this, color);
}

void TNumberEdit::setColorOnNoFocus(const QColor &color)
{
    m_colorOnNoFocus = color;
    setColor(color);
}

void TNumberEdit::setDateOrder(TDateOrder order)
{
    m_dateOrder = order;
    if (m_editType == etDate) {
        installMask();
        setValueDateTime(m_valueDateTime);
    }
}

void TNumberEdit::setTimeFormat(TTimeFormat format)
{
    m_timeFormat = format;
    if (m_editType == etTime) {
        installMask();
        setValueDateTime(m_valueDateTime);
    }
}

void TNumberEdit::setDecimal(TSeparator separator)
{
    if (separator == m_decimal) return;
    m_decimal = separator;
    QString t = text();
    for (QChar &c : t) {
        if (c == QLatin1Char(','))
            c = QLatin1Char('.');
        else if (c == QLatin1Char('.'))
            c = QLatin1Char(',');
    }
    setText(t);
}

void TNumberEdit::setFontOnFocus(const QFont &font)
{
    m_fontOnFocus = font;
    if (m_focused) setFont(font);
}

void TNumberEdit::setFontOnNoFocus(const QFont &font)
{
    m_fontOnNoFocus = font;
    setFont(font);
}

void TNumberEdit::setEditType(TEditType type)
{
    m_editType = type;
    setAlignment(type == etInteger || type == etFloat ? taRightJustify : taLeftJustify);
    setInputMask(QString());
    switch (type) {
    case etInteger:
        setValueInteger(m_valueInteger);
        break;
    case etFloat:
        setValueFloat(m_valueFloat);
        break;
    case etDate:
    case etTime:
        installMask();
        setValueDateTime(m_valueDateTime);
        break;
    case etString:
        break;
    }
}

void TNumberEdit::setEditPrecision(int decimals)
{
    if (decimals < 0) return;
    m_editPrecision = decimals;
    if (m_editType == etFloat) setValueFloat(m_valueFloat);
}

void TNumberEdit::setValueDateTime(double value)
{
    m_valueDateTime = value;
    if (m_editType == etDate || m_editType == etTime) setText(value == 0 ? QString() : formatDateTime(value));
}

void TNumberEdit::setValueInteger(int value)
{
    if (m_editType != etInteger) return;
    setText(m_useThousandSeparator ? NumberText::number(value, 0) : NumberText::integer(value));
}

void TNumberEdit::setValueFloat(double value)
{
    if (m_editType != etFloat) return;
    // The change processing parses the text back; the same text causes no change at all.
    setText(m_useThousandSeparator ? NumberText::number(value, m_editPrecision)
                                   : NumberText::fixed(value, m_editPrecision));
}

// --- helpers -------------------------------------------------------------------------

QChar TNumberEdit::decimalChar() const
{
    return m_decimal == spComma ? QLatin1Char(',') : QLatin1Char('.');
}

QChar TNumberEdit::groupChar() const
{
    return m_decimal == spComma ? QLatin1Char('.') : QLatin1Char(',');
}

int TNumberEdit::selStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

QString TNumberEdit::dateTimeFormat() const
{
    if (m_editType == etDate) {
        switch (m_dateOrder) {
        case doDMY:
            return QStringLiteral("DD/MM/YYYY");
        case doMDY:
            return QStringLiteral("MM/DD/YYYY");
        case doYMD:
            return QStringLiteral("YYYY/MM/DD");
        }
    }
    if (m_editType == etTime) {
        switch (m_timeFormat) {
        case tfHMS:
            return QStringLiteral("HH:NN:SS");
        case tfHM:
            return QStringLiteral("HH:NN");
        case tfMS:
            return QStringLiteral("NN:SS");
        }
    }
    return QStringLiteral("DD/MM/YYYY HH:NN:SS");
}

QString TNumberEdit::formatDateTime(double value) const
{
    return toDateTime(value).toString(qtFormat(dateTimeFormat()));
}

void TNumberEdit::installMask()
{
    // A '0' in a Qt mask is an optional digit, the blank after ';' shows empty places.
    if (m_editType == etDate)
        setInputMask(m_dateOrder == doYMD ? QStringLiteral("0000/00/00; ") : QStringLiteral("00/00/0000; "));
    else if (m_editType == etTime)
        setInputMask(m_timeFormat == tfHMS ? QStringLiteral("00:00:00; ") : QStringLiteral("00:00; "));
}

// --- keys ----------------------------------------------------------------------------

bool TNumberEdit::event(QEvent *event)
{
    // Enter and Escape are the field's own keys before they are any window shortcut's;
    // what the field passes on reaches the parent as a key press.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TNumberEdit::keyPressEvent(QKeyEvent *event)
{
    // Key down.
    const int key = event->key();
    if (key == Qt::Key_Delete) m_regroup = m_editType == etInteger || m_editType == etFloat;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_exitOnReturn)
            QCoreApplication::postEvent(
                this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")));
        else if (parentWidget())
            QCoreApplication::postEvent(
                parentWidget(), new QKeyEvent(QEvent::KeyPress, key, event->modifiers(), event->text()));
    } else if (key == Qt::Key_Escape && text() == m_entryText && parentWidget()) {
        QCoreApplication::postEvent(parentWidget(),
                                    new QKeyEvent(QEvent::KeyPress, key, event->modifiers(), event->text()));
    }

    // Key press with a character.
    const QChar typed = characterOf(event);
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = filterCharacter(typed);
    if (c == kEnter) {
        // Enter commits and reformats the text while the field keeps the focus.
        exitProcessing(false);
        enterProcessing();
    } else if (!c.isNull()) {
        insertCharacter(event, c);
    }
    event->accept();
}

QChar TNumberEdit::filterCharacter(QChar c)
{
    if (c == m_editKeyByTab) {
        focusNextChild();
        return {};
    }
    if (c == kEscape) {
        if (text() != m_entryText) setText(m_entryText);
        return {};
    }
    switch (m_editType) {
    case etFloat:
        return filterFloatCharacter(c);
    case etInteger:
        return filterIntegerCharacter(c);
    case etString:
        if (m_firstCharUpper && text().isEmpty()) return c.toUpper();
        return c;
    case etDate:
    case etTime:
        break;
    }
    return c; // the edit mask decides
}

QChar TNumberEdit::filterFloatCharacter(QChar c)
{
    const QChar minus = QLatin1Char('-');
    const bool inSet = c == kBackspace || c == kEnter || isDigit(c) || c == QLatin1Char(',') || c == minus ||
                       c == QLatin1Char('.') || isPassThrough(c);
    const bool wholeTextSelected = !text().isEmpty() && selectedText().size() == text().size();
    if (!inSet || (c == minus && text().contains(minus) && !wholeTextSelected)) {
        m_regroup = false;
        return {};
    }

    // The decimal rule: at most one decimal separator, and never more than
    // EditPrecision characters behind it.
    const QChar d = decimalChar();
    const int precision = m_editPrecision;
    const int caret = selStart();
    const int length = int(text().size());
    if (c == kBackspace) {
        m_regroup = true;
        return c;
    }
    if (c == d || c == groupChar()) {
        if (text().contains(d) || length - caret > precision) return {};
        m_regroup = true;
        return d;
    }
    if (isDigit(c) || c == minus) {
        const int p = int(text().indexOf(d)) + 1; // 0 when there is none
        if (p > 0 && caret >= p && length - p == precision) return {};
        m_regroup = true;
        return c;
    }
    return c; // Enter and the four characters the text filter removes
}

QChar TNumberEdit::filterIntegerCharacter(QChar c)
{
    const QChar minus = QLatin1Char('-');
    const bool inSet = c == kBackspace || c == kEnter || isDigit(c) || c == minus || isPassThrough(c);
    const bool wholeTextSelected = !text().isEmpty() && selectedText().size() == text().size();
    if (!inSet || (c == minus && text().contains(minus) && !wholeTextSelected)) {
        m_regroup = false;
        return {};
    }
    if ((text().contains(minus) || c == minus) && m_maxLength == 0) m_maxLength = 11;
    if (c == kBackspace || isDigit(c) || c == minus) m_regroup = true;
    return c;
}

void TNumberEdit::insertCharacter(QKeyEvent *event, QChar c)
{
    if (c != kBackspace && m_maxLength > 0 && text().size() - selectedText().size() >= m_maxLength) return;
    if (event->text() == QString(c)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The filter replaced the character (a "." typed as the decimal comma, an upper-case
    // first letter): the standard processing inserts the replacement.
    QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), QString(c));
    QLineEdit::keyPressEvent(&replaced);
}

void TNumberEdit::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat()) {
        if (m_regroup) {
            m_regroup = false;
            regroup();
        }
        emit OnKeyUp(event->key(), event->modifiers());
    }
    QLineEdit::keyReleaseEvent(event);
}

void TNumberEdit::regroup()
{
    const QString old = text();
    const QChar d = decimalChar();
    const QChar g = groupChar();
    const int caret = selStart();
    const qsizetype decimalAt = old.indexOf(d);
    const int p = decimalAt >= 0 ? int(decimalAt) + 1 : int(old.size());
    if (p < caret) return; // the caret stands behind a decimal digit

    QString integerPart = decimalAt >= 0 ? old.left(decimalAt) : old;
    const QString decimalPart = decimalAt >= 0 ? old.mid(decimalAt) : QString();
    integerPart.remove(g);

    qsizetype digitsLeft = std::count_if(integerPart.cbegin(), integerPart.cend(), isDigit);
    QString grouped;
    for (const QChar c : std::as_const(integerPart)) {
        if (isDigit(c)) {
            // A separator only ever stands between two digits, never beside a sign.
            if (!grouped.isEmpty() && isDigit(grouped.back()) && digitsLeft % m_groupSize == 0) grouped += g;
            --digitsLeft;
        }
        grouped += c;
    }
    if (grouped.isEmpty() && !decimalPart.isEmpty()) grouped = QStringLiteral("0");

    const QString regrouped = grouped + decimalPart;
    if (regrouped == old) return;
    setText(regrouped);
    setCursorPosition(std::clamp(caret + int(regrouped.size() - old.size()), 0, int(regrouped.size())));
}

// --- change processing -----------------------------------------------------------------

void TNumberEdit::textChangedProcessing()
{
    if (m_editType != etInteger && m_editType != etFloat) {
        emit OnChange();
        return;
    }
    const QString current = text();
    if (current.isEmpty()) {
        emit OnChange(); // the value stays what it was
        return;
    }

    const bool isFloat = m_editType == etFloat;
    const auto keep = [isFloat](QChar c) {
        return isDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-') ||
               (isFloat && (c == QLatin1Char(',') || c == QLatin1Char('.')));
    };
    QString filtered;
    int caret = cursorPosition();
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (keep(current[i]))
            filtered += current[i];
        else if (i < cursorPosition())
            --caret;
    }
    if (filtered != current) {
        // The filtered text runs this processing again; that run does the rest.
        setText(filtered);
        setCursorPosition(caret);
        return;
    }

    m_valueFloat = 0;
    m_valueInteger = 0;
    if (current == QLatin1String("-")) return; // no change event: the value is simply 0

    // A trailing or embedded minus makes the number negative; the shown text stays.
    QString work = current;
    const qsizetype minus = current.indexOf(QLatin1Char('-'));
    if (minus > 0) work = QLatin1Char('-') + current.left(minus) + current.mid(minus + 1);
    if (m_useThousandSeparator) work.remove(NumberText::settings().thousand);

    const std::optional<double> number = NumberText::parse(work);
    if (!number) {
        Messages::plain(this, kConversionMessage);
    } else if (isFloat) {
        m_valueFloat = *number;
    } else if (*number > 2147483647.0 || *number < -2147483647.0) {
        Messages::plain(this, kIntegerRangeMessage);
    } else {
        m_valueInteger = static_cast<int>(std::llround(*number));
    }
    emit OnChange();
}

// --- focus ------------------------------------------------------------------------------

void TNumberEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The window becoming active again, or the focus coming back from a menu or a
    // message box, is no new entering.
    if (m_focused) return;
    enterProcessing();
}

void TNumberEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    exitProcessing(true);
}

void TNumberEdit::enterProcessing()
{
    selectAll();
    if (!m_focused) {
        m_focused = true;
        update();
    }
    if (m_editType == etFloat && m_maxLength == 0) m_maxLength = 16;
    m_entryText = text();
    if (m_widthOnFocus > 0) {
        m_savedWidth = width();
        resize(m_widthOnFocus, height());
    }
    setColor(m_colorOnFocus);
    setFont(m_fontOnFocus);
    emit OnEnter();
}

bool TNumberEdit::exitProcessing(bool reallyLeaving)
{
    if (reallyLeaving && m_focused) {
        m_focused = false;
        update();
    }
    if ((m_editType == etDate || m_editType == etTime) && !readDateTimeOnExit()) return false;
    if (m_widthOnFocus > 0) resize(m_savedWidth, height());
    if (m_editType == etString && m_firstCharUpper && !text().isEmpty()) {
        const QString t = text();
        setText(t.left(1).toUpper() + t.mid(1));
    }
    if ((m_minValue != 0 || m_maxValue != 0) && !rangeCheckOnExit()) return false;
    if (m_editType == etFloat && (m_editPrecision > 0 || m_useThousandSeparator)) reformatFloatOnExit();
    setColor(m_colorOnNoFocus);
    setFont(m_fontOnNoFocus);
    emit OnExit();
    return true;
}

bool TNumberEdit::readDateTimeOnExit()
{
    const QString shown = displayText();
    // An empty mask is left alone.
    if (std::none_of(shown.cbegin(), shown.cend(), isDigit)) return true;

    std::optional<double> value;
    if (m_editType == etDate) {
        const QString format = dateTimeFormat();
        const auto day = fieldAt(shown, format.indexOf(QLatin1String("DD")), 2);
        const auto month = fieldAt(shown, format.indexOf(QLatin1String("MM")), 2);
        const qsizetype yearAt = format.indexOf(QLatin1String("YYYY"));
        const QString yearText = shown.mid(yearAt, 4);
        // A year typed with two digits only.
        const bool shortYear =
            yearText.size() == 4 && yearText[2] == QLatin1Char(' ') && yearText[3] == QLatin1Char(' ');
        const auto year = fieldAt(shown, yearAt, shortYear ? 2 : 4);
        if (day && month && year) {
            const QDate date(*year, *month, *day);
            if (date.isValid()) value = double(kDateTimeBase.daysTo(date));
        }
    } else {
        QString t = shown;
        if (m_timeFormat == tfHM) t += QLatin1String(":00");
        if (m_timeFormat == tfMS) t.prepend(QLatin1String("00:"));
        const QStringList parts = t.split(QLatin1Char(':'));
        if (parts.size() == 3) {
            const auto h = fieldAt(parts[0], 0, -1);
            const auto m = fieldAt(parts[1], 0, -1);
            const auto s = fieldAt(parts[2], 0, -1);
            if (h && m && s && *h >= 0 && *h < 24 && *m >= 0 && *m < 60 && *s >= 0 && *s < 60)
                value = (*h * 3600 + *m * 60 + *s) / 86400.0;
        }
    }

    if (!value) {
        m_valueDateTime = 0;
        if (!m_checkOnExit) return true;
        setFocus();
        QString message = m_editType == etDate ? m_invalidDateMessage : m_invalidTimeMessage;
        message.replace(QLatin1String("%text%"), shown, Qt::CaseInsensitive);
        Messages::error(this, message);
        return false;
    }
    m_valueDateTime = *value;
    setText(formatDateTime(*value));
    return true;
}

bool TNumberEdit::rangeCheckOnExit()
{
    QString message;
    switch (m_editType) {
    case etFloat:
        if (m_valueFloat < m_minValue || m_valueFloat > m_maxValue)
            message = QStringLiteral("zul. Bereich von ") + NumberText::general(m_minValue) +
                      QStringLiteral(" bis ") + NumberText::general(m_maxValue);
        break;
    case etInteger: {
        const double low = std::trunc(m_minValue);
        const double high = std::trunc(m_maxValue);
        if (m_valueInteger < low || m_valueInteger > high)
            message = QStringLiteral("Range Max. : ") + NumberText::integer(static_cast<long long>(low)) +
                      QStringLiteral(" <-> ") + NumberText::integer(static_cast<long long>(high));
        break;
    }
    case etDate:
    case etTime: {
        const bool date = m_editType == etDate;
        const auto cut = [date](double v) { return date ? std::trunc(v) : v; };
        if (cut(m_valueDateTime) < cut(m_minValue) || cut(m_valueDateTime) > cut(m_maxValue))
            message = QStringLiteral("Range Max. : ") + formatDateTime(m_minValue) + QStringLiteral(" <-> ") +
                      formatDateTime(m_maxValue);
        break;
    }
    case etString:
        break;
    }
    if (message.isEmpty()) return true;
    Messages::plain(this, message);
    setFocus();
    return false;
}

void TNumberEdit::reformatFloatOnExit()
{
    if (text().isEmpty()) setText(QStringLiteral("0"));
    if (m_useThousandSeparator) {
        setValueFloat(m_valueFloat);
        return;
    }
    const QChar d = NumberText::settings().decimal;
    const QString t = text();
    const qsizetype at = t.indexOf(d);
    if (at < 0) {
        setValueFloat(m_valueFloat); // fixed format, as UseThousandSeparator is off
        return;
    }
    // Cut after EditPrecision decimals (no rounding) and fill up with zeros.
    QString cut = t.left(at + 1 + m_editPrecision);
    while (cut.size() - at - 1 < m_editPrecision)
        cut += QLatin1Char('0');
    setText(cut);
}

// --- mouse ------------------------------------------------------------------------------

void TNumberEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TNumberEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit OnClick();
}
