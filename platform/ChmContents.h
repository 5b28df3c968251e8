#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The table of contents of a help file (its .hhc sitemap) as a flat list in reading
// order; `depth` says how far each entry is indented. No widgets.
class ChmContents
{
public:
    struct Entry
    {
        int depth = 0;
        QString name;
        QString local; // the page it opens, as written; may be empty
    };

    static constexpr int kMaxEntries = 2000;
    static constexpr int kMaxDepth = 16;

    // Reads a sitemap. Entries past kMaxEntries and levels past kMaxDepth are dropped.
    static QList<Entry> parse(const QByteArray &sitemap);

    // Replaces character references (&auml;, &#228;, &#xE4;) by their characters.
    static QString decodeEntities(const QString &text);
};
