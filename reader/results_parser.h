#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

#include "reader/results_data.h"

// Limits far above anything the benchmark writes: a results file of 4096 processes is about
// 1.6 MB and its longest line holds a processor name (at most 256 bytes) and a few labels.
// Anything larger is not a results file, and reading it would only cost memory and time.
constexpr std::uint64_t kLargestResultsFile = std::uint64_t{256} << 20;  // 256 MiB
constexpr std::size_t kLongestResultsLine = 4096;

// Thrown for a results file that does not follow the layout the benchmark writes, or that
// cannot be read.
struct ResultsFormatError {
    ResultsFormatError(const std::string& file, int line, const std::string& problem);
    std::string file;
    int line;             // 1-based; 0 when the problem is the file as a whole
    std::string message;  // "FILE:LINE: problem" (lines quoted in part only)
    const char* what() const { return message.c_str(); }
};

// Reads one results file (LF or CR LF line ends) line by line, checking every line against the
// benchmark's layout as it comes. `file` names it in errors and in the result; its last path
// component is read for rank 0's processor name and the run's date and time.
ResultsRun parseResults(const std::string& file, std::istream& in);
ResultsRun parseResults(const std::string& file, const std::string& text);

// Reads and parses a regular file from disk, of at most kLargestResultsFile bytes.
ResultsRun readResultsFile(const std::string& file);
