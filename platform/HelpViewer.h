#pragma once

#include <QWidget>

class ChmArchive;
class HelpBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The help viewer's window: the file's table of contents beside the page, back and
// forward, the help file's title and the topic's as the window title. A window of its
// own, without a parent window.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    HelpViewer();

    // The file whose pages the viewer shows; it must outlive the viewer or be replaced.
    void setArchive(ChmArchive *archive);
    // Shows a page of the file by its name inside the file.
    void showTopic(const QString &archiveName);
    // Shows a page of the viewer's own instead of a topic.
    void showMessage(const QString &title, const QString &text);

    HelpBrowser *Browser;
    QTreeWidget *Contents;
    QToolButton *BackButton;
    QToolButton *ForwardButton;

private:
    void ContentsItemClicked(QTreeWidgetItem *item);
    void BrowserSourceChanged(const QUrl &url);
    void selectContentsEntry(const QString &archiveName);

    ChmArchive *m_archive = nullptr;
};
