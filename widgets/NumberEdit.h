#pragma once

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPoint>
#include <QString>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

// One-line entry field for a number (also usable for plain text, integers, dates and
// times). While it is typed into, the number is kept readable: thousands separators are
// inserted after every key and the text is parsed into ValueFloat (ValueInteger) after
// every change. On leaving, the text is rewritten in the display format.
//
// The design's TCustomNumberEdit (alignment and focused flag) is folded into this class.
// Numbers are read and written with the program's German settings (decimal comma,
// thousands point) from NumberText, never with the machine's locale.
//
// Events are signals: OnKeyUp (after the field has regrouped the text), OnClick,
// OnMouseDown, OnEnter (end of focus enter), OnExit (end of focus exit) and OnChange
// (end of the change processing that follows every change of the text).
//
// Enter and Escape belong to the field first (before any window shortcut). Enter
// commits the text without leaving the field; Escape restores the text the field had
// when it was entered. Enter always, and Escape when there was nothing to restore, are
// then posted to the parent widget as key presses: they reach the window's shortcuts
// and, failing those, the keyPressEvent of the parent and its ancestors.
class TNumberEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoFormatDecimal READ AutoFormatDecimal WRITE setAutoFormatDecimal)
    Q_PROPERTY(bool CheckOnExit READ CheckOnExit WRITE setCheckOnExit)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor ColorOnFocus READ ColorOnFocus WRITE setColorOnFocus)
    Q_PROPERTY(QColor ColorOnNoFocus READ ColorOnNoFocus WRITE setColorOnNoFocus)
    Q_PROPERTY(TDateOrder DateOrder READ DateOrder WRITE setDateOrder)
    Q_PROPERTY(TSeparator Decimal READ Decimal WRITE setDecimal)
    Q_PROPERTY(QFont FontOnFocus READ FontOnFocus WRITE setFontOnFocus)
    Q_PROPERTY(QFont FontOnNoFocus READ FontOnNoFocus WRITE setFontOnNoFocus)
    Q_PROPERTY(bool ExitOnReturn READ ExitOnReturn WRITE setExitOnReturn)
    Q_PROPERTY(TEditType EditType READ EditType WRITE setEditType)
    Q_PROPERTY(QChar EditKeyByTab READ EditKeyByTab WRITE setEditKeyByTab)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(QString InvalidDateMessage READ InvalidDateMessage WRITE setInvalidDateMessage)
    Q_PROPERTY(QString InvalidTimeMessage READ InvalidTimeMessage WRITE setInvalidTimeMessage)
    Q_PROPERTY(int EditPrecision READ EditPrecision WRITE setEditPrecision)
    Q_PROPERTY(TTimeFormat TimeFormat READ TimeFormat WRITE setTimeFormat)
    Q_PROPERTY(TSeparator Thousand READ Thousand WRITE setThousand)
    Q_PROPERTY(bool UseThousandSeparator READ UseThousandSeparator WRITE setUseThousandSeparator)
    Q_PROPERTY(bool FirstCharUpper READ FirstCharUpper WRITE setFirstCharUpper)
    Q_PROPERTY(int WidthOnFocus READ WidthOnFocus WRITE setWidthOnFocus)
    Q_PROPERTY(double ValueDateTime READ ValueDateTime WRITE setValueDateTime)
    Q_PROPERTY(int ValueInteger READ ValueInteger WRITE setValueInteger)
    Q_PROPERTY(double ValueFloat READ ValueFloat WRITE setValueFloat)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TEditType { etString, etInteger, etFloat, etDate, etTime };
    Q_ENUM(TEditType)
    enum TSeparator { spComma, spPoint };
    Q_ENUM(TSeparator)
    enum TDateOrder { doDMY, doMDY, doYMD };
    Q_ENUM(TDateOrder)
    enum TTimeFormat { tfHMS, tfHM, tfMS };
    Q_ENUM(TTimeFormat)

    explicit TNumberEdit(QWidget *parent = nullptr);

    // Horizontal alignment of the text. Setting EditType to etInteger or etFloat sets
    // it to taRightJustify, any other type to taLeftJustify.
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    using QLineEdit::setAlignment;

    // True between focus enter and focus exit.
    bool Focused() const { return m_focused; }

    bool AutoFormatDecimal() const { return m_autoFormatDecimal; } // stored only
    void setAutoFormatDecimal(bool on) { m_autoFormatDecimal = on; }
    // Date and time modes: an unreadable text is refused on exit.
    bool CheckOnExit() const { return m_checkOnExit; }
    void setCheckOnExit(bool on) { m_checkOnExit = on; }

    // The background colour. Window code may set it directly; it holds until the next
    // focus enter or exit, which sets ColorOnFocus or ColorOnNoFocus.
    QColor Color() const;
    void setColor(const QColor &color);
    QColor ColorOnFocus() const { return m_colorOnFocus; }
    void setColorOnFocus(const QColor &color) { m_colorOnFocus = color; }
    QColor ColorOnNoFocus() const { return m_colorOnNoFocus; }
    // Also sets the current background at once.
    void setColorOnNoFocus(const QColor &color);

    TDateOrder DateOrder() const { return m_dateOrder; }
    void setDateOrder(TDateOrder order);
    QChar DateSeparator() const { return QLatin1Char('/'); }

    // The character the key handlers treat as the decimal separator; the other one
    // is the thousands separator while typing. Decimal and Thousand are always
    // opposite; a change swaps the two characters in the current text.
    TSeparator Decimal() const { return m_decimal; }
    void setDecimal(TSeparator separator);
    TSeparator Thousand() const { return m_decimal == spComma ? spPoint : spComma; }
    void setThousand(TSeparator separator) { setDecimal(separator == spComma ? spPoint : spComma); }

    // Font while focused; setting it changes the current font only while focused.
    QFont FontOnFocus() const { return m_fontOnFocus; }
    void setFontOnFocus(const QFont &font);
    // Font while not focused; setting it changes the current font at once.
    QFont FontOnNoFocus() const { return m_fontOnNoFocus; }
    void setFontOnNoFocus(const QFont &font);

    // Enter moves on to the next control (a Tab is posted to the field) instead of
    // being posted to the parent.
    bool ExitOnReturn() const { return m_exitOnReturn; }
    void setExitOnReturn(bool on) { m_exitOnReturn = on; }

    // Switching re-shows the value of the new mode and sets the alignment and the edit
    // mask of the mode.
    TEditType EditType() const { return m_editType; }
    void setEditType(TEditType type);

    // Typing this character moves the focus to the next control.
    QChar EditKeyByTab() const { return m_editKeyByTab; }
    void setEditKeyByTab(QChar c) { m_editKeyByTab = c; }

    // Range tested on exit; when both are 0 there is no range check. Integer mode cuts
    // them to whole numbers, date and time modes read them as date-time values.
    double MaxValue() const { return m_maxValue; }
    void setMaxValue(double v) { m_maxValue = v; }
    double MinValue() const { return m_minValue; }
    void setMinValue(double v) { m_minValue = v; }

    // Most characters that can be typed; 0 = unlimited. Float mode sets it to 16 on
    // focus enter when it is 0. Only typing is limited: texts set by the program
    // (including the regrouped text) may be longer. QLineEdit's own maxLength (which
    // this setter hides) stays unlimited, because it would cut such texts.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length < 0 ? 0 : length; }

    // "%text%" is replaced by the text.
    QString InvalidDateMessage() const { return m_invalidDateMessage; }
    void setInvalidDateMessage(const QString &message) { m_invalidDateMessage = message; }
    QString InvalidTimeMessage() const { return m_invalidTimeMessage; }
    void setInvalidTimeMessage(const QString &message) { m_invalidTimeMessage = message; }

    // Decimals of the float display; negative values are ignored. Re-shows ValueFloat
    // in float mode.
    int EditPrecision() const { return m_editPrecision; }
    void setEditPrecision(int decimals);

    TTimeFormat TimeFormat() const { return m_timeFormat; }
    void setTimeFormat(TTimeFormat format);

    bool UseThousandSeparator() const { return m_useThousandSeparator; }
    void setUseThousandSeparator(bool on) { m_useThousandSeparator = on; }
    bool FirstCharUpper() const { return m_firstCharUpper; }
    void setFirstCharUpper(bool on) { m_firstCharUpper = on; }
    // When greater than 0, the field takes this width while focused.
    int WidthOnFocus() const { return m_widthOnFocus; }
    void setWidthOnFocus(int width) { m_widthOnFocus = width; }

    // Date and time modes: days since 30 December 1899, the time as the fraction of a
    // day. 0 shows as an empty text.
    double ValueDateTime() const { return m_valueDateTime; }
    void setValueDateTime(double value);
    // Integer mode.
    int ValueInteger() const { return m_valueInteger; }
    void setValueInteger(int value);
    // Float mode: the number the current text stands for. Writing sets the text to the
    // value formatted with EditPrecision decimals and parses it back, so the value
    // reads back rounded; writing the value already shown changes nothing. Ignored in
    // the other modes.
    double ValueFloat() const { return m_valueFloat; }
    void setValueFloat(double value);

    // The text at the moment the field got the focus (Escape restores it).
    QString EntryText() const { return m_entryText; }

signals:
    // Key up, after the field's own processing (regrouping).
    void OnKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnEnter();
    void OnExit();
    void OnChange();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Measures the characters on screen from the cursor's place.
    friend class TNumberEditAccessible;

    QChar decimalChar() const;
    QChar groupChar() const;
    // The caret as the design counts it: start of the selection, else the cursor.
    int selStart() const;

    // Key press with a character; returns the character to hand to the standard
    // processing, or a null QChar when the character is swallowed.
    QChar filterCharacter(QChar c);
    QChar filterFloatCharacter(QChar c);
    QChar filterIntegerCharacter(QChar c);
    void insertCharacter(QKeyEvent *event, QChar c);

    void textChangedProcessing();
    void regroup();
    void enterProcessing();
    // Returns false when the field refused to be left (range or date/time error).
    bool exitProcessing(bool reallyLeaving);
    bool readDateTimeOnExit();
    bool rangeCheckOnExit();
    void reformatFloatOnExit();

    QString formatDateTime(double value) const;
    QString dateTimeFormat() const;
    void installMask();

    TAlignment m_alignment = taLeftJustify;
    bool m_focused = false;
    bool m_autoFormatDecimal = false;
    bool m_regroup = false;
    bool m_checkOnExit = true;
    QColor m_colorOnFocus;
    QColor m_colorOnNoFocus;
    TDateOrder m_dateOrder = doDMY;
    TSeparator m_decimal = spComma; // the program's settings, see the constructor
    QFont m_fontOnFocus;
    QFont m_fontOnNoFocus;
    bool m_exitOnReturn = false;
    TEditType m_editType = etString;
    QChar m_editKeyByTab = QLatin1Char('\t');
    double m_maxValue = 0;
    double m_minValue = 0;
    int m_maxLength = 0;
    QString m_invalidDateMessage;
    QString m_invalidTimeMessage;
    int m_editPrecision = 0;
    TTimeFormat m_timeFormat = tfHMS;
    int m_groupSize = 3;
    bool m_useThousandSeparator = true;
    bool m_firstCharUpper = false;
    double m_valueDateTime = 0;
    int m_valueInteger = 0;
    double m_valueFloat = 0;
    int m_widthOnFocus = 0;
    int m_savedWidth = 0;
    QString m_entryText;
};
