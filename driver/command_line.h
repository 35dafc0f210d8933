#pragma once

#include <string>

// The benchmark reads no options: its arguments go to MPI_Init. Only --help (-h) and --version
// are answered, at once and before any MPI set-up, so that they work without a launcher, start
// no workload and write no file. Any other argument is passed over as always.
enum class CommandLineRequest { RunBenchmark, ShowHelp, ShowVersion };

CommandLineRequest commandLineRequest(int argc, const char* const* argv);

// The texts printed for --help and --version, each ending with a line end.
std::string helpText();
std::string versionText();
