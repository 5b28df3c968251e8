#pragma once

#include <QColor>
#include <QLineEdit>

class QFocusEvent;
class QKeyEvent;
class QPaintEvent;

// One-line field that holds a number of a chosen numeric type and shows it formatted,
// with its own text colour for negative values. While it is not being edited it paints
// itself, right-aligned or centred on its background colour; while it has (or had,
// until it was left successfully) the focus it looks like a plain edit field.
//
// The design's TCustomNumInp is folded into this class. Values are long double (the
// design's extended type). Number texts use the program's German settings.
class TNumInp : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor NegativeColor READ NegativeColor WRITE setNegativeColor)
    Q_PROPERTY(TNumericType NumericType READ NumericType WRITE setNumericType)
    Q_PROPERTY(TDatatype Datatype READ Datatype WRITE setDatatype)
    Q_PROPERTY(int Digits READ Digits WRITE setDigits)
    Q_PROPERTY(int Decimals READ Decimals WRITE setDecimals)
    Q_PROPERTY(bool Validate READ Validate WRITE setValidate)
    Q_PROPERTY(bool TabOnEnterKey READ TabOnEnterKey WRITE setTabOnEnterKey)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TNumericType { ntGeneral, ntExponent, ntFixed, ntNumber, ntCurrency };
    Q_ENUM(TNumericType)
    enum TDatatype {
        dtByte,
        dtDouble,
        dtExtended,
        dtInteger,
        dtLongint,
        dtReal,
        dtShortint,
        dtSingle,
        dtWord
    };
    Q_ENUM(TDatatype)

    explicit TNumInp(QWidget *parent = nullptr);

    // Alignment of the text while the field is not being edited.
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    using QLineEdit::setAlignment;

    // Background colour (the palette's Base role).
    QColor Color() const;
    void setColor(const QColor &color);
    // Text colour for values < 0; values >= 0 show in the text colour the field had
    // when it was created.
    QColor NegativeColor() const { return m_negativeColor; }
    void setNegativeColor(const QColor &color);
    QColor PositiveColor() const { return m_positiveColor; }

    // Format of the floating-point types; always ntGeneral for the integer types.
    TNumericType NumericType() const { return m_numericType; }
    void setNumericType(TNumericType type);
    // Setting the type applies its limits to Min, Max and Value.
    TDatatype Datatype() const { return m_datatype; }
    void setDatatype(TDatatype type);
    static bool isIntegerType(TDatatype type);
    // Significant digits of the float formats, also the most characters that can be typed.
    int Digits() const { return m_digits; }
    void setDigits(int digits);
    // Decimals of the float formats; always 0 for the integer types.
    int Decimals() const { return m_decimals; }
    void setDecimals(int decimals);

    // Allowed range (used only with Validate). Setting one re-clamps the other and Value.
    long double Min() const { return m_min; }
    void setMin(long double min);
    long double Max() const { return m_max; }
    void setMax(long double max);
    bool Validate() const { return m_validate; }
    void setValidate(bool on) { m_validate = on; }
    // False after an exit that validation refused.
    bool Valid() const { return m_valid; }

    bool TabOnEnterKey() const { return m_tabOnEnterKey; }
    void setTabOnEnterKey(bool on) { m_tabOnEnterKey = on; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    // Writing a different value that passes validation stores it and updates the
    // display; integer types store it rounded half to even. Writing the current value
    // does nothing.
    long double Value() const { return m_value; }
    void setValue(long double value);
    // The value converted to a type, 0 when it lies outside the type's limits.
    long double ValueAs(TDatatype type) const;

    // Most characters that can be typed (Digits, more with ntExponent).
    int MaxLength() const { return m_maxLength; }
    // True while the field is being edited and paints like a plain edit field.
    bool Editing() const { return m_editing || hasFocus(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateDisplay();
    QString formatted() const;
    bool passesValidation(long double value);
    bool acceptsCharacter(QChar c) const;
    int textMargin() const;

    TAlignment m_alignment = taLeftJustify;
    long double m_max = 0;
    long double m_min = 0;
    QColor m_positiveColor;
    QColor m_negativeColor = Qt::black;
    TNumericType m_numericType = ntGeneral;
    TDatatype m_datatype = dtExtended;
    int m_digits = 12;
    int m_decimals = 2;
    bool m_editing = false;
    long double m_value = 0;
    bool m_validate = true;
    bool m_valid = true;
    bool m_tabOnEnterKey = false;
    bool m_autoSelect = true;
    int m_maxLength = 12;
};
