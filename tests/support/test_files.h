#pragma once

// Files and folders for tests, in one copy for every test binary: scratch folders under the
// system's temporary folder, and whole-file reads and writes.

#include <filesystem>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    fs::path path;
};

// The file's bytes as they are on disk (no line-end translation); empty if it cannot be read.
std::string readFile(const fs::path& file);
void writeFile(const fs::path& file, const std::string& text);

}  // namespace testfiles
