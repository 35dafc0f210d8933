#include "report/results_file.h"

#include "report/local_time.h"
#include "report/report_text.h"

constexpr std::size_t kTimestampCapacity = 1024;

std::string composeResultsFileName(const std::string& processorName, std::time_t now) {
    const std::tm local = toLocalTime(now);
    char timestamp[kTimestampCapacity];
    if (std::strftime(timestamp, sizeof timestamp, kTimestampFormat, &local) == 0) {
        timestamp[0] = '\0';
    }
    return std::string(kResultsFilePrefix) + processorName + kResultsFileSeparator + timestamp;
}

void openResultsFile(ResultsFile& results, const std::string& processorName, std::time_t now) {
    results.fileName = composeResultsFileName(processorName, now);
    results.stream.open(results.fileName, std::ios::out | std::ios::trunc);
}

void closeResultsFile(ResultsFile& results) {
    if (!results.stream.is_open()) {
        results.stream.setstate(std::ios::failbit);
        return;
    }
    results.stream.close();
}
