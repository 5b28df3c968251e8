#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

// Reads a compiled HTML help file (.chm): its file list, the files' contents, the
// context map and the title, default topic and contents file it names. No widgets.
//
// A help file may be damaged in any way. Every size and count read from it is checked
// against the limits below before it is used; a file that breaks one is refused with
// a message, never read on.
class ChmArchive
{
public:
    // A whole help file is read into memory; ours is a few hundred kilobytes.
    static constexpr qint64 kMaxArchiveBytes = 32 * 1024 * 1024;
    // One page, picture or stylesheet inside the file.
    static constexpr qint64 kMaxEntryBytes = 4 * 1024 * 1024;
    // How far into the compressed stream a file may lie: bounds the work of unpacking.
    static constexpr qint64 kMaxStreamOffset = 64 * 1024 * 1024;
    static constexpr int kMaxEntries = 4096;
    static constexpr int kMaxContextEntries = 4096;
    static constexpr int kMaxSystemRecords = 256;
    static constexpr int kMaxNameLength = 1024;

    ChmArchive();
    ~ChmArchive();
    ChmArchive(const ChmArchive &) = delete;
    ChmArchive &operator=(const ChmArchive &) = delete;

    // Reads the file at `path`, or takes the file's bytes. False, with errorString(),
    // when it is missing or damaged.
    bool open(const QString &path);
    bool openData(const QByteArray &data);
    void close();
    bool isOpen() const;
    // What went wrong last, in German, without the file's name.
    QString errorString() const { return m_error; }

    // Names inside the file, each starting with "/" (system files left out).
    QStringList fileNames() const;
    // The archive's own name of `name` (letter case as stored), or empty if absent.
    QString find(const QString &name) const;
    // The contents of file `name`; false, with errorString(), when it cannot be read.
    bool read(const QString &name, QByteArray *contents);

    // The file a context number leads to, or empty when the map does not know it.
    QString topicForContext(quint32 context) const;
    QString title() const { return m_title; }
    QString defaultTopic() const { return m_defaultTopic; }
    QString contentsFile() const { return m_contentsFile; }

    // The archive's file that a reference names: as it stands, or, for a path the help
    // compiler recorded at build time, the archive file whose name ends that path.
    QString resolveReference(const QString &reference) const;

private:
    struct Reader;

    bool fail(const QString &message);
    bool readSystemFiles();
    bool readContextMap();
    bool readSystemRecords();

    std::unique_ptr<Reader> m_reader;
    QString m_error;
    QHash<QString, QString> m_names; // folded name -> stored name
    QHash<quint32, QString> m_contexts;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
};
