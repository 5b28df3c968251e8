#include "platform/WinHelpControl.h"

#include "platform/SystemRootPath.h"

#include <windows.h>

#include <vector>

namespace {

// Commands of the HTML Help programming interface.
constexpr unsigned kHhHelpContext = 0x000F;
constexpr unsigned kHhCloseAll = 0x0012;

constexpr char kControlFile[] = "hhctrl.ocx";
constexpr char kControlClassKey[] = "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

bool fileExists(const std::string &path)
{
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string folder(UINT (WINAPI *query)(LPSTR, UINT))
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return {};
    std::string result(buffer, length);
    while (!result.empty() && (result.back() == '\\' || result.back() == '/')) result.pop_back();
    return result;
}

// The program hands UTF-8 paths; the control's ANSI entry point wants the system code page.
std::string toAnsi(const std::string &utf8)
{
    if (utf8.empty()) return {};
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0) return {};
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0) return {};
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

} // namespace

WinHelpControl::~WinHelpControl()
{
    unload();
}

std::string WinHelpControl::registeredPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kControlClassKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    DWORD type = 0;
    DWORD size = 0;
    std::string value;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0 &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size <= 32768) {
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            value.assign(buffer.data());
    }
    RegCloseKey(key);
    const std::string path = SystemRootPath::expand(value, folder(GetWindowsDirectoryA));
    return fileExists(path) ? path : std::string();
}

void WinHelpControl::load()
{
    if (m_library) return;
    HMODULE module = LoadLibraryA(kControlFile);
    if (!module) {
        const std::string registered = registeredPath();
        if (fileExists(registered)) module = LoadLibraryA(registered.c_str());
    }
    if (!module) return;
    m_library = module;
    m_htmlHelpA = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void *>(GetProcAddress(module, "HtmlHelpA")));
    m_htmlHelpW = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void *>(GetProcAddress(module, "HtmlHelpW")));
}

void WinHelpControl::unload()
{
    if (m_library) FreeLibrary(static_cast<HMODULE>(m_library));
    m_library = nullptr;
    m_htmlHelpA = nullptr;
    m_htmlHelpW = nullptr;
}

std::string WinHelpControl::controlPath() const
{
    const std::string registered = registeredPath();
    if (!registered.empty()) return registered;
    return folder(GetSystemDirectoryA) + "\\" + kControlFile;
}

HelpControl::Version WinHelpControl::fileVersion(const std::string &path) const
{
    Version version;
    if (!fileExists(path)) return version;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return version;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return version;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO))
        return version;
    version.major = HIWORD(info->dwFileVersionMS);
    version.minor = LOWORD(info->dwFileVersionMS);
    version.build = HIWORD(info->dwFileVersionLS);
    version.subBuild = LOWORD(info->dwFileVersionLS);
    return version;
}

std::uintptr_t WinHelpControl::showContext(const std::string &viewerPath, std::uint32_t context)
{
    if (!m_htmlHelpA) return 0;
    const std::string file = toAnsi(viewerPath);
    void *window = m_htmlHelpA(GetDesktopWindow(), file.c_str(), kHhHelpContext, context);
    return reinterpret_cast<std::uintptr_t>(window);
}

void WinHelpControl::bringToFront(std::uintptr_t window)
{
    if (window) SetForegroundWindow(reinterpret_cast<HWND>(window));
}

void WinHelpControl::closeAll()
{
    if (!m_library || !m_htmlHelpA) return;
    m_htmlHelpA(nullptr, nullptr, kHhCloseAll, 0);
    // Lets the viewer's thread close its windows.
    Sleep(0);
}
