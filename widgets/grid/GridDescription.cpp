#include "widgets/grid/GridDescription.h"

#include <limits>

namespace GridDescription {

QString Error::toString(const QString &source) const
{
    QString s = source.isEmpty() ? QStringLiteral("grid description") : source;
    if (line > 0) s += QStringLiteral(", line %1").arg(line);
    if (!entry.isEmpty()) s += QStringLiteral(", ") + entry;
    return s + QStringLiteral(": ") + message;
}

namespace {

// Integers are written in ASCII digits; other scripts' digits are no part of the notation.
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

struct Token
{
    enum Kind { End, Name, Number, Text, Punct };
    Kind kind = End;
    QString text; // Name, Text, the character of a Punct
    qint64 number = 0;
    int line = 0;
};

QString describe(const Token &t)
{
    switch (t.kind) {
    case Token::End:
        return QStringLiteral("the end of the description");
    case Token::Name:
        return QStringLiteral("'%1'").arg(t.text);
    case Token::Number:
        return QString::number(t.number);
    case Token::Text:
        return QStringLiteral("a text");
    case Token::Punct:
        return QStringLiteral("'%1'").arg(t.text);
    }
    return {};
}

class Lexer
{
public:
    explicit Lexer(const QString &text) : m_s(text) {}

    // The entry being read, for error messages.
    QString entry;

    Token next()
    {
        skipBlanks();
        Token t;
        t.line = m_line;
        if (m_i >= m_s.size()) return t;
        const QChar c = m_s[m_i];
        if (c.isLetter() || c == u'_') {
            const qsizetype start = m_i;
            while (m_i < m_s.size() && (m_s[m_i].isLetterOrNumber() || m_s[m_i] == u'_' || m_s[m_i] == u'.'))
                ++m_i;
            t.kind = Token::Name;
            t.text = m_s.mid(start, m_i - start);
        } else if (isDigit(c) ||
                   ((c == u'-' || c == u'+') && m_i + 1 < m_s.size() && isDigit(m_s[m_i + 1]))) {
            t.kind = Token::Number;
            t.number = readNumber();
        } else if (c == u'\'' || c == u'#') {
            t.kind = Token::Text;
            t.text = readText();
        } else if (QStringLiteral("=()[],").contains(c)) {
            t.kind = Token::Punct;
            t.text = c;
            ++m_i;
        } else {
            fail(QStringLiteral("unexpected character '%1'").arg(c));
        }
        return t;
    }

    [[noreturn]] void fail(const QString &message) const { throw Error{m_line, entry, message}; }

private:
    void skipBlanks()
    {
        while (m_i < m_s.size()) {
            const QChar c = m_s[m_i];
            if (c == u'\n') {
                ++m_line;
                ++m_i;
            } else if (c.isSpace()) {
                ++m_i;
            } else if (c == u'/' && m_i + 1 < m_s.size() && m_s[m_i + 1] == u'/') {
                while (m_i < m_s.size() && m_s[m_i] != u'\n')
                    ++m_i;
            } else {
                return;
            }
        }
    }

    qint64 readNumber()
    {
        const bool negative = m_s[m_i] == u'-';
        if (m_s[m_i] == u'-' || m_s[m_i] == u'+') ++m_i;
        qint64 v = 0;
        while (m_i < m_s.size() && isDigit(m_s[m_i])) {
            if (v > (std::numeric_limits<qint64>::max() - 9) / 10) fail(QStringLiteral("integer too large"));
            v = v * 10 + digitValue(m_s[m_i]);
            ++m_i;
        }
        if (m_i < m_s.size() && (m_s[m_i].isLetter() || m_s[m_i] == u'.' || m_s[m_i] == u'_'))
            fail(QStringLiteral("malformed integer"));
        return negative ? -v : v;
    }

    // Quoted parts ('' inside for a quote) and #n characters, written without blanks between.
    QString readText()
    {
        QString out;
        while (m_i < m_s.size()) {
            if (m_s[m_i] == u'\'') {
                ++m_i;
                for (;;) {
                    if (m_i >= m_s.size() || m_s[m_i] == u'\n') fail(QStringLiteral("text not closed"));
                    if (m_s[m_i] == u'\'') {
                        if (m_i + 1 < m_s.size() && m_s[m_i + 1] == u'\'') {
                            out += u'\'';
                            m_i += 2;
                            continue;
                        }
                        ++m_i;
                        break;
                    }
                    out += m_s[m_i++];
                }
            } else if (m_s[m_i] == u'#') {
                ++m_i;
                qint64 code = 0;
                const qsizetype start = m_i;
                while (m_i < m_s.size() && isDigit(m_s[m_i]) && code <= 0x10FFFF)
                    code = code * 10 + digitValue(m_s[m_i++]);
                if (m_i == start || code > 0x10FFFF)
                    fail(QStringLiteral("malformed character code after '#'"));
                const char32_t ch = char32_t(code);
                out += QString::fromUcs4(&ch, 1);
            } else {
                break;
            }
        }
        return out;
    }

    const QString &m_s;
    qsizetype m_i = 0;
    int m_line = 1;
};

Value readValue(Lexer &lex)
{
    const Token t = lex.next();
    Value v;
    v.line = t.line;
    switch (t.kind) {
    case Token::Number:
        v.kind = Value::Number;
        v.number = t.number;
        return v;
    case Token::Text:
        v.kind = Value::Text;
        v.text = t.text;
        return v;
    case Token::Name:
        v.kind = Value::Name;
        v.text = t.text;
        return v;
    case Token::Punct:
        if (t.text == u"[") {
            v.kind = Value::Set;
            Token n = lex.next();
            if (n.kind == Token::Punct && n.text == u"]") return v;
            for (;;) {
                if (n.kind != Token::Name)
                    throw Error{n.line, lex.entry,
                                QStringLiteral("expected a name in the set, found %1").arg(describe(n))};
                v.names << n.text;
                const Token sep = lex.next();
                if (sep.kind == Token::Punct && sep.text == u"]") return v;
                if (sep.kind != Token::Punct || sep.text != u",")
                    throw Error{sep.line, lex.entry,
                                QStringLiteral("expected ',' or ']', found %1").arg(describe(sep))};
                n = lex.next();
            }
        }
        if (t.text == u"(") {
            v.kind = Value::List;
            Token n = lex.next();
            if (n.kind == Token::Punct && n.text == u")") return v;
            for (;;) {
                if (n.kind != Token::Number && n.kind != Token::Text)
                    throw Error{n.line, lex.entry,
                                QStringLiteral("expected an integer or a text in the list, found %1")
                                    .arg(describe(n))};
                Item item;
                item.isText = n.kind == Token::Text;
                item.number = n.number;
                item.text = n.text;
                item.line = n.line;
                v.items << item;
                const Token sep = lex.next();
                if (sep.kind == Token::Punct && sep.text == u")") return v;
                if (sep.kind != Token::Punct || sep.text != u",")
                    throw Error{sep.line, lex.entry,
                                QStringLiteral("expected ',' or ')', found %1").arg(describe(sep))};
                n = lex.next();
            }
        }
        break;
    case Token::End:
        break;
    }
    throw Error{t.line, lex.entry, QStringLiteral("expected a value, found %1").arg(describe(t))};
}

} // namespace

QList<Entry> parse(const QString &text)
{
    QList<Entry> entries;
    Lexer lex(text);
    for (;;) {
        lex.entry.clear();
        const Token name = lex.next();
        if (name.kind == Token::End) return entries;
        if (name.kind != Token::Name)
            throw Error{
                name.line, {}, QStringLiteral("expected a property name, found %1").arg(describe(name))};
        lex.entry = name.text;
        const Token eq = lex.next();
        if (eq.kind != Token::Punct || eq.text != u"=")
            throw Error{eq.line, name.text, QStringLiteral("expected '=', found %1").arg(describe(eq))};
        entries << Entry{name.text, readValue(lex), name.line};
    }
}

QString quote(const QString &text)
{
    QString out;
    bool open = false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20) {
            if (open) out += u'\'';
            open = false;
            out += u'#' + QString::number(c.unicode());
            continue;
        }
        if (!open) out += u'\'';
        open = true;
        out += c;
        if (c == u'\'') out += u'\'';
    }
    if (open) out += u'\'';
    return out.isEmpty() ? QStringLiteral("''") : out;
}

QString format(const Entry &entry)
{
    const Value &v = entry.value;
    QString s = entry.name + QStringLiteral(" = ");
    switch (v.kind) {
    case Value::Number:
        return s + QString::number(v.number);
    case Value::Text:
        return s + quote(v.text);
    case Value::Name:
        return s + v.text;
    case Value::Set:
        return s + u'[' + v.names.join(QStringLiteral(", ")) + u']';
    case Value::List: {
        QStringList parts;
        parts.reserve(v.items.size());
        for (const Item &item : v.items)
            parts << (item.isText ? quote(item.text) : QString::number(item.number));
        return s + u'(' + parts.join(QStringLiteral(", ")) + u')';
    }
    }
    return s;
}

Reader::Reader(const QString &stream, const QList<Item> &items, int line)
    : m_stream(stream), m_items(items), m_line(line)
{
}

void Reader::fail(const QString &message) const
{
    const int line = m_pos == 0 ? m_line : m_items[std::min(m_pos, m_items.size()) - 1].line;
    throw Error{line, m_stream, message};
}

const Item &Reader::next(const QString &what)
{
    if (atEnd()) fail(QStringLiteral("the list ends where %1 is expected").arg(what));
    return m_items[m_pos++];
}

qint64 Reader::readNumber(const QString &what, qint64 min, qint64 max)
{
    const Item &item = next(what);
    if (item.isText) fail(QStringLiteral("expected %1 (an integer), found a text").arg(what));
    if (item.number < min || item.number > max)
        fail(QStringLiteral("%1 %2 is outside %3..%4").arg(what).arg(item.number).arg(min).arg(max));
    return item.number;
}

quint32 Reader::readColor(const QString &what)
{
    return quint32(readNumber(what, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max()));
}

QString Reader::readText(const QString &what)
{
    const Item &item = next(what);
    if (!item.isText) fail(QStringLiteral("expected %1, found the integer %2").arg(what).arg(item.number));
    return item.text;
}

void Writer::writeNumber(qint64 value)
{
    Item item;
    item.number = value;
    m_items << item;
}

void Writer::writeText(const QString &text)
{
    Item item;
    item.isText = true;
    item.text = text;
    m_items << item;
}

} // namespace GridDescription
