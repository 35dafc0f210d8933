#include "test_files.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testfiles {

ScratchFolder::ScratchFolder() {
    // A random name, created exclusively: create_directory reports whether it made the folder.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("membench-test-" + std::to_string(random() % 1000000000000));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder under " + fs::temp_directory_path().string());
}

namespace {

// Whether a file system is still mounted somewhere under the folder (a test environment that
// could not be taken down): removing the folder would then reach into it.
bool holdsAMount(const fs::path& folder) {
    std::ifstream mounts("/proc/self/mounts");
    const std::string prefix = folder.string() + "/";
    std::string device, mountPoint, rest;
    while (mounts >> device >> mountPoint && std::getline(mounts, rest)) {
        if (mountPoint.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

}  // namespace

ScratchFolder::~ScratchFolder() {
    if (holdsAMount(path)) {
        std::fprintf(stderr, "keeping %s: a file system is still mounted in it\n", path.string().c_str());
        return;
    }
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

}  // namespace testfiles
