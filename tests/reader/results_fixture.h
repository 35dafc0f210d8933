#pragma once

// Results files made with the benchmark's own report writers, for figures chosen by the test.

#include <string>
#include <vector>

struct FixtureProcess {
    std::string name;
    double spentSeconds[3];  // per workload, in run order
};

// The text of the results file of a job whose rank 0 and workers took these times.
std::string resultsText(const FixtureProcess& root, const std::vector<FixtureProcess>& workers);

// "results_memory_windows_clusters @ <root> @ local date 2024.03.07 time 09.05.02.txt"
std::string resultsFileName(const std::string& root);
