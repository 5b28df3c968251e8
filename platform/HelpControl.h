#pragma once

#include <cstdint>
#include <string>

// The viewer that shows topics of the compiled help file. On Windows it is the system's
// HTML Help control; elsewhere a viewer built into the program. Texts are UTF-8. The
// interface stays free of Qt so that the Windows control can be compiled on its own.
class HelpControl
{
public:
    struct Version
    {
        std::uint16_t major = 0;
        std::uint16_t minor = 0;
        std::uint16_t build = 0;
        std::uint16_t subBuild = 0;
    };

    HelpControl() = default;
    virtual ~HelpControl() = default;
    HelpControl(const HelpControl &) = delete;
    HelpControl &operator=(const HelpControl &) = delete;

    // Loads the control if it is not loaded yet; failing is silent.
    virtual void load() = 0;
    // Gives the control up again at program end.
    virtual void unload() = 0;
    virtual bool isLoaded() const = 0;
    // Whether the control's entry point for showing topics was found.
    virtual bool hasEntryPoint() const = 0;

    // Full path of the control's file, and that file's version (all zero if unreadable).
    virtual std::string controlPath() const = 0;
    virtual Version fileVersion(const std::string &path) const = 0;

    // Shows topic `context` of the help file at `viewerPath`; returns the viewer's
    // window, 0 when there is none.
    virtual std::uintptr_t showContext(const std::string &viewerPath, std::uint32_t context) = 0;
    virtual void bringToFront(std::uintptr_t window) = 0;
    // Closes every viewer window the program opened.
    virtual void closeAll() = 0;

    // The control of the system the program runs on.
    static HelpControl &system();
};
