#include "platform/HelpBrowser.h"

#include "platform/ChmArchive.h"

#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

namespace {
// Marks the pictures whose size the page got from us, not from its author.
constexpr int kFittedProperty = QTextFormat::UserProperty + 1;
}

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links are followed here, so that none can leave the help file.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
        m_fittedWidth = -1;
        fitPictures();
    });
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
        if (type == QTextDocument::ImageResource) {
            const QImage image = picture(entry);
            if (!image.isNull()) return image;
        }
        if (!entry.isEmpty() && m_archive->read(entry, &contents)) return contents;
    }
    // An empty answer rather than none: with none, the text document would go and look
    // on disk itself.
    return QByteArray("");
}

QImage HelpBrowser::picture(const QString &entry)
{
    if (m_pictures.contains(entry)) return m_pictures.value(entry);
    QByteArray contents;
    if (!m_archive || entry.isEmpty() || !m_archive->read(entry, &contents)) return {};
    const QImage image = QImage::fromData(contents);
    if (!image.isNull() && m_pictureBytes + image.sizeInBytes() <= ChmArchive::kMaxEntryBytes * 8) {
        m_pictures.insert(entry, image);
        m_pictureBytes += image.sizeInBytes();
    }
    return image;
}

int HelpBrowser::pageWidth() const
{
    // Counted as if the vertical scroll bar were always there: otherwise a page whose
    // pictures shrink could lose its scroll bar, widen, grow them again, and so on.
    const QTextFrameFormat root = document()->rootFrame()->frameFormat();
    const int scrollBar = verticalScrollBar()->isVisible()
                              ? 0
                              : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    return int(viewport()->width() - scrollBar - root.leftMargin() - root.rightMargin() - 2 * root.padding() -
               2 * root.border());
}

void HelpBrowser::resizeEvent(QResizeEvent *event)
{
    QTextBrowser::resizeEvent(event);
    fitPictures();
}

// A picture wider than the page is drawn from a copy scaled once, smoothly, to the page
// width in device pixels: the painter then copies it pixel for pixel, so it stays sharp
// at any device pixel ratio, and the page needs no sideways scrolling.
void HelpBrowser::fitPictures()
{
    const int page = pageWidth();
    const qreal ratio = viewport()->devicePixelRatioF();
    if (page <= 0 || page == m_fittedWidth) return;
    m_fittedWidth = page;
    QTextDocument *doc = document();
    doc->setUndoRedoEnabled(false);

    struct Fit
    {
        int position, length;
        QTextImageFormat format;
    };
    QList<Fit> fits;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (QTextCursor(block).currentFrame() != doc->rootFrame()) continue; // inside a table
        const QTextBlockFormat b = block.blockFormat();
        const qreal room = page - b.leftMargin() - b.rightMargin() - b.indent() * doc->indentWidth();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid()) continue;
            const bool fitted = format.hasProperty(kFittedProperty);
            if (!fitted && (format.hasProperty(QTextFormat::ImageWidth) || format.hasProperty(QTextFormat::ImageHeight)))
                continue; // the page sets its own size
            // The document looks resources up by their address resolved against the page.
            const QUrl name = doc->baseUrl().resolved(QUrl(format.name()));
            const QImage original = picture(m_archive ? m_archive->find(name.path()) : QString());
            if (original.isNull()) continue;
            if (original.width() > room) {
                const int width = int(room);
                const int height = qRound(qreal(original.height()) * width / original.width());
                QImage scaled = original.scaled(QSize(qRound(width * ratio), qRound(height * ratio)),
                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                scaled.setDevicePixelRatio(ratio);
                doc->addResource(QTextDocument::ImageResource, name, scaled);
                format.setWidth(width);
                format.setHeight(height);
                format.setProperty(kFittedProperty, true);
            } else if (fitted) {
                doc->addResource(QTextDocument::ImageResource, name, original);
                format.clearProperty(QTextFormat::ImageWidth);
                format.clearProperty(QTextFormat::ImageHeight);
                format.clearProperty(kFittedProperty);
            } else {
                continue;
            }
            fits.append({fragment.position(), fragment.length(), format});
        }
    }
    for (const Fit &fit : fits) {
        QTextCursor cursor(doc);
        cursor.setPosition(fit.position);
        cursor.setPosition(fit.position + fit.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(fit.format);
    }
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
