#include "platform/ChmContents.h"

#include <QHash>
#include <QRegularExpression>

QString ChmContents::decodeEntities(const QString &text)
{
    static const QHash<QString, QChar> named = {
        {"amp", u'&'},  {"lt", u'<'},   {"gt", u'>'},   {"quot", u'"'}, {"apos", u'\''}, {"nbsp", QChar(0xA0)},
        {"auml", u'ä'}, {"ouml", u'ö'}, {"uuml", u'ü'}, {"Auml", u'Ä'}, {"Ouml", u'Ö'},  {"Uuml", u'Ü'},
        {"szlig", u'ß'}, {"euro", QChar(0x20AC)}, {"deg", QChar(0xB0)}, {"plusmn", QChar(0xB1)}, {"Omega", QChar(0x3A9)},
    };
    if (!text.contains(QLatin1Char('&'))) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype end = text.indexOf(QLatin1Char(';'), i);
        if (text.at(i) != QLatin1Char('&') || end < 0 || end - i > 10) {
            out += text.at(i);
            continue;
        }
        const QString name = text.mid(i + 1, end - i - 1);
        bool ok = false;
        uint code = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF && !QChar::isSurrogate(code) && !QChar::isNonCharacter(code)) {
            const char32_t character = code;
            out += QString::fromUcs4(&character, 1);
        } else if (named.contains(name)) {
            out += named.value(name);
        } else {
            out += text.at(i);
            continue;
        }
        i = end;
    }
    return out;
}

QList<ChmContents::Entry> ChmContents::parse(const QByteArray &sitemap)
{
    static const QRegularExpression tagPattern(QStringLiteral("<\\s*(/?)\\s*([a-zA-Z]+)([^>]*)>"));
    static const QRegularExpression attributePattern(
        QStringLiteral("([a-zA-Z]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));

    QList<Entry> entries;
    const QString text = QString::fromUtf8(sitemap);
    int depth = -1; // the outermost list is level 0
    bool inItem = false;
    Entry current;
    auto it = tagPattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch tag = it.next();
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        if (name == QLatin1String("ul")) {
            depth += closing ? -1 : 1;
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inItem = tag.captured(3).contains(QLatin1String("text/sitemap"), Qt::CaseInsensitive);
                current = Entry{std::max(0, depth), {}, {}};
            } else if (inItem) {
                inItem = false;
                if (current.depth < kMaxDepth && !current.name.isEmpty()) entries << current;
                if (entries.size() >= kMaxEntries) break;
            }
        } else if (name == QLatin1String("param") && inItem) {
            QString paramName;
            QString value;
            auto attributes = attributePattern.globalMatch(tag.captured(3));
            while (attributes.hasNext()) {
                const QRegularExpressionMatch a = attributes.next();
                const QString v = a.captured(2) + a.captured(3) + a.captured(4);
                if (a.captured(1).compare(QLatin1String("name"), Qt::CaseInsensitive) == 0) paramName = v;
                else if (a.captured(1).compare(QLatin1String("value"), Qt::CaseInsensitive) == 0) value = v;
            }
            if (paramName.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) current.name = decodeEntities(value);
            else if (paramName.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0) current.local = decodeEntities(value);
        }
    }
    return entries;
}
