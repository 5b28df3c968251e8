#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The text syntax of grid description files (resources/grids/*): one entry per property or
// stream, in the notation of form descriptions:
//
//   // a comment
//   ColCount = 3
//   Color = clBtnFace                 names: True/False, enumeration values, colour names
//   Options = [goVertLine, goTabs]    sets of names
//   Font.Name = 'MS Sans Serif'       texts in single quotes, '' for a quote, #13 for a character
//   PropRow = (1, 4, 14811135, 0, 0)  lists of integers and texts, over several lines if need be
//
// What the entries mean is TCellGrid's business (see CellGridStore.cpp); this unit only
// reads and writes the notation and offers the list reader and writer the property records use.
namespace GridDescription {

// One value of a list: an integer or a text, with the line it stands on.
struct Item
{
    bool isText = false;
    qint64 number = 0;
    QString text;
    int line = 0;
};

struct Value
{
    enum Kind { Number, Text, Name, Set, List };
    Kind kind = Number;
    qint64 number = 0;
    QString text;      // Text, Name
    QStringList names; // Set
    QList<Item> items; // List
    int line = 0;
};

struct Entry
{
    QString name;
    Value value;
    int line = 0;
};

// A malformed description: where it is and what is wrong.
struct Error
{
    int line = 0;
    QString entry; // the property or stream, when known
    QString message;

    // "<source>, line 12, PropCell: <message>"
    QString toString(const QString &source) const;
};

// Parses a description; throws Error.
QList<Entry> parse(const QString &text);
// One entry in the notation above, without a line end; lists stay on one line.
QString format(const Entry &entry);
// A text in quotes, with '' for a quote and #n for characters below the blank.
QString quote(const QString &text);

// Reads the values of one list stream in order; every failure throws an Error naming the
// stream and the line of the value concerned.
class Reader
{
public:
    Reader(const QString &stream, const QList<Item> &items, int line);

    bool atEnd() const { return m_pos >= m_items.size(); }
    qint64 readNumber(const QString &what, qint64 min, qint64 max);
    // A 32-bit colour value, signed or unsigned.
    quint32 readColor(const QString &what);
    QString readText(const QString &what);
    // Throws an Error at the value read last (or the stream's line before the first).
    [[noreturn]] void fail(const QString &message) const;

private:
    const Item &next(const QString &what);

    QString m_stream;
    const QList<Item> &m_items;
    int m_line;
    qsizetype m_pos = 0;
};

// Collects the values of one list stream.
class Writer
{
public:
    void writeNumber(qint64 value);
    // Written as a signed 32-bit integer, the form descriptions' encoding.
    void writeColor(quint32 stored) { writeNumber(qint32(stored)); }
    void writeText(const QString &text);
    const QList<Item> &items() const { return m_items; }
    bool isEmpty() const { return m_items.isEmpty(); }

private:
    QList<Item> m_items;
};

} // namespace GridDescription
