#include "platform/HelpViewer.h"

#include "platform/ChmArchive.h"
#include "platform/ChmContents.h"
#include "platform/HelpBrowser.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kLocalRole = Qt::UserRole;
}

HelpViewer::HelpViewer()
    : QWidget(nullptr), Browser(new HelpBrowser), Contents(new QTreeWidget), BackButton(new QToolButton),
      ForwardButton(new QToolButton)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_QuitOnClose, false);
    Browser->setObjectName(QStringLiteral("Browser"));
    Contents->setObjectName(QStringLiteral("Contents"));
    BackButton->setObjectName(QStringLiteral("BackButton"));
    ForwardButton->setObjectName(QStringLiteral("ForwardButton"));

    BackButton->setText(QStringLiteral("Zurück"));
    ForwardButton->setText(QStringLiteral("Vor"));
    BackButton->setArrowType(Qt::LeftArrow);
    ForwardButton->setArrowType(Qt::RightArrow);
    for (QToolButton *b : {BackButton, ForwardButton}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setEnabled(false);
    }
    Contents->setHeaderHidden(true);
    Contents->setRootIsDecorated(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addStretch();
    auto *splitter = new QSplitter;
    splitter->addWidget(Contents);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 580});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(860, 600);

    connect(BackButton, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardButton, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this, &HelpViewer::BrowserSourceChanged);
    connect(Contents, &QTreeWidget::itemClicked, this, &HelpViewer::ContentsItemClicked);
    connect(Contents, &QTreeWidget::itemActivated, this, &HelpViewer::ContentsItemClicked);
}

void HelpViewer::setArchive(ChmArchive *archive)
{
    m_archive = archive;
    Browser->setArchive(archive);
    Browser->clearHistory();
    Contents->clear();
    if (!archive) return;

    QByteArray sitemap;
    QString contentsFile = archive->resolveReference(archive->contentsFile());
    if (contentsFile.isEmpty())
        for (const QString &name : archive->fileNames())
            if (name.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) contentsFile = name;
    if (contentsFile.isEmpty() || !archive->read(contentsFile, &sitemap)) return;

    QList<QTreeWidgetItem *> parents;
    for (const ChmContents::Entry &entry : ChmContents::parse(sitemap)) {
        const int depth = std::min<int>(entry.depth, int(parents.size()));
        parents.resize(depth);
        auto *item = depth == 0 ? new QTreeWidgetItem(Contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.name);
        item->setData(0, kLocalRole, archive->resolveReference(entry.local.section(QLatin1Char('#'), 0, 0)));
        parents.append(item);
    }
    Contents->expandAll();
}

void HelpViewer::showTopic(const QString &archiveName)
{
    Browser->setSource(HelpBrowser::urlOf(archiveName), QTextDocument::HtmlResource);
}

void HelpViewer::showMessage(const QString &title, const QString &text)
{
    Browser->setHtml(QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2><p>%2</p></body></html>")
                         .arg(title.toHtmlEscaped(), text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"))));
    setWindowTitle(title);
    Contents->setCurrentItem(nullptr);
}

void HelpViewer::ContentsItemClicked(QTreeWidgetItem *item)
{
    const QString local = item ? item->data(0, kLocalRole).toString() : QString();
    if (!local.isEmpty()) showTopic(local);
}

void HelpViewer::BrowserSourceChanged(const QUrl &url)
{
    QString title = Browser->documentTitle().trimmed();
    if (title.isEmpty()) title = url.path().section(QLatin1Char('/'), -1);
    const QString file = m_archive ? m_archive->title().trimmed() : QString();
    setWindowTitle(file.isEmpty() ? title : file + QStringLiteral(" – ") + title);
    selectContentsEntry(url.path());
}

void HelpViewer::selectContentsEntry(const QString &archiveName)
{
    for (QTreeWidgetItemIterator it(Contents); *it; ++it)
        if ((*it)->data(0, kLocalRole).toString().compare(archiveName, Qt::CaseInsensitive) == 0) {
            Contents->setCurrentItem(*it);
            return;
        }
}
