#include "reader/summary_inputs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "reader/results_parser.h"
#include "report/report_text.h"

namespace fs = std::filesystem;

namespace {

// The name of a folder as a user calls it, also for "." or "runs/".
std::string folderName(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(folder, error), error);
    const fs::path name = absolute.filename();
    return name.empty() ? absolute.string() : name.string();
}

bool isResultsFileName(const fs::path& file) {
    return file.filename().string().rfind(kResultsFilePrefix, 0) == 0;
}

}  // namespace

LabelledFiles findResultsFiles(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) throw ResultsFormatError(path, 0, "cannot be read: " + error.message());
    LabelledFiles found;
    if (!fs::is_directory(status)) {
        found.label = folderName(fs::path(path).parent_path().empty() ? fs::path(".") : fs::path(path).parent_path());
        found.files.push_back(path);
        return found;
    }
    found.label = folderName(path);
    fs::recursive_directory_iterator entry(path, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        if (isResultsFileName(entry->path()) && !entry->is_directory()) found.files.push_back(entry->path().string());
    }
    if (error) throw ResultsFormatError(path, 0, "cannot be read: " + error.message());
    if (found.files.empty()) throw ResultsFormatError(path, 0, "no results file of cluster-membench in this folder");
    std::sort(found.files.begin(), found.files.end());
    return found;
}

LabelledRun readLabelledRun(const std::string& label, const std::string& file) {
    LabelledRun labelled{label, readResultsFile(file), {}};
    const fs::path folder = fs::path(file).parent_path().empty() ? fs::path(".") : fs::path(file).parent_path();
    const std::string prefix = "peak-rss.rank-";
    const std::string suffix = ".txt";
    std::error_code error;
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string rankText = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (rankText.size() > 9 || rankText.find_first_not_of("0123456789") != std::string::npos) continue;
        const int rank = std::atoi(rankText.c_str());
        if (rank >= labelled.run.processes || !entry->is_regular_file()) continue;
        std::ifstream in(entry->path());
        double kib = 0;
        if (in >> kib && kib >= 0 && kib < 1e15) labelled.peakResidentKib[rank] = kib;
    }
    return labelled;
}
