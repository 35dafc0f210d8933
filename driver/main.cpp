#include <cstdio>

#include "driver/command_line.h"
#include "driver/run_driver.h"

int main(int argc, char** argv) {
    switch (commandLineRequest(argc, argv)) {
        case CommandLineRequest::ShowHelp: std::fputs(helpText().c_str(), stdout); return 0;
        case CommandLineRequest::ShowVersion: std::fputs(versionText().c_str(), stdout); return 0;
        case CommandLineRequest::RunBenchmark: break;
    }
    return runBenchmark(argc, argv);
}
