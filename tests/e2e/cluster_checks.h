#pragma once

#include <string>
#include <vector>

#include "e2e_support.h"

namespace e2e {

// Runs a job of several processes and checks it whole: exit status 0, both streams line by
// line against the layout (with each worker's processor name), the arithmetic between the
// printed figures, the same figures on console and in the file, and the results file alone in
// the start folder, named after rank 0's processor.
void runAndCheckClusterJob(const JobOptions& options, const fs::path& workDir,
                           const fs::path& outputDir, const std::string& rootName,
                           const std::vector<std::string>& workerNames);

}  // namespace e2e
