#include "platform/HelpBrowser.h"

#include "platform/ChmArchive.h"

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links are followed here, so that none can leave the help file.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

void HelpBrowser::setArchive(ChmArchive *archive)
{
    m_archive = archive;
    m_pictures.clear();
    m_pictureBytes = 0;
}

QUrl HelpBrowser::urlOf(const QString &archiveName)
{
    QUrl url;
    url.setScheme(QLatin1String(kScheme));
    url.setPath(archiveName.startsWith(QLatin1Char('/')) ? archiveName : QLatin1Char('/') + archiveName);
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    QByteArray contents;
    if (m_archive && url.scheme() == QLatin1String(kScheme)) {
        const QString entry = m_archive->find(url.path());
        if (type == QTextDocument::ImageResource && m_pictures.contains(entry)) return m_pictures.value(entry);
        if (!entry.isEmpty() && m_archive->read(entry, &contents)) {
            if (type != QTextDocument::ImageResource) return contents;
            const QImage picture = QImage::fromData(contents);
            if (picture.isNull()) return contents;
            if (m_pictureBytes + picture.sizeInBytes() <= ChmArchive::kMaxEntryBytes * 8) {
                m_pictures.insert(entry, picture);
                m_pictureBytes += picture.sizeInBytes();
            }
            return picture;
        }
    }
    // An empty answer rather than none: with none, the text document would go and look
    // on disk itself.
    return QByteArray("");
}

void HelpBrowser::followLink(const QUrl &link)
{
    const QUrl url = link.isRelative() ? source().resolved(link) : link;
    if (url.scheme() != QLatin1String(kScheme)) return;
    if (url.path() == source().path() && url.hasFragment()) {
        scrollToAnchor(url.fragment());
        return;
    }
    setSource(url, QTextDocument::HtmlResource);
}
