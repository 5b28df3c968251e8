#pragma once

#include "platform/HelpControl.h"

#include <string>
#include <vector>

// A help control that records what the program asks of it, with a loaded state and a
// version the test chooses.
class FakeHelpControl : public HelpControl
{
public:
    struct Call
    {
        std::string viewerPath;
        std::uint32_t context;
    };

    bool loaded = true;
    bool entryPoint = true;
    Version version{4, 74, 8702, 0};
    std::uintptr_t window = 1;

    std::vector<Call> calls;
    std::vector<std::uintptr_t> broughtToFront;
    int closeAllCount = 0;

    void reset()
    {
        loaded = true;
        entryPoint = true;
        version = {4, 74, 8702, 0};
        window = 1;
        calls.clear();
        broughtToFront.clear();
        closeAllCount = 0;
    }

    void load() override {}
    void unload() override {}
    bool isLoaded() const override { return loaded; }
    bool hasEntryPoint() const override { return entryPoint; }
    std::string controlPath() const override { return "fake/hhctrl.ocx"; }
    Version fileVersion(const std::string &) const override { return version; }
    std::uintptr_t showContext(const std::string &viewerPath, std::uint32_t context) override
    {
        calls.push_back({viewerPath, context});
        return window;
    }
    void bringToFront(std::uintptr_t w) override { broughtToFront.push_back(w); }
    void closeAll() override { ++closeAllCount; }
};
