// libFuzzer target: every input goes through the whole reader (tests/fuzz/reader_input_check.h);
// a wrong outcome is a finding, as are crashes, sanitizer reports, hangs and memory blow-ups.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reader_input_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = checkReaderInput(std::string(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "finding: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
