// TCellGrid: reading and writing grid descriptions.
//
// Entries a description may hold (any order, each at most once):
//   plain properties, see properties() below;
//   ColWidths, RowHeights:  one integer per column or row from 0 on (-1 hides it);
//   Cells:     column, row, text           HintCell: column, row, hint
//   PropCell:  column, row, record         PropCol, PropFixedCol: column, record
//   PropRow, PropFixedRow: row, record
// A record is a list of tagged items ended by 0 (see TCellProperties::write). Colours are
// 32-bit values: red in the lowest byte, then green, then blue; a set top bit names a system
// colour by its index. Loading is all or nothing: everything is read and checked first.
// A description is data from outside: it may ask for at most MaxCells cells, its records and
// hints must lie inside the grid it sets up (cell texts outside it are dropped), and each
// axis's sizes and grid lines must add up to an int, so that nothing it says can exhaust the
// memory or overflow a position.
#include "widgets/grid/CellGrid.h"

#include "common/SystemColors.h"
#include "widgets/grid/GridDescription.h"

#include <QFile>
#include <QFontInfo>
#include <QHash>
#include <QSet>

#include <limits>
#include <new>
#include <optional>
#include <variant>

using namespace GridDescription;

namespace {

constexpr qint64 MaxIndex = 65535;
// The program's largest grid has 2,538 cells; a description is written by hand.
constexpr qint64 MaxCells = 100000;

enum class Kind { Int, Bool, Color, Enum, Set, Text };

// A plain property: its kind, its names (the values of an enumeration, the bits of a set),
// and how to read it from and write it to a grid.
struct Property
{
    const char *name;
    Kind kind;
    QStringList names;
    qint64 min = 0, max = 0; // Int
    std::function<qint64(const TCellGrid &)> get;
    std::function<void(TCellGrid &, qint64)> set;
    std::function<QString(const TCellGrid &)> getText;
    std::function<void(TCellGrid &, const QString &)> setText;
};

QFont withFont(const TCellGrid &g, const std::function<void(QFont &)> &change)
{
    QFont f = g.font();
    change(f);
    return f;
}

// In the order they are applied and written.
const std::vector<Property> &properties()
{
    using G = TCellGrid;
    static const std::vector<Property> table = [] {
        std::vector<Property> t;
        const auto integer = [&t](const char *name, qint64 min, qint64 max, auto get, auto set) {
            t.push_back({name, Kind::Int, {}, min, max, get, set, {}, {}});
        };
        const auto boolean = [&t](const char *name, auto get, auto set) {
            t.push_back({name, Kind::Bool, {}, 0, 1, get, set, {}, {}});
        };
        const auto color = [&t](const char *name, auto get, auto set) {
            t.push_back({name, Kind::Color, {}, 0, 0, get, set, {}, {}});
        };
        const auto enumeration = [&t](const char *name, const QStringList &names, auto get, auto set) {
            t.push_back({name, Kind::Enum, names, 0, names.size() - 1, get, set, {}, {}});
        };
        const auto set = [&t](const char *name, const QStringList &names, auto get, auto setter) {
            t.push_back({name, Kind::Set, names, 0, 0, get, setter, {}, {}});
        };
        const auto text = [&t](const char *name, auto get, auto setter) {
            t.push_back({name, Kind::Text, {}, 0, 0, {}, {}, get, setter});
        };
        integer(
            "ColCount", 1, MaxIndex + 1, [](const G &g) { return g.ColCount(); },
            [](G &g, qint64 v) { g.setColCount(int(v)); });
        integer(
            "RowCount", 1, MaxIndex + 1, [](const G &g) { return g.RowCount(); },
            [](G &g, qint64 v) { g.setRowCount(int(v)); });
        integer(
            "FixedCols", 0, MaxIndex, [](const G &g) { return g.FixedCols(); },
            [](G &g, qint64 v) { g.setFixedCols(int(v)); });
        integer(
            "FixedRows", 0, MaxIndex, [](const G &g) { return g.FixedRows(); },
            [](G &g, qint64 v) { g.setFixedRows(int(v)); });
        integer(
            "DefaultColWidth", 0, 32767, [](const G &g) { return g.DefaultColWidth(); },
            [](G &g, qint64 v) { g.setDefaultColWidth(int(v)); });
        integer(
            "DefaultRowHeight", 0, 32767, [](const G &g) { return g.DefaultRowHeight(); },
            [](G &g, qint64 v) { g.setDefaultRowHeight(int(v)); });
        integer(
            "GridLineWidth", 0, 100, [](const G &g) { return g.GridLineWidth(); },
            [](G &g, qint64 v) { g.setGridLineWidth(int(v)); });
        set(
            "Options",
            {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goDrawFocusSelected",
             "goRowSelect", "goTabs"},
            [](const G &g) { return qint64(g.Options().toInt()); },
            [](G &g, qint64 v) { g.setOptions(G::GridOptions::fromInt(int(v))); });
        enumeration(
            "ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
            [](const G &g) { return g.ScrollBars(); },
            [](G &g, qint64 v) { g.setScrollBars(G::TScrollStyle(v)); });
        enumeration(
            "BorderStyle", {"bsNone", "bsSingle"},
            [](const G &g) { return g.frameShape() == QFrame::NoFrame ? 0 : 1; },
            [](G &g, qint64 v) {
                g.setFrameShape(v ? QFrame::StyledPanel : QFrame::NoFrame);
                g.setFrameShadow(QFrame::Sunken);
            });
        boolean(
            "RedrawWhileScroll", [](const G &g) { return g.RedrawWhileScroll(); },
            [](G &g, qint64 v) { g.setRedrawWhileScroll(v); });
        color(
            "Color", [](const G &g) { return g.ColorStored().stored(); },
            [](G &g, qint64 v) { g.setColor(TStoredColor(quint32(v))); });
        color(
            "FixedColor", [](const G &g) { return g.FixedColorStored().stored(); },
            [](G &g, qint64 v) { g.setFixedColor(TStoredColor(quint32(v))); });
        color(
            "SelectedCellColor", [](const G &g) { return g.SelectedCellColorStored().stored(); },
            [](G &g, qint64 v) { g.setSelectedCellColor(TStoredColor(quint32(v))); });
        color(
            "SelectedFontColor", [](const G &g) { return g.SelectedFontColorStored().stored(); },
            [](G &g, qint64 v) { g.setSelectedFontColor(TStoredColor(quint32(v))); });
        color(
            "Font.Color", [](const G &g) { return g.FontColorStored().stored(); },
            [](G &g, qint64 v) { g.setFontColor(TStoredColor(quint32(v))); });
        integer(
            "Font.Height", -32767, 32767,
            [](const G &g) { return qint64(TMyFont::fromQFont(g.font(), {}).height()); },
            [](G &g, qint64 v) {
                if (v) g.setFont(withFont(g, [v](QFont &f) { f.setPixelSize(int(std::abs(v))); }));
            });
        text(
            "Font.Name", [](const G &g) { return g.font().family(); },
            [](G &g, const QString &name) {
                g.setFont(withFont(g, [&name](QFont &f) { f.setFamily(name); }));
            });
        enumeration(
            "Font.Pitch", {"fpDefault", "fpVariable", "fpFixed"},
            [](const G &g) { return g.font().fixedPitch() ? 2 : 0; },
            [](G &g, qint64 v) { g.setFont(withFont(g, [v](QFont &f) { f.setFixedPitch(v == 2); })); });
        set(
            "Font.Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
            [](const G &g) { return qint64(TMyFont::fromQFont(g.font(), {}).style()); },
            [](G &g, qint64 v) {
                g.setFont(withFont(g, [v](QFont &f) {
                    f.setBold(v & fsBold);
                    f.setItalic(v & fsItalic);
                    f.setUnderline(v & fsUnderline);
                    f.setStrikeOut(v & fsStrikeOut);
                }));
            });
        enumeration(
            "Alignment", {"alRight", "alLeft", "alCenter", "alDefault"},
            [](const G &g) { return g.Alignment(); }, [](G &g, qint64 v) { g.setAlignment(TMyAlign(v)); });
        enumeration(
            "Wordwrap", {"ww_none", "ww_wordwrap", "ww_ellipsis", "ww_default"},
            [](const G &g) { return g.Wordwrap(); }, [](G &g, qint64 v) { g.setWordwrap(T_Wordwrap(v)); });
        boolean(
            "Editable", [](const G &g) { return g.Editable(); }, [](G &g, qint64 v) { g.setEditable(v); });
        boolean(
            "DrawSelection", [](const G &g) { return g.DrawSelection(); },
            [](G &g, qint64 v) { g.setDrawSelection(v); });
        boolean(
            "ShowCellHints", [](const G &g) { return g.ShowCellHints(); },
            [](G &g, qint64 v) { g.setShowCellHints(v); });
        const QStringList directions = {"nc_rightdown", "nc_downright", "nc_leftdown", "nc_downleft",
                                        "nc_leftup",    "nc_upleft",    "nc_rightup",  "nc_upright"};
        enumeration(
            "NextCellTab", directions, [](const G &g) { return g.NextCellTab(); },
            [](G &g, qint64 v) { g.setNextCellTab(T_nextcell(v)); });
        enumeration(
            "AfterLastCellTab", {"lc_newcolrow", "lc_stop", "lc_first", "lc_exit"},
            [](const G &g) { return g.AfterLastCellTab(); },
            [](G &g, qint64 v) { g.setAfterLastCellTab(T_lastcell(v)); });
        return t;
    }();
    return table;
}

// Colour names a description may use instead of a number.
const QHash<QString, quint32> &colorNames()
{
    static const QHash<QString, quint32> names = [] {
        QHash<QString, quint32> n = {
            {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
            {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
            {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
            {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
            {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
            {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
        };
        const char *system[] = {"clScrollBar",
                                "clBackground",
                                "clActiveCaption",
                                "clInactiveCaption",
                                "clMenu",
                                "clWindow",
                                "clWindowFrame",
                                "clMenuText",
                                "clWindowText",
                                "clCaptionText",
                                "clActiveBorder",
                                "clInactiveBorder",
                                "clAppWorkSpace",
                                "clHighlight",
                                "clHighlightText",
                                "clBtnFace",
                                "clBtnShadow",
                                "clGrayText",
                                "clBtnText",
                                "clInactiveCaptionText",
                                "clBtnHighlight",
                                "cl3DDkShadow",
                                "cl3DLight",
                                "clInfoText",
                                "clInfoBk",
                                nullptr,
                                "clHotLight",
                                "clGradientActiveCaption",
                                "clGradientInactiveCaption",
                                "clMenuHighlight",
                                "clMenuBar"};
        for (quint32 i = 0; i < std::size(system); ++i)
            if (system[i]) n.insert(QString::fromLatin1(system[i]), 0x80000000u | i);
        return n;
    }();
    return names;
}

const QStringList &olderStreams()
{
    static const QStringList s = {"AlignCell",        "AlignCol",        "FixedAlignCol", "AlignRow",
                                  "FixedAlignRow",    "EditCell",        "EditCol",       "EditRow",
                                  "FontCell",         "FontCol",         "FontFixedCol",  "FontRow",
                                  "FontFixedRow",     "BrushCell",       "BrushCol",      "BrushFixedCol",
                                  "BrushRow",         "BrushFixedRow",   "ColorCell",     "ColorCol",
                                  "ColorFixedCol",    "ColorRow",        "ColorFixedRow", "SelectedColorCell",
                                  "SelectedColorCol", "SelectedColorRow"};
    return s;
}

[[noreturn]] void fail(const Entry &e, const QString &message)
{
    throw Error{e.line, e.name, message};
}

qint64 readScalar(const Property &p, const Entry &e)
{
    const Value &v = e.value;
    switch (p.kind) {
    case Kind::Int:
        if (v.kind != Value::Number) fail(e, QStringLiteral("expected an integer"));
        if (v.number < p.min || v.number > p.max)
            fail(e, QStringLiteral("%1 is outside %2..%3").arg(v.number).arg(p.min).arg(p.max));
        return v.number;
    case Kind::Bool:
        if (v.kind == Value::Name && v.text.compare(u"True", Qt::CaseInsensitive) == 0) return 1;
        if (v.kind == Value::Name && v.text.compare(u"False", Qt::CaseInsensitive) == 0) return 0;
        fail(e, QStringLiteral("expected True or False"));
    case Kind::Color:
        if (v.kind == Value::Number) {
            if (v.number < std::numeric_limits<qint32>::min() ||
                v.number > std::numeric_limits<quint32>::max())
                fail(e, QStringLiteral("%1 is no 32-bit colour value").arg(v.number));
            return qint64(quint32(v.number));
        }
        if (v.kind == Value::Name && colorNames().contains(v.text)) return colorNames().value(v.text);
        fail(e, QStringLiteral("expected a colour value or a colour name such as clBtnFace"));
    case Kind::Enum:
        if (v.kind == Value::Name && p.names.contains(v.text)) return p.names.indexOf(v.text);
        if (v.kind == Value::Number && v.number >= 0 && v.number < p.names.size()) return v.number;
        fail(e, QStringLiteral("expected one of %1").arg(p.names.join(QStringLiteral(", "))));
    case Kind::Set: {
        if (v.kind != Value::Set) fail(e, QStringLiteral("expected a set such as [%1]").arg(p.names.first()));
        qint64 bits = 0;
        for (const QString &n : v.names) {
            const qsizetype i = p.names.indexOf(n);
            if (i < 0)
                fail(e, QStringLiteral("'%1' is none of %2").arg(n, p.names.join(QStringLiteral(", "))));
            bits |= qint64(1) << i;
        }
        return bits;
    }
    case Kind::Text:
        break;
    }
    return 0;
}

Value scalarValue(const Property &p, const TCellGrid &g)
{
    Value v;
    const qint64 n = p.kind == Kind::Text ? 0 : p.get(g);
    switch (p.kind) {
    case Kind::Int:
        v.number = n;
        break;
    case Kind::Bool:
        v.kind = Value::Name;
        v.text = n ? QStringLiteral("True") : QStringLiteral("False");
        break;
    case Kind::Color:
        v.number = qint32(quint32(n));
        break;
    case Kind::Enum:
        v.kind = Value::Name;
        v.text = p.names.value(int(n));
        break;
    case Kind::Set:
        v.kind = Value::Set;
        for (int i = 0; i < p.names.size(); ++i)
            if (n & (qint64(1) << i)) v.names << p.names[i];
        break;
    case Kind::Text:
        v.kind = Value::Text;
        v.text = p.getText(g);
        break;
    }
    return v;
}

using PropList = std::vector<std::unique_ptr<TCellProperties>>;
using TextTable = std::vector<std::vector<QString>>;

template <class T> T &grow(std::vector<T> &v, qint64 i)
{
    if (size_t(i) >= v.size()) v.resize(size_t(i) + 1);
    return v[size_t(i)];
}

const QList<Item> &listOf(const Entry &e)
{
    if (e.value.kind != Value::List) fail(e, QStringLiteral("expected a list in parentheses"));
    return e.value.items;
}

// column/row, text entries (Cells, HintCell). Texts of cells outside the grid are dropped
// when `dropOutside`, else refused.
void readTexts(const Entry &e, TextTable &out, int colCount, int rowCount, bool dropOutside)
{
    Reader in(e.name, listOf(e), e.line);
    const qint64 lastCol = dropOutside ? MaxIndex : colCount - 1,
                 lastRow = dropOutside ? MaxIndex : rowCount - 1;
    while (!in.atEnd()) {
        const qint64 c = in.readNumber(QStringLiteral("the column"), 0, lastCol);
        const qint64 r = in.readNumber(QStringLiteral("the row"), 0, lastRow);
        const QString text = in.readText(QStringLiteral("the text"));
        if (c < colCount && r < rowCount) grow(grow(out, c), r) = text;
    }
}

void readCellRecords(const Entry &e, std::vector<PropList> &out, int colCount, int rowCount)
{
    Reader in(e.name, listOf(e), e.line);
    while (!in.atEnd()) {
        const qint64 c = in.readNumber(QStringLiteral("the column"), 0, colCount - 1);
        const qint64 r = in.readNumber(QStringLiteral("the row"), 0, rowCount - 1);
        auto rec = std::make_unique<TCellProperties>();
        rec->read(in);
        grow(grow(out, c), r) = std::move(rec);
    }
}

void readRecords(const Entry &e, const QString &what, PropList &out, int count)
{
    Reader in(e.name, listOf(e), e.line);
    while (!in.atEnd()) {
        const qint64 i = in.readNumber(what, 0, count - 1);
        auto rec = std::make_unique<TCellProperties>();
        rec->read(in);
        grow(out, i) = std::move(rec);
    }
}

std::vector<int> readSizes(const Entry &e)
{
    Reader in(e.name, listOf(e), e.line);
    std::vector<int> sizes;
    while (!in.atEnd())
        sizes.push_back(int(in.readNumber(QStringLiteral("the size"), -1, 32767)));
    return sizes;
}

bool isStream(const QString &name)
{
    static const QStringList streams = {"ColWidths", "RowHeights", "Cells",        "HintCell",    "PropCell",
                                        "PropCol",   "PropRow",    "PropFixedCol", "PropFixedRow"};
    return streams.contains(name);
}

// The entry among `names` that stands last, nullptr when the description gives none of them.
const Entry *lastOf(const QList<Entry> &entries, std::initializer_list<const char *> names)
{
    const Entry *last = nullptr;
    for (const Entry &e : entries)
        for (const char *name : names)
            if (e.name == QLatin1String(name) && (!last || e.line >= last->line)) last = &e;
    return last;
}

// What one axis will be once the description is applied.
struct Axis
{
    int count;
    const std::vector<int> &sizes;    // the grid's sizes now
    int defaultSize;                  // the grid's default now
    std::optional<qint64> newDefault; // DefaultColWidth / DefaultRowHeight given
    const std::optional<std::vector<int>> &given;
    int lineWidth;

    // Pixels the axis takes from end to end, every grid line counted.
    qint64 extent() const
    {
        qint64 sum = 0;
        for (int i = 0; i < count; ++i) {
            int size = newDefault                 ? int(*newDefault)
                       : size_t(i) < sizes.size() ? sizes[size_t(i)]
                                                  : defaultSize;
            if (given && size_t(i) < given->size()) size = (*given)[size_t(i)];
            if (size >= 0) sum += qint64(size) + lineWidth;
        }
        return sum;
    }
};

} // namespace

QString TCellGrid::loadDescription(const QString &text, const QString &source)
{
    const auto &props = properties();
    std::vector<std::optional<std::variant<qint64, QString>>> values(props.size());
    std::vector<int> lines(props.size(), 0);
    std::optional<std::vector<int>> colWidths, rowHeights;
    const Entry *colWidthsEntry = nullptr, *rowHeightsEntry = nullptr;
    std::vector<PropList> cellProps;
    PropList colProps, rowProps, fixedColProps, fixedRowProps;
    TextTable hints, cells;
    bool hasCells = false;

    QList<Entry> entries;
    try {
        entries = parse(text);
        // The plain properties come first: the grid's size they set bounds every index of
        // the streams.
        std::vector<const Entry *> streams;
        QSet<QString> seen;
        for (const Entry &e : entries) {
            if (seen.contains(e.name)) fail(e, QStringLiteral("given twice"));
            seen.insert(e.name);
            if (isStream(e.name)) {
                streams.push_back(&e);
            } else if (olderStreams().contains(e.name)) {
                fail(e, QStringLiteral(
                            "streams of the older layout are not read; give PropCell, PropCol, PropRow, "
                            "PropFixedCol or PropFixedRow instead"));
            } else {
                const auto it = std::find_if(props.begin(), props.end(), [&e](const Property &p) {
                    return e.name == QLatin1String(p.name);
                });
                if (it == props.end()) fail(e, QStringLiteral("unknown property"));
                const size_t i = size_t(it - props.begin());
                lines[i] = e.line;
                if (it->kind == Kind::Text) {
                    if (e.value.kind != Value::Text) fail(e, QStringLiteral("expected a text in quotes"));
                    values[i] = e.value.text;
                } else {
                    values[i] = readScalar(*it, e);
                }
            }
        }
        // Sizes that must agree with each other once everything is applied.
        const auto givenValue = [&](const char *name) -> std::optional<qint64> {
            for (size_t i = 0; i < props.size(); ++i)
                if (values[i] && qstrcmp(props[i].name, name) == 0) return std::get<qint64>(*values[i]);
            return std::nullopt;
        };
        const auto finalValue = [&](const char *name, int current) {
            return int(givenValue(name).value_or(current));
        };
        const auto lineOf = [&](const char *name) {
            for (size_t i = 0; i < props.size(); ++i)
                if (qstrcmp(props[i].name, name) == 0) return lines[i];
            return 0;
        };
        const int colCount = finalValue("ColCount", m_colCount),
                  rowCount = finalValue("RowCount", m_rowCount);
        if (finalValue("FixedCols", m_fixedCols) >= colCount)
            throw Error{lineOf("FixedCols") ? lineOf("FixedCols") : lineOf("ColCount"),
                        QStringLiteral("FixedCols"),
                        QStringLiteral("there must be fewer fixed columns than columns (%1)").arg(colCount)};
        if (finalValue("FixedRows", m_fixedRows) >= rowCount)
            throw Error{lineOf("FixedRows") ? lineOf("FixedRows") : lineOf("RowCount"),
                        QStringLiteral("FixedRows"),
                        QStringLiteral("there must be fewer fixed rows than rows (%1)").arg(rowCount)};
        if (const Entry *e = lastOf(entries, {"ColCount", "RowCount"});
            e && qint64(colCount) * rowCount > MaxCells)
            fail(*e, QStringLiteral("%1 x %2 cells are more than a grid description may hold (%3)")
                         .arg(colCount)
                         .arg(rowCount)
                         .arg(MaxCells));

        for (const Entry *e : streams) {
            if (e->name == u"ColWidths") {
                colWidths = readSizes(*e);
                colWidthsEntry = e;
            } else if (e->name == u"RowHeights") {
                rowHeights = readSizes(*e);
                rowHeightsEntry = e;
            } else if (e->name == u"Cells") {
                readTexts(*e, cells, colCount, rowCount, true);
                hasCells = true;
            } else if (e->name == u"HintCell") {
                readTexts(*e, hints, colCount, rowCount, false);
            } else if (e->name == u"PropCell") {
                readCellRecords(*e, cellProps, colCount, rowCount);
            } else if (e->name == u"PropCol") {
                readRecords(*e, QStringLiteral("the column"), colProps, colCount);
            } else if (e->name == u"PropRow") {
                readRecords(*e, QStringLiteral("the row"), rowProps, rowCount);
            } else if (e->name == u"PropFixedCol") {
                readRecords(*e, QStringLiteral("the column"), fixedColProps, colCount);
            } else {
                readRecords(*e, QStringLiteral("the row"), fixedRowProps, rowCount);
            }
        }
        if (colWidths && int(colWidths->size()) > colCount)
            fail(*colWidthsEntry,
                 QStringLiteral("%1 widths for %2 columns").arg(colWidths->size()).arg(colCount));
        if (rowHeights && int(rowHeights->size()) > rowCount)
            fail(*rowHeightsEntry,
                 QStringLiteral("%1 heights for %2 rows").arg(rowHeights->size()).arg(rowCount));
        // Positions on an axis are ints from one end to the other.
        const int lineWidth = finalValue("GridLineWidth", m_gridLineWidth);
        const Axis columns{colCount,  m_colWidths, m_defaultColWidth, givenValue("DefaultColWidth"),
                           colWidths, lineWidth};
        const Axis rows{rowCount,   m_rowHeights, m_defaultRowHeight, givenValue("DefaultRowHeight"),
                        rowHeights, lineWidth};
        const auto checkExtent = [&entries](const Axis &axis, const char *what,
                                            std::initializer_list<const char *> names) {
            const Entry *e = lastOf(entries, names);
            if (e && axis.extent() > std::numeric_limits<int>::max())
                fail(*e, QStringLiteral("the %1 take %2 pixels together, more than %3")
                             .arg(QLatin1String(what))
                             .arg(axis.extent())
                             .arg(std::numeric_limits<int>::max()));
        };
        checkExtent(columns, "columns", {"ColCount", "DefaultColWidth", "ColWidths", "GridLineWidth"});
        checkExtent(rows, "rows", {"RowCount", "DefaultRowHeight", "RowHeights", "GridLineWidth"});
    } catch (const Error &error) {
        return error.toString(source);
    } catch (const std::bad_alloc &) {
        return Error{0, {}, QStringLiteral("too large to be read")}.toString(source);
    }

    // Everything is read and checked: apply.
    for (size_t i = 0; i < props.size(); ++i) {
        if (!values[i]) continue;
        if (props[i].kind == Kind::Text)
            props[i].setText(*this, std::get<QString>(*values[i]));
        else
            props[i].set(*this, std::get<qint64>(*values[i]));
    }
    if (colWidths)
        for (size_t i = 0; i < colWidths->size(); ++i)
            setColWidths(int(i), (*colWidths)[i]);
    if (rowHeights)
        for (size_t i = 0; i < rowHeights->size(); ++i)
            setRowHeights(int(i), (*rowHeights)[i]);
    m_cellProps = std::move(cellProps);
    m_colProps = std::move(colProps);
    m_rowProps = std::move(rowProps);
    m_fixedColProps = std::move(fixedColProps);
    m_fixedRowProps = std::move(fixedRowProps);
    adoptRecords();
    m_hints = std::move(hints);
    if (hasCells) {
        // Every cell of the grid takes its loaded text, empty when there is none; texts of
        // cells outside the grid are dropped.
        for (int c = 0; c < m_colCount; ++c)
            for (int r = 0; r < m_rowCount; ++r)
                m_cells[c][r] =
                    size_t(c) < cells.size() && size_t(r) < cells[c].size() ? cells[c][r] : QString();
        m_cellsFromDescription = true;
    }
    updateScrollBars();
    Invalidate();
    return {};
}

QString TCellGrid::loadDescriptionFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
    QString text;
    try {
        text = QString::fromUtf8(file.readAll());
    } catch (const std::bad_alloc &) {
        return QStringLiteral("%1: too large to be read").arg(path);
    }
    return loadDescription(text, path);
}

QString TCellGrid::writeDescription() const
{
    QList<Entry> entries;
    for (const Property &p : properties())
        entries << Entry{QString::fromLatin1(p.name), scalarValue(p, *this), 0};

    const auto list = [&entries](const QString &name, const Writer &w) {
        Value v;
        v.kind = Value::List;
        v.items = w.items();
        entries << Entry{name, v, 0};
    };
    Writer widths, heights;
    for (int w : m_colWidths)
        widths.writeNumber(w);
    for (int h : m_rowHeights)
        heights.writeNumber(h);
    list(QStringLiteral("ColWidths"), widths);
    list(QStringLiteral("RowHeights"), heights);

    if (m_cellsFromDescription) {
        Writer w;
        for (int c = 0; c < m_colCount; ++c)
            for (int r = 0; r < m_rowCount; ++r)
                if (!m_cells[c][r].isEmpty()) {
                    w.writeNumber(c);
                    w.writeNumber(r);
                    w.writeText(m_cells[c][r]);
                }
        list(QStringLiteral("Cells"), w);
    }
    Writer hints;
    for (size_t c = 0; c < m_hints.size(); ++c)
        for (size_t r = 0; r < m_hints[c].size(); ++r)
            if (!m_hints[c][r].isEmpty()) {
                hints.writeNumber(qint64(c));
                hints.writeNumber(qint64(r));
                hints.writeText(m_hints[c][r]);
            }
    if (!hints.isEmpty()) list(QStringLiteral("HintCell"), hints);

    const std::pair<const char *, PropTable> tables[] = {{"PropCell", PropTable::Cell},
                                                         {"PropCol", PropTable::Col},
                                                         {"PropRow", PropTable::Row},
                                                         {"PropFixedCol", PropTable::FixedCol},
                                                         {"PropFixedRow", PropTable::FixedRow}};
    for (const auto &[name, table] : tables) {
        Writer w;
        const bool cells = table == PropTable::Cell;
        ForEachProps(table, [&w, cells](int index, int row, const TCellProperties &rec) {
            w.writeNumber(index);
            if (cells) w.writeNumber(row);
            rec.write(w);
        });
        list(QString::fromLatin1(name), w);
    }

    QString out;
    for (const Entry &e : entries)
        out += format(e) + u'\n';
    return out;
}
