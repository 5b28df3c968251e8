#pragma once

#include "platform/HelpControl.h"

// The system's HTML Help control (hhctrl.ocx), reached through its entry point
// HtmlHelpA. Windows only; free of Qt.
class WinHelpControl : public HelpControl
{
public:
    WinHelpControl() = default;
    ~WinHelpControl() override;

    void load() override;
    void unload() override;
    bool isLoaded() const override { return m_library != nullptr; }
    bool hasEntryPoint() const override { return m_htmlHelpA != nullptr; }

    std::string controlPath() const override;
    Version fileVersion(const std::string &path) const override;

    std::uintptr_t showContext(const std::string &viewerPath, std::uint32_t context) override;
    void bringToFront(std::uintptr_t window) override;
    void closeAll() override;

    // The control's path as registered for its class, or empty.
    static std::string registeredPath();

private:
    using HtmlHelpFn = void *(__stdcall *)(void *owner, const char *file, unsigned command, std::uintptr_t data);

    void *m_library = nullptr;
    HtmlHelpFn m_htmlHelpA = nullptr;
    HtmlHelpFn m_htmlHelpW = nullptr;
};
