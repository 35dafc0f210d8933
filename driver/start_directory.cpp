#include "driver/start_directory.h"

#include <cerrno>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#define membenchGetCwd _getcwd
#else
#include <unistd.h>
#define membenchGetCwd getcwd
#endif

std::optional<std::string> currentDirectory() {
    // Grow the buffer until the path fits; any other failure means the folder is unknown.
    for (std::size_t capacity = 256; capacity <= (std::size_t{1} << 24); capacity *= 2) {
        std::vector<char> buffer(capacity);
        if (membenchGetCwd(buffer.data(), static_cast<int>(capacity)) != nullptr) {
            return std::string(buffer.data());
        }
        if (errno != ERANGE) return std::nullopt;
    }
    return std::nullopt;
}

std::string composeResultsPath(const std::optional<std::string>& startDirectory,
                               const std::string& fileName) {
    return (startDirectory ? *startDirectory : std::string("(null)")) + kPathSeparator + fileName;
}
