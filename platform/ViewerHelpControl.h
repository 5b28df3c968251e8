#pragma once

#include "platform/HelpControl.h"

#include <QPointer>
#include <QString>

#include <memory>

class ChmArchive;
class HelpViewer;

// Where the system has no HTML Help control: the viewer built into the program. It is
// always there, so it counts as loaded; one viewer window serves every request.
class ViewerHelpControl : public HelpControl
{
public:
    // The feature level of the system control that the built-in viewer stands in for.
    static constexpr Version kVersion{4, 73, 0, 0};

    ViewerHelpControl();
    ~ViewerHelpControl() override;

    void load() override {}
    void unload() override;
    bool isLoaded() const override { return true; }
    bool hasEntryPoint() const override { return true; }

    // The viewer is part of the program, so its file is the program's own.
    std::string controlPath() const override;
    Version fileVersion(const std::string &path) const override;

    std::uintptr_t showContext(const std::string &viewerPath, std::uint32_t context) override;
    void bringToFront(std::uintptr_t window) override;
    void closeAll() override;

    // The viewer window, if one is open.
    HelpViewer *viewer() const;

private:
    std::unique_ptr<ChmArchive> m_archive;
    QString m_archivePath;
    QPointer<HelpViewer> m_viewer;
};
