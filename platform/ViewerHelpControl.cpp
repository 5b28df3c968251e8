#include "platform/ViewerHelpControl.h"

#include "platform/ChmArchive.h"
#include "platform/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ViewerHelpControl::ViewerHelpControl() : m_archive(std::make_unique<ChmArchive>()) {}

// A viewer still open when the program's statics go is not freed: the application
// object that its widgets need is gone by then.
ViewerHelpControl::~ViewerHelpControl() = default;

HelpViewer *ViewerHelpControl::viewer() const
{
    return m_viewer.data();
}

void ViewerHelpControl::unload()
{
    closeAll();
}

std::string ViewerHelpControl::controlPath() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString();
}

HelpControl::Version ViewerHelpControl::fileVersion(const std::string &path) const
{
    if (path.empty() || !QFileInfo(QString::fromStdString(path)).isFile()) return {};
    return kVersion;
}

std::uintptr_t ViewerHelpControl::showContext(const std::string &viewerPath, std::uint32_t context)
{
    const QString path = QString::fromStdString(viewerPath);
    const bool newViewer = !m_viewer;
    if (newViewer) m_viewer = new HelpViewer;
    // A file that opened once stays open; one that did not is tried again.
    const bool reopen = path != m_archivePath || !m_archive->isOpen();
    if (reopen) {
        m_archivePath = path;
        m_archive->open(path);
    }
    if (newViewer || reopen) m_viewer->setArchive(m_archive->isOpen() ? m_archive.get() : nullptr);

    const auto unreadable = [&] {
        m_viewer->showMessage(QStringLiteral("Hilfe-Datei nicht lesbar"),
                              QStringLiteral("Die Hilfe-Datei\n%1\nkann nicht gelesen werden: %2.")
                                  .arg(QDir::toNativeSeparators(path), m_archive->errorString()));
    };
    if (!m_archive->isOpen()) {
        unreadable();
    } else if (const QString topic = m_archive->topicForContext(context); topic.isEmpty()) {
        m_viewer->showMessage(QStringLiteral("Thema nicht gefunden"),
                              QStringLiteral("Die Hilfe-Datei\n%1\nenthält kein Thema mit der Nummer %2.")
                                  .arg(QDir::toNativeSeparators(path))
                                  .arg(context));
    } else if (QByteArray page; !m_archive->read(topic, &page)) {
        unreadable();
    } else {
        m_viewer->showTopic(topic);
    }
    m_viewer->show();
    return reinterpret_cast<std::uintptr_t>(m_viewer.data());
}

void ViewerHelpControl::bringToFront(std::uintptr_t window)
{
    if (!window || reinterpret_cast<std::uintptr_t>(m_viewer.data()) != window) return;
    m_viewer->raise();
    m_viewer->activateWindow();
}

void ViewerHelpControl::closeAll()
{
    delete m_viewer.data();
    m_archive->close();
    m_archivePath.clear();
}
