#pragma once

#include <string>

#include "reader/results_data.h"

// Thrown for a results file that does not follow the layout the benchmark writes.
struct ResultsFormatError {
    ResultsFormatError(const std::string& file, int line, const std::string& problem);
    std::string file;
    int line;             // 1-based; 0 when the problem is the file as a whole
    std::string message;  // "FILE:LINE: problem"
    const char* what() const { return message.c_str(); }
};

// Reads the text of one results file (LF or CR LF line ends), checking every line against the
// benchmark's layout. `file` names it in errors and in the result; its last path component is
// read for rank 0's processor name and the run's date and time.
ResultsRun parseResults(const std::string& file, const std::string& text);

// Reads and parses a file from disk.
ResultsRun readResultsFile(const std::string& file);
