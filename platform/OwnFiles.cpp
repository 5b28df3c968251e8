#include "platform/OwnFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace OwnFiles {

namespace {
std::string joined(const std::string &folder, const std::string &name)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
    return folder + '/' + name;
}
} // namespace

#ifdef _WIN32

namespace {
std::wstring wide(const std::string &text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), result.data(), n);
    return result;
}

bool isPlainFile(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}
} // namespace

bool folderIsWritable(const std::string &folder, const std::string &probeName)
{
    const std::wstring probe = wide(joined(folder, probeName));
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
    const DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_READONLY);
}

bool removeOwnFile(const std::string &path)
{
    const std::wstring name = wide(path);
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    return isPlainFile(name) && DeleteFileW(name.c_str());
}

bool append(const std::string &path, const std::string &bytes)
{
    const std::wstring name = wide(path);
    const HANDLE h = CreateFileW(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    bool ok = GetFileInformationByHandle(h, &info) &&
              !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    DWORD written = 0;
    ok = ok && WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(h);
    return ok;
}

bool makePrivateFolder(const std::string &folder)
{
    for (std::size_t at = folder.find_first_of("/\\", 3); ; at = folder.find_first_of("/\\", at + 1)) {
        CreateDirectoryW(wide(folder.substr(0, at)).c_str(), nullptr);
        if (at == std::string::npos) break;
    }
    const DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

#else

bool folderIsWritable(const std::string &folder, const std::string &probeName)
{
    const std::string probe = joined(folder, probeName);
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno != EEXIST) return false;
        struct stat st{};
        return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder.c_str(), W_OK | X_OK) == 0;
    }
    // Only the file made here goes: if the name was replaced meanwhile, the newcomer stays.
    struct stat made{};
    struct stat now{};
    const bool mine = ::fstat(fd, &made) == 0;
    ::close(fd);
    if (mine && ::lstat(probe.c_str(), &now) == 0 && now.st_dev == made.st_dev && now.st_ino == made.st_ino)
        ::unlink(probe.c_str());
    return true;
}

bool removeOwnFile(const std::string &path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return false;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool append(const std::string &path, const std::string &bytes)
{
    // Non-blocking so that a planted pipe cannot hold the program; it is refused below.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    ::close(fd);
    return ok;
}

bool makePrivateFolder(const std::string &folder)
{
    for (std::size_t at = folder.find('/', 1); ; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (!part.empty() && part.back() != '/') ::mkdir(part.c_str(), 0700);
        if (at == std::string::npos) break;
    }
    struct stat st{};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

#endif

} // namespace OwnFiles
