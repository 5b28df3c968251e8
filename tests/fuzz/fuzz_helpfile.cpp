// A help file as it may lie beside the program: any bytes. Opening either fails with a
// message, or gives an archive whose every file, context and contents entry can be asked
// for without crashing, hanging or handing out more than the reader promises.
#include "FuzzSupport.h"
#include "platform/ChmArchive.h"
#include "platform/ChmContents.h"

#include <cstddef>
#include <cstdint>

namespace {

QString described(const uint8_t *data, size_t size)
{
    return QStringLiteral("%1 bytes").arg(size) + (size ? QStringLiteral(", first %1").arg(data[0]) : QString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ChmArchive archive;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!archive.openData(bytes)) {
        if (archive.errorString().isEmpty())
            FuzzSupport::fail(QStringLiteral("a refused file gives no message"), described(data, size));
        return 0;
    }

    const QStringList names = archive.fileNames();
    if (names.size() > ChmArchive::kMaxEntries)
        FuzzSupport::fail(QStringLiteral("more files than the reader allows"), described(data, size));
    for (const QString &name : names) {
        QByteArray contents;
        if (archive.read(name, &contents) && contents.size() > ChmArchive::kMaxEntryBytes)
            FuzzSupport::fail(QStringLiteral("a file larger than the reader allows: ") + name, described(data, size));
        (void)archive.resolveReference(name);
    }

    // The program only ever asks for 1001; a map may name anything.
    for (quint32 context : {0u, 1001u, 1002u, 0xFFFFFFFFu}) {
        const QString topic = archive.topicForContext(context);
        if (topic.isEmpty()) continue;
        QByteArray page;
        (void)archive.read(archive.resolveReference(topic), &page);
    }

    QByteArray sitemap;
    if (!archive.contentsFile().isEmpty() && archive.read(archive.resolveReference(archive.contentsFile()), &sitemap)) {
        const QList<ChmContents::Entry> entries = ChmContents::parse(sitemap);
        if (entries.size() > ChmContents::kMaxEntries)
            FuzzSupport::fail(QStringLiteral("more contents entries than allowed"), described(data, size));
        for (const ChmContents::Entry &e : entries)
            if (!e.local.isEmpty()) (void)archive.resolveReference(e.local);
    }
    return 0;
}
