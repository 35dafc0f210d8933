#pragma once

#include <ctime>
#include <fstream>
#include <string>

// The results file: created by the root process in its current folder, named from its
// processor name and the local time, written line by line while the run goes on.
struct ResultsFile {
    std::ofstream stream;  // unattached until opened; failed if the file could not be created
    std::string fileName;
    // Error number of the first thing that went wrong with the file (its creation, a write, a
    // flush or its closing); 0 while every line has reached it. Set by closeResultsFile.
    int error = 0;
};

// "results_memory_windows_clusters @ <processor name> @ local date YYYY.MM.DD time HH.MM.SS.txt"
std::string composeResultsFileName(const std::string& processorName, std::time_t now);

// Names and creates (or truncates) the file. A file that cannot be created leaves the stream
// failed: its lines are dropped while the console report goes on, and `error` says why.
void openResultsFile(ResultsFile& results, const std::string& processorName, std::time_t now);

// Flushes and closes the file. Afterwards `error` is 0 only if the file was created and every
// line written to it, and its closing, succeeded.
void closeResultsFile(ResultsFile& results);
