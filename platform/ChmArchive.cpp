#include "platform/ChmArchive.h"

#include <QFile>

#include <mspack.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// libmspack reads and writes through a table of functions. Ours reads the help file
// from memory and writes each unpacked file into a buffer that may not outgrow its
// limit, so neither a damaged size nor a damaged offset can reach past the data.
struct MemorySystem;

struct MemoryFile
{
    MemorySystem *owner = nullptr;
    bool writing = false;
    qint64 position = 0;
};

struct MemorySystem
{
    mspack_system table; // first, so libmspack's pointer is ours
    const QByteArray *input = nullptr;
    QByteArray *output = nullptr;
    qint64 outputLimit = 0;
    MemoryFile file[2];
};

// Sizes libmspack asks memory for come from the file too.
constexpr std::size_t kMaxAllocation = 64 * 1024 * 1024;

MemorySystem *systemOf(mspack_system *self)
{
    return reinterpret_cast<MemorySystem *>(self);
}

MemoryFile *fileOf(mspack_file *handle)
{
    return reinterpret_cast<MemoryFile *>(handle);
}

MemorySystem *ownerOf(MemoryFile *file)
{
    return file->owner;
}

mspack_file *memOpen(mspack_system *self, const char *, int mode)
{
    MemorySystem *sys = systemOf(self);
    if (mode == MSPACK_SYS_OPEN_READ) {
        if (!sys->input) return nullptr;
        sys->file[0] = {sys, false, 0};
        return reinterpret_cast<mspack_file *>(&sys->file[0]);
    }
    if (mode == MSPACK_SYS_OPEN_WRITE && sys->output) {
        sys->file[1] = {sys, true, 0};
        return reinterpret_cast<mspack_file *>(&sys->file[1]);
    }
    return nullptr;
}

void memClose(mspack_file *) {}

int memRead(mspack_file *handle, void *buffer, int bytes)
{
    MemoryFile *file = fileOf(handle);
    if (file->writing || bytes < 0) return -1;
    const QByteArray &data = *ownerOf(file)->input;
    const qint64 available = std::max<qint64>(0, data.size() - file->position);
    const qint64 count = std::min<qint64>(bytes, available);
    if (count > 0) std::memcpy(buffer, data.constData() + file->position, static_cast<std::size_t>(count));
    file->position += count;
    return static_cast<int>(count);
}

int memWrite(mspack_file *handle, void *buffer, int bytes)
{
    MemoryFile *file = fileOf(handle);
    MemorySystem *sys = ownerOf(file);
    if (!file->writing || bytes < 0 || !sys->output) return -1;
    if (sys->output->size() + bytes > sys->outputLimit) return -1;
    sys->output->append(static_cast<const char *>(buffer), bytes);
    file->position += bytes;
    return bytes;
}

int memSeek(mspack_file *handle, off_t offset, int mode)
{
    MemoryFile *file = fileOf(handle);
    const qint64 size = file->writing ? ownerOf(file)->output->size() : ownerOf(file)->input->size();
    qint64 base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) base = file->position;
    else if (mode == MSPACK_SYS_SEEK_END) base = size;
    else if (mode != MSPACK_SYS_SEEK_START) return -1;
    if (offset > size || offset < -size) return -1;
    const qint64 target = base + offset;
    if (target < 0 || target > size) return -1;
    file->position = target;
    return 0;
}

off_t memTell(mspack_file *handle)
{
    return static_cast<off_t>(fileOf(handle)->position);
}

void memMessage(mspack_file *, const char *, ...) {}

void *memAlloc(mspack_system *, std::size_t bytes)
{
    return bytes > kMaxAllocation ? nullptr : std::malloc(bytes);
}

void memFree(void *pointer)
{
    std::free(pointer);
}

void memCopy(void *source, void *destination, std::size_t bytes)
{
    std::memmove(destination, source, bytes);
}

QString fold(const QString &name)
{
    return name.toLower();
}

quint32 littleEndian32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

quint16 littleEndian16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint16(u[0] | u[1] << 8);
}

// A NUL-terminated text at `offset`, at most kMaxNameLength bytes.
QString textAt(const QByteArray &data, qint64 offset, qint64 end)
{
    if (offset < 0 || offset >= end) return {};
    end = std::min<qint64>({end, qint64(data.size()), offset + ChmArchive::kMaxNameLength});
    qint64 stop = offset;
    while (stop < end && data.at(stop) != '\0') ++stop;
    return QString::fromUtf8(data.constData() + offset, stop - offset);
}

QString libraryError(int code)
{
    switch (code) {
    case MSPACK_ERR_SIGNATURE:
        return QStringLiteral("keine Hilfe-Datei (falsche Kennung)");
    case MSPACK_ERR_DATAFORMAT:
        return QStringLiteral("ungültiger Aufbau");
    case MSPACK_ERR_CHECKSUM:
        return QStringLiteral("Prüfsumme falsch");
    case MSPACK_ERR_DECRUNCH:
        return QStringLiteral("Inhalt lässt sich nicht entpacken");
    case MSPACK_ERR_NOMEMORY:
        return QStringLiteral("unzulässige Größenangabe");
    case MSPACK_ERR_READ:
    case MSPACK_ERR_SEEK:
        return QStringLiteral("Datei ist zu kurz oder verweist über ihr Ende hinaus");
    case MSPACK_ERR_WRITE:
        return QStringLiteral("Eintrag ist größer als angegeben");
    default:
        return QStringLiteral("Fehler %1 beim Lesen").arg(code);
    }
}

} // namespace

struct ChmArchive::Reader
{
    MemorySystem sys{};
    QByteArray data;
    mschm_decompressor *decompressor = nullptr;
    mschmd_header *header = nullptr;
    QHash<QString, mschmd_file *> files; // folded name -> entry

    Reader()
    {
        sys.table = {memOpen, memClose, memRead, memWrite, memSeek, memTell, memMessage,
                     memAlloc, memFree, memCopy, nullptr};
        sys.input = &data;
    }
    ~Reader()
    {
        if (decompressor) {
            if (header) decompressor->close(decompressor, header);
            mspack_destroy_chm_decompressor(decompressor);
        }
    }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;
};

ChmArchive::ChmArchive() = default;
ChmArchive::~ChmArchive() = default;

bool ChmArchive::fail(const QString &message)
{
    close();
    m_error = message;
    return false;
}

void ChmArchive::close()
{
    m_reader.reset();
    m_names.clear();
    m_contexts.clear();
    m_title.clear();
    m_defaultTopic.clear();
    m_contentsFile.clear();
}

bool ChmArchive::isOpen() const
{
    return m_reader != nullptr;
}

bool ChmArchive::open(const QString &path)
{
    close();
    QFile file(path);
    if (!file.exists()) return fail(QStringLiteral("Datei nicht gefunden"));
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("Datei lässt sich nicht öffnen"));
    if (file.size() > kMaxArchiveBytes) return fail(QStringLiteral("Datei ist unzulässig groß"));
    const QByteArray data = file.read(kMaxArchiveBytes + 1);
    if (file.error() != QFileDevice::NoError) return fail(QStringLiteral("Datei lässt sich nicht lesen"));
    return openData(data);
}

bool ChmArchive::openData(const QByteArray &data)
{
    close();
    m_error.clear();
    if (data.isEmpty()) return fail(QStringLiteral("Datei ist leer"));
    if (data.size() > kMaxArchiveBytes) return fail(QStringLiteral("Datei ist unzulässig groß"));

    auto reader = std::make_unique<Reader>();
    reader->data = data;
    reader->decompressor = mspack_create_chm_decompressor(&reader->sys.table);
    if (!reader->decompressor) return fail(QStringLiteral("Leser nicht verfügbar"));
    reader->header = reader->decompressor->open(reader->decompressor, "help");
    if (!reader->header) return fail(libraryError(reader->decompressor->last_error(reader->decompressor)));

    int count = 0;
    for (mschmd_file *f = reader->header->files; f; f = f->next) {
        if (++count > kMaxEntries) return fail(QStringLiteral("zu viele Einträge"));
        if (!f->filename || std::strlen(f->filename) > std::size_t(kMaxNameLength))
            return fail(QStringLiteral("ungültiger Name eines Eintrags"));
        const QString name = QString::fromUtf8(f->filename);
        reader->files.insert(fold(name), f);
        if (!name.startsWith(QLatin1String("/#")) && !name.startsWith(QLatin1String("/$")))
            m_names.insert(fold(name), name);
    }
    m_reader = std::move(reader);
    return readSystemFiles();
}

bool ChmArchive::readSystemFiles()
{
    return readSystemRecords() && readContextMap();
}

bool ChmArchive::readSystemRecords()
{
    QByteArray system;
    if (!m_reader->files.contains(QStringLiteral("/#system"))) return true;
    if (!read(QStringLiteral("/#SYSTEM"), &system)) return fail(m_error);
    // A version word, then records of code, length and data.
    qint64 pos = 4;
    for (int records = 0; pos + 4 <= system.size(); ++records) {
        if (records >= kMaxSystemRecords) return fail(QStringLiteral("zu viele Systemangaben"));
        const quint16 code = littleEndian16(system.constData() + pos);
        const quint16 length = littleEndian16(system.constData() + pos + 2);
        pos += 4;
        if (length > system.size() - pos) return fail(QStringLiteral("Systemangabe reicht über ihr Ende"));
        const QString text = textAt(system, pos, pos + length);
        if (code == 0) m_contentsFile = text;
        else if (code == 2) m_defaultTopic = text;
        else if (code == 3) m_title = text;
        pos += length;
    }
    return true;
}

bool ChmArchive::readContextMap()
{
    if (!m_reader->files.contains(QStringLiteral("/#ivb"))) return true;
    QByteArray ivb;
    QByteArray strings;
    if (!read(QStringLiteral("/#IVB"), &ivb)) return fail(m_error);
    if (m_reader->files.contains(QStringLiteral("/#strings")) && !read(QStringLiteral("/#STRINGS"), &strings))
        return fail(m_error);
    if (ivb.size() < 4) return fail(QStringLiteral("Kontexttabelle zu kurz"));
    // A byte count, then pairs of context number and offset into #STRINGS.
    const quint32 bytes = littleEndian32(ivb.constData());
    if (bytes % 8 != 0 || bytes > quint32(ivb.size() - 4)) return fail(QStringLiteral("Kontexttabelle beschädigt"));
    if (bytes / 8 > quint32(kMaxContextEntries)) return fail(QStringLiteral("zu viele Kontextnummern"));
    for (quint32 i = 0; i < bytes / 8; ++i) {
        const char *entry = ivb.constData() + 4 + 8 * i;
        const QString target = textAt(strings, littleEndian32(entry + 4), strings.size());
        if (!target.isEmpty()) m_contexts.insert(littleEndian32(entry), target);
    }
    return true;
}

QStringList ChmArchive::fileNames() const
{
    QStringList names = m_names.values();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString ChmArchive::find(const QString &name) const
{
    if (!m_reader) return {};
    const auto it = m_reader->files.constFind(fold(name));
    return it == m_reader->files.cend() ? QString() : QString::fromUtf8((*it)->filename);
}

bool ChmArchive::read(const QString &name, QByteArray *contents)
{
    contents->clear();
    if (!m_reader) {
        m_error = QStringLiteral("keine Hilfe-Datei geöffnet");
        return false;
    }
    mschmd_file *file = m_reader->files.value(fold(name));
    if (!file) {
        m_error = QStringLiteral("„%1“ fehlt").arg(name);
        return false;
    }
    if (file->length < 0 || file->length > kMaxEntryBytes || file->offset < 0) {
        m_error = QStringLiteral("„%1“ hat eine unzulässige Größe").arg(name);
        return false;
    }
    if (file->section->id == 1 && file->offset > kMaxStreamOffset - file->length) {
        m_error = QStringLiteral("„%1“ liegt unzulässig weit hinten").arg(name);
        return false;
    }
    if (file->length == 0) return true;
    QByteArray out;
    out.reserve(qsizetype(file->length));
    m_reader->sys.output = &out;
    m_reader->sys.outputLimit = file->length;
    const int error = m_reader->decompressor->extract(m_reader->decompressor, file, "entry");
    m_reader->sys.output = nullptr;
    if (error != MSPACK_ERR_OK || out.size() != file->length) {
        m_error = QStringLiteral("„%1“: %2").arg(name, libraryError(error == MSPACK_ERR_OK ? MSPACK_ERR_READ : error));
        return false;
    }
    *contents = out;
    return true;
}

QString ChmArchive::topicForContext(quint32 context) const
{
    const auto it = m_contexts.constFind(context);
    return it == m_contexts.cend() ? QString() : resolveReference(*it);
}

QString ChmArchive::resolveReference(const QString &reference) const
{
    QString path = reference;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty()) return {};
    const QString direct = m_names.value(fold(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path));
    if (!direct.isEmpty()) return direct;
    // Stored names start with "/", so a match always ends at a folder boundary.
    const QString folded = fold(path);
    QString best;
    for (auto it = m_names.cbegin(); it != m_names.cend(); ++it)
        if (folded.endsWith(it.key()) && it.key().size() > best.size()) best = it.key();
    return best.isEmpty() ? QString() : m_names.value(best);
}
