#pragma once

#include <QHash>
#include <QImage>
#include <QTextBrowser>

class ChmArchive;

// Shows pages of one help file. Pages, pictures and stylesheets come only from that
// file: nothing is read from disk or the network, whatever a page refers to.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    // The address scheme of pages inside the help file: "chm:/overview.html".
    static constexpr char kScheme[] = "chm";

    explicit HelpBrowser(QWidget *parent = nullptr);

    void setArchive(ChmArchive *archive);
    static QUrl urlOf(const QString &archiveName);

    QVariant loadResource(int type, const QUrl &name) override;

    // The width a picture may take on the page; wider ones are shown scaled down to it.
    int pageWidth() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void followLink(const QUrl &link);
    QImage picture(const QString &entry);
    void fitPictures();

    ChmArchive *m_archive = nullptr;
    // Pictures stay decoded while the file is shown: topics share them, and unpacking
    // and decoding them again on every page change is most of a topic switch.
    QHash<QString, QImage> m_pictures;
    qint64 m_pictureBytes = 0;
    int m_fittedWidth = -1;
};
