#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QString>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace GridDescription {
class Reader;
class Writer;
} // namespace GridDescription

// The numeric values of these enumerations are part of the stored grid format.
enum TMyAlign : quint8 { alRight = 0, alLeft = 1, alCenter = 2, alDefault = 3 }; // 0 is right
enum T_Wordwrap : quint8 { ww_none = 0, ww_wordwrap = 1, ww_ellipsis = 2, ww_default = 3 };
enum T_nextcell : quint8 {
    nc_rightdown = 0,
    nc_downright = 1,
    nc_leftdown = 2,
    nc_downleft = 3,
    nc_leftup = 4,
    nc_upleft = 5,
    nc_rightup = 6,
    nc_upright = 7
};
enum T_lastcell : quint8 { lc_newcolrow = 0, lc_stop = 1, lc_first = 2, lc_exit = 3 };
// A record's editable flag.
enum T_editable : quint8 { ed_default = 0, ed_readonly = 1, ed_editable = 2 };

// A colour as the stored format holds it: red in the lowest byte, then green, then blue,
// or, with the top bit set, a system colour by index. The stored value is kept, so a system
// colour is written back as one.
class TStoredColor
{
public:
    TStoredColor() : TStoredColor(0u) {}
    explicit TStoredColor(quint32 stored);
    static TStoredColor fromColor(const QColor &color);

    quint32 stored() const { return m_stored; }
    const QColor &color() const { return m_color; }
    bool operator==(const TStoredColor &o) const { return m_stored == o.m_stored; }

private:
    quint32 m_stored;
    QColor m_color;
};

// Brush style numbers of the stored format.
enum TBrushStyle : quint8 {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7
};

// A cell background: colour and brush style.
class TMyBrush
{
public:
    TMyBrush() = default;
    explicit TMyBrush(TStoredColor color, TBrushStyle style = bsSolid) : m_color(color), m_style(style) {}

    const TStoredColor &storedColor() const { return m_color; }
    const QColor &color() const { return m_color.color(); }
    void setColor(TStoredColor color) { m_color = color; }
    TBrushStyle style() const { return m_style; }
    QBrush qbrush() const;
    bool operator==(const TMyBrush &o) const { return m_color == o.m_color && m_style == o.m_style; }

private:
    TStoredColor m_color;
    TBrushStyle m_style = bsSolid;
};

// Font style bits of the stored format.
enum TFontStyleBit : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A text laid out on one line in a font: its glyphs by font, positioned from the text's
// top-left corner, and its size. Texts with line breaks are marked and not laid out.
struct TTextLayout
{
    struct Run
    {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Run> runs;
    QSizeF size;
    bool multiLine = false;
};

// A text font with its colour, as the stored format describes it: height negative for the
// character height in pixels, pitch 0 default / 1 variable / 2 fixed, style bits above.
class TMyFont
{
public:
    TMyFont() : TMyFont(TStoredColor(), 0, QString(), 0, 0) {}
    TMyFont(TStoredColor color, int height, const QString &name, int pitch, quint8 style);
    // The stored description of a Qt font (height from its pixel size).
    static TMyFont fromQFont(const QFont &font, TStoredColor color);

    const TStoredColor &storedColor() const { return m_color; }
    const QColor &color() const { return m_color.color(); }
    int height() const { return m_height; }
    const QString &name() const { return m_name; }
    int pitch() const { return m_pitch; }
    quint8 style() const { return m_style; }
    // The Qt font; design family names are mapped by the application's substitutions.
    const QFont &font() const { return m_font; }
    // A single-line text laid out in this font, kept for the next paint.
    const TTextLayout &layout(const QString &text) const;
    bool operator==(const TMyFont &o) const;

private:
    TStoredColor m_color;
    int m_height;
    QString m_name;
    int m_pitch;
    quint8 m_style;
    QFont m_font;
    // Shared by the copies of this font; laying out text is most of the cost of a paint.
    std::shared_ptr<std::unordered_map<QString, TTextLayout>> m_layouts;
};

// Who hears of the changes to a record: the grid that holds it (TCellGrid), which repaints
// once after the running handler.
class TCellPropertiesOwner
{
public:
    // A value of one of the owner's records changed; `textUnchanged` when only a background
    // colour did.
    virtual void propertiesChanged(bool textUnchanged) = 0;

protected:
    ~TCellPropertiesOwner() = default;
};

// One record of display properties of a cell, a column, a row or the fixed cells of a
// column or row. Anything not set falls through to the next level (see TCellGrid).
// Every change is told to the record's owner.
class TCellProperties
{
public:
    explicit TCellProperties(TCellPropertiesOwner *owner = nullptr) : m_owner(owner) {}
    TCellProperties(const TCellProperties &) = delete;
    TCellProperties &operator=(const TCellProperties &) = delete;
    virtual ~TCellProperties();

    // The overridable operations, in slot order.
    // Writes the set items, each after its tag, and the end tag 0.
    virtual void write(GridDescription::Writer &out) const;
    // Reads the values of one item whose tag has been read; throws on an unknown tag or a
    // value out of range.
    virtual void readItem(int tag, GridDescription::Reader &in);
    // Takes every value of `other`; nullptr resets the record to nothing set.
    virtual void assign(const TCellProperties *other);
    virtual bool isEmpty() const;
    virtual std::unique_ptr<TCellProperties> clone() const;

    // Reads tagged items up to and including the end tag 0.
    void read(GridDescription::Reader &in);

    TCellPropertiesOwner *owner() const { return m_owner; }
    void setOwner(TCellPropertiesOwner *owner) { m_owner = owner; }

    TMyAlign alignment() const { return m_alignment; }
    void setAlignment(TMyAlign a);
    T_Wordwrap wordwrap() const { return m_wordwrap; }
    void setWordwrap(T_Wordwrap w);
    T_editable editable() const { return m_editable; }
    void setEditable(T_editable e);

    const std::optional<TMyBrush> &brush() const { return m_brush; }
    void setBrush(const std::optional<TMyBrush> &b);
    // Gives the record a brush (a copy of `base` when it has none) in the colour `color`.
    void setBrushColor(TStoredColor color, const TMyBrush &base);
    const std::optional<TMyBrush> &selectedBrush() const { return m_selectedBrush; }
    void setSelectedBrush(const std::optional<TMyBrush> &b);
    const std::optional<TMyFont> &font() const { return m_font; }
    void setFont(const std::optional<TMyFont> &f);
    const std::optional<TMyFont> &selectedFont() const { return m_selectedFont; }
    void setSelectedFont(const std::optional<TMyFont> &f);

private:
    void changed(bool textUnchanged = false);

    TCellPropertiesOwner *m_owner;
    std::optional<TMyBrush> m_brush;
    std::optional<TMyBrush> m_selectedBrush;
    std::optional<TMyFont> m_font;
    std::optional<TMyFont> m_selectedFont;
    TMyAlign m_alignment = alDefault;
    T_Wordwrap m_wordwrap = ww_default;
    T_editable m_editable = ed_default;
};
