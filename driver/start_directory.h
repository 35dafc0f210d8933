#pragma once

#include <optional>
#include <string>

// The folder the process was started in, as a full path; empty when it cannot be determined
// (for instance because it was removed).
std::optional<std::string> currentDirectory();

// The platform's own separator between a folder and a file name.
#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Folder, separator, file name; an unknown folder reads "(null)". The folder text is used as
// it is, and the result is as long as it needs to be.
std::string composeResultsPath(const std::optional<std::string>& startDirectory,
                               const std::string& fileName);
