#include "platform.h"

#include <cstdlib>
#include <ctime>

#if defined(_WIN32)
#include <stdlib.h>
#include <time.h>
#else
#include <sys/stat.h>
#endif

namespace testplatform {

void setEnvironment(const std::string& name, const std::string& value) {
#if defined(_WIN32)
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

void unsetEnvironment(const std::string& name) {
#if defined(_WIN32)
    _putenv_s(name.c_str(), "");
#else
    unsetenv(name.c_str());
#endif
}

void reloadTimeZone() {
#if defined(_WIN32)
    _tzset();
#else
    tzset();
#endif
}

bool makeFifo(const std::filesystem::path& path) {
#if defined(_WIN32)
    (void)path;
    return false;
#else
    return mkfifo(path.c_str(), 0600) == 0;
#endif
}

}  // namespace testplatform
