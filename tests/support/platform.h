#pragma once

// The few things tests do differently on Windows, behind one header, so that the tests
// themselves hold no #ifdef.

#include <filesystem>
#include <string>

namespace testplatform {

constexpr bool kOnWindows =
#if defined(_WIN32)
    true;
#else
    false;
#endif

// A text file's line end as the platform writes it in text mode.
constexpr const char* kTextLineEnd = kOnWindows ? "\r\n" : "\n";

// Sets or removes an environment variable of this process.
void setEnvironment(const std::string& name, const std::string& value);
void unsetEnvironment(const std::string& name);

// Makes the C library read the time zone from TZ again.
void reloadTimeZone();

// Makes a FIFO (a named pipe) at the path; false where the platform has none.
bool makeFifo(const std::filesystem::path& path);

}  // namespace testplatform
