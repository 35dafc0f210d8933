#include "report/results_file.h"

#include <cerrno>

#include "report/local_time.h"
#include "report/report_channel.h"
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
    errno = 0;
    results.stream.open(results.fileName, std::ios::out | std::ios::trunc);
    if (!results.stream.is_open()) results.error = errno != 0 ? errno : EIO;
}

void closeResultsFile(ResultsFile& results) {
    if (!results.stream.is_open()) {
        results.stream.setstate(std::ios::failbit);
        if (results.error == 0) results.error = EBADF;
        return;
    }
    if (results.error == 0) results.error = static_cast<int>(firstWriteError(results.stream));
    const bool wasGood = results.stream.good();
    errno = 0;
    results.stream.close();
    if (results.error == 0 && (!wasGood || results.stream.fail())) {
        results.error = errno != 0 ? errno : EIO;
    }
}
