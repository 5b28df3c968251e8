#pragma once

#include <string>

// The registry may give the help control's path with a leading "%SYSTEMROOT%" marker
// that the registry itself never expands.
namespace SystemRootPath {

// Replaces a leading %SYSTEMROOT% (any letter case) by `windowsFolder`, given without
// its trailing separator. Any other value comes back unchanged.
std::string expand(const std::string &registeredValue, const std::string &windowsFolder);

} // namespace SystemRootPath
