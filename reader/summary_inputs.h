#pragma once

#include <string>
#include <vector>

#include "reader/summary.h"

// What `summary` reads: results files and folders. A folder stands for every results file
// under it (at any depth) and its name is their label, so DIR/jemalloc is labelled "jemalloc";
// a file given by itself takes the name of the folder it is in. Beside each results file, the
// files "peak-rss.rank-<r>.txt" (kibibytes, as scripts/with_allocator.sh records them) give
// its ranks' peak resident memory.

// The results files of one path, with their label; throws ResultsFormatError for a path that
// cannot be read or a folder that holds no results file.
struct LabelledFiles {
    std::string label;
    std::vector<std::string> files;
};
LabelledFiles findResultsFiles(const std::string& path);

// Reads one results file and the peak memory recorded beside it.
LabelledRun readLabelledRun(const std::string& label, const std::string& file);
