// Drives the installed Windows program as a user would, from another Windows process: finds
// its main window by title, opens "Hilfe zum Programm" from the menu, waits for the HTML Help
// window, closes the main window and answers "Wirklich beenden?" with "Ja". Every step waits
// for what it expects to appear (with a limit that only a fault reaches) and says what it saw.
//
//   smoke_driver.exe                exit status 0 when every step held
//   smoke_driver.exe --until-help   stops with the help window open, for a look at it
//
// Qt's menus are not the system's, so the menu is opened with a click on its first title and
// walked with the arrow keys; keys go to the window in the foreground's message queue, where
// Qt hands them to the open menu.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kMainTitle[] =
    L"lumaKvex :  Version 3.0 (2015 - 2016)  -  Parallelschaltung von Widerst\u00e4nden (Freeware)";
constexpr DWORD kLimitMs = 60000;

template <typename Found>
bool waitFor(const char *what, Found found)
{
    const DWORD start = GetTickCount();
    while (!found()) {
        if (GetTickCount() - start > kLimitMs) {
            std::printf("FAIL: %s did not happen within %lu s\n", what, kLimitMs / 1000);
            return false;
        }
        Sleep(100);
    }
    std::printf("ok: %s\n", what);
    return true;
}

// A visible top-level window of the process whose title is `title`; without a title, any
// visible popup of the process (an open menu) other than `except`.
HWND topWindowOfProcess(DWORD process, const wchar_t *title, HWND except = nullptr)
{
    struct Search
    {
        DWORD process;
        const wchar_t *title;
        HWND except;
        HWND found;
    } search{process, title, except, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<Search *>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != s->process || !IsWindowVisible(w) || w == s->except) return TRUE;
            wchar_t text[256] = {};
            GetWindowTextW(w, text, 256);
            const bool popup = (GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP) != 0;
            if (s->title ? std::wcscmp(text, s->title) == 0 : popup) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void key(HWND window, WORD virtualKey)
{
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const bool extended = virtualKey == VK_RIGHT || virtualKey == VK_UP;
    const LPARAM down = 1 | (LPARAM(scan) << 16) | (extended ? (1 << 24) : 0);
    PostMessageW(window, WM_KEYDOWN, virtualKey, down);
    PostMessageW(window, WM_KEYUP, virtualKey, down | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

} // namespace

int main(int argc, char **argv)
{
    const bool untilHelp = argc > 1 && std::strcmp(argv[1], "--until-help") == 0;
    HWND main = nullptr;
    if (!waitFor("main window with its title", [&main] {
            main = FindWindowW(nullptr, kMainTitle);
            return main && IsWindowVisible(main);
        }))
        return 1;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    SetForegroundWindow(main);

    // The menu bar's first title ("Auswahl") lies at its left end; from its open menu the
    // right arrow opens "Hilfe", where the up arrow reaches its last item, "Hilfe zum Programm".
    const LPARAM onFirstTitle = MAKELPARAM(12, 8);
    PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, onFirstTitle);
    PostMessageW(main, WM_LBUTTONUP, 0, onFirstTitle);
    HWND firstMenu = nullptr;
    if (!waitFor("menu \"Auswahl\" open", [&] { return (firstMenu = topWindowOfProcess(process, nullptr)); }))
        return 1;
    key(main, VK_RIGHT);
    if (!waitFor("menu \"Hilfe\" open", [&] { return topWindowOfProcess(process, nullptr, firstMenu) != nullptr; }))
        return 1;
    key(main, VK_UP);
    key(main, VK_RETURN);
    if (!waitFor("HTML Help window", [] { return FindWindowW(L"HH Parent", nullptr) != nullptr; })) return 1;
    if (untilHelp) return 0;

    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND question = nullptr;
    if (!waitFor("question \"Wirklich beenden?\" (title \"Best\u00e4tigung\")", [&] {
            question = topWindowOfProcess(process, L"Best\u00e4tigung");
            return question != nullptr;
        }))
        return 1;
    SetForegroundWindow(question);
    Sleep(300);
    key(question, VK_RETURN); // "Ja" is the default button
    if (!waitFor("main window gone after \"Ja\"", [main] { return !IsWindow(main); })) return 1;
    if (!waitFor("HTML Help window closed with the program",
                 [] { return FindWindowW(L"HH Parent", nullptr) == nullptr; }))
        return 1;
    return 0;
}
