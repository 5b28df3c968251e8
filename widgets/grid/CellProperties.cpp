#include "widgets/grid/CellProperties.h"

#include "common/SystemColors.h"
#include "widgets/grid/GridDescription.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QTextLayout>

#include <cstdlib>
#include <limits>

TStoredColor::TStoredColor(quint32 stored) : m_stored(stored), m_color(SystemColors::fromStored(stored)) {}

TStoredColor TStoredColor::fromColor(const QColor &color)
{
    return TStoredColor(SystemColors::toStored(color));
}

QBrush TMyBrush::qbrush() const
{
    static constexpr Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                                Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(color(), styles[m_style]);
}

TMyFont::TMyFont(TStoredColor color, int height, const QString &name, int pitch, quint8 style)
    : m_color(color), m_height(height), m_name(name), m_pitch(pitch), m_style(style),
      m_layouts(std::make_shared<std::unordered_map<QString, TTextLayout>>())
{
    if (!name.isEmpty()) m_font.setFamily(name);
    // Negative: the character height; positive (the cell height) is taken as the same size.
    if (height != 0) m_font.setPixelSize(std::abs(height));
    m_font.setBold(style & fsBold);
    m_font.setItalic(style & fsItalic);
    m_font.setUnderline(style & fsUnderline);
    m_font.setStrikeOut(style & fsStrikeOut);
    if (pitch == 2) {
        m_font.setFixedPitch(true);
        m_font.setStyleHint(QFont::TypeWriter);
    } else if (pitch == 1) {
        m_font.setFixedPitch(false);
    }
}

TMyFont TMyFont::fromQFont(const QFont &font, TStoredColor color)
{
    const int px = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    quint8 style = 0;
    if (font.bold()) style |= fsBold;
    if (font.italic()) style |= fsItalic;
    if (font.underline()) style |= fsUnderline;
    if (font.strikeOut()) style |= fsStrikeOut;
    TMyFont f(color, -px, font.family(), font.fixedPitch() ? 2 : 0, style);
    f.m_font = font;
    return f;
}

const TTextLayout &TMyFont::layout(const QString &text) const
{
    if (auto it = m_layouts->find(text); it != m_layouts->end()) return it->second;
    if (m_layouts->size() >= 8192) m_layouts->clear();
    TTextLayout t;
    t.multiLine = text.contains(u'\n') || text.contains(u'\r');
    if (!t.multiLine) {
        QTextLayout layout(text, m_font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout(); // lays the one line out unbroken
        t.size = QSizeF(line.naturalTextWidth(), line.height());
        for (const QGlyphRun &run : layout.glyphRuns())
            t.runs.push_back({run.rawFont(), run.glyphIndexes(), run.positions()});
    }
    return m_layouts->emplace(text, std::move(t)).first->second;
}

bool TMyFont::operator==(const TMyFont &o) const
{
    return m_color == o.m_color && m_height == o.m_height && m_name == o.m_name && m_pitch == o.m_pitch &&
           m_style == o.m_style;
}

namespace {

enum Tag {
    EndTag = 0,
    AlignTag,
    WordwrapTag,
    EditableTag,
    BrushTag,
    SelectedBrushTag,
    FontTag,
    SelectedFontTag
};

void writeBrush(GridDescription::Writer &out, int tag, const TMyBrush &b)
{
    out.writeNumber(tag);
    out.writeColor(b.storedColor().stored());
    out.writeNumber(b.style());
}

void writeFont(GridDescription::Writer &out, int tag, const TMyFont &f)
{
    out.writeNumber(tag);
    out.writeColor(f.storedColor().stored());
    out.writeNumber(f.height());
    out.writeText(f.name());
    out.writeNumber(f.pitch());
    out.writeNumber(f.style());
}

TMyBrush readBrush(GridDescription::Reader &in)
{
    const TStoredColor color(in.readColor(QStringLiteral("the brush colour")));
    return TMyBrush(color,
                    TBrushStyle(in.readNumber(QStringLiteral("the brush style"), bsSolid, bsDiagCross)));
}

TMyFont readFont(GridDescription::Reader &in)
{
    const TStoredColor color(in.readColor(QStringLiteral("the font colour")));
    const int height = int(in.readNumber(QStringLiteral("the font height"), -32767, 32767));
    const QString name = in.readText(QStringLiteral("the font name"));
    const int pitch = int(in.readNumber(QStringLiteral("the font pitch"), 0, 2));
    // Only the lowest byte of the style counts; stored descriptions carry anything above it.
    const qint64 style = in.readNumber(QStringLiteral("the font style"), std::numeric_limits<qint32>::min(),
                                       std::numeric_limits<quint32>::max());
    return TMyFont(color, height, name, pitch, quint8(style & 0xFF));
}

} // namespace

TCellProperties::~TCellProperties() = default;

void TCellProperties::write(GridDescription::Writer &out) const
{
    if (m_alignment != alDefault) {
        out.writeNumber(AlignTag);
        out.writeNumber(m_alignment);
    }
    if (m_wordwrap != ww_default) {
        out.writeNumber(WordwrapTag);
        out.writeNumber(m_wordwrap);
    }
    if (m_editable != ed_default) {
        out.writeNumber(EditableTag);
        out.writeNumber(m_editable);
    }
    if (m_brush) writeBrush(out, BrushTag, *m_brush);
    if (m_selectedBrush) writeBrush(out, SelectedBrushTag, *m_selectedBrush);
    if (m_font) writeFont(out, FontTag, *m_font);
    if (m_selectedFont) writeFont(out, SelectedFontTag, *m_selectedFont);
    out.writeNumber(EndTag);
}

void TCellProperties::readItem(int tag, GridDescription::Reader &in)
{
    switch (tag) {
    case AlignTag:
        m_alignment = TMyAlign(in.readNumber(QStringLiteral("the alignment"), alRight, alDefault));
        break;
    case WordwrapTag:
        m_wordwrap = T_Wordwrap(in.readNumber(QStringLiteral("the word wrap"), ww_none, ww_default));
        break;
    case EditableTag:
        m_editable = T_editable(in.readNumber(QStringLiteral("the editable flag"), ed_default, ed_editable));
        break;
    case BrushTag:
        m_brush = readBrush(in);
        break;
    case SelectedBrushTag:
        m_selectedBrush = readBrush(in);
        break;
    case FontTag:
        m_font = readFont(in);
        break;
    case SelectedFontTag:
        m_selectedFont = readFont(in);
        break;
    default:
        in.fail(QStringLiteral("%1 is no property tag (1 to 7, 0 ends the record)").arg(tag));
    }
    changed();
}

void TCellProperties::read(GridDescription::Reader &in)
{
    for (;;) {
        const qint64 tag =
            in.readNumber(QStringLiteral("the property tag"), std::numeric_limits<qint32>::min(),
                          std::numeric_limits<qint32>::max());
        if (tag == EndTag) return;
        readItem(int(tag), in);
    }
}

void TCellProperties::assign(const TCellProperties *other)
{
    if (other) {
        m_brush = other->m_brush;
        m_selectedBrush = other->m_selectedBrush;
        m_font = other->m_font;
        m_selectedFont = other->m_selectedFont;
        m_alignment = other->m_alignment;
        m_wordwrap = other->m_wordwrap;
        m_editable = other->m_editable;
    } else {
        m_brush.reset();
        m_selectedBrush.reset();
        m_font.reset();
        m_selectedFont.reset();
        m_alignment = alDefault;
        m_wordwrap = ww_default;
        m_editable = ed_default;
    }
    changed();
}

bool TCellProperties::isEmpty() const
{
    return !m_brush && !m_selectedBrush && !m_font && !m_selectedFont && m_alignment == alDefault &&
           m_wordwrap == ww_default && m_editable == ed_default;
}

std::unique_ptr<TCellProperties> TCellProperties::clone() const
{
    auto copy = std::make_unique<TCellProperties>();
    copy->assign(this);
    copy->m_owner = m_owner;
    return copy;
}

void TCellProperties::changed(bool textUnchanged)
{
    if (m_owner) m_owner->propertiesChanged(textUnchanged);
}

void TCellProperties::setAlignment(TMyAlign a)
{
    m_alignment = a;
    changed();
}

void TCellProperties::setWordwrap(T_Wordwrap w)
{
    m_wordwrap = w;
    changed();
}

void TCellProperties::setEditable(T_editable e)
{
    m_editable = e;
    changed();
}

void TCellProperties::setBrush(const std::optional<TMyBrush> &b)
{
    m_brush = b;
    changed(true);
}

void TCellProperties::setBrushColor(TStoredColor color, const TMyBrush &base)
{
    if (!m_brush) m_brush = base;
    m_brush->setColor(color);
    changed(true);
}

void TCellProperties::setSelectedBrush(const std::optional<TMyBrush> &b)
{
    m_selectedBrush = b;
    changed(true);
}

void TCellProperties::setFont(const std::optional<TMyFont> &f)
{
    m_font = f;
    changed();
}

void TCellProperties::setSelectedFont(const std::optional<TMyFont> &f)
{
    m_selectedFont = f;
    changed();
}
