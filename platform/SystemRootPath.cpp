#include "platform/SystemRootPath.h"

namespace SystemRootPath {

std::string expand(const std::string &registeredValue, const std::string &windowsFolder)
{
    static constexpr char kMarker[] = "%SYSTEMROOT%";
    constexpr std::size_t kLength = sizeof kMarker - 1;
    if (registeredValue.size() < kLength) return registeredValue;
    for (std::size_t i = 0; i < kLength; ++i) {
        char c = registeredValue[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kMarker[i]) return registeredValue;
    }
    return windowsFolder + registeredValue.substr(kLength);
}

} // namespace SystemRootPath
