#include "reader/exports.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace {

const char* const kColumns[] = {"file",          "date",          "time",
                                "workload",      "rank",          "processor",
                                "spent_seconds", "millions_per_second", "megabytes_per_second"};

// RFC 4180: a field with a comma, a quote or a line end is quoted, its quotes doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char character : text) {
        if (character == '"') quoted += '"';
        quoted += character;
    }
    return quoted + "\"";
}

nlohmann::ordered_json number(double value) {
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

}  // namespace

void writeCsv(std::ostream& out, const std::vector<ResultsRun>& runs) {
    bool first = true;
    for (const char* column : kColumns) {
        out << (first ? "" : ",") << column;
        first = false;
    }
    out << '\n';
    for (const ResultsRun& run : runs) {
        for (const ResultRow& row : run.rows) {
            out << csvField(run.file) << ',' << run.date << ',' << run.time << ',' << row.workload
                << ',' << row.rank << ',' << csvField(row.processor) << ','
                << row.spentSecondsText << ',' << row.millionsPerSecondText << ','
                << row.megabytesPerSecondText << '\n';
        }
    }
}

void writeJson(std::ostream& out, const std::vector<ResultsRun>& runs) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const ResultsRun& run : runs) {
        for (const ResultRow& row : run.rows) {
            rows.push_back({
                {"file", run.file},
                {"date", run.date},
                {"time", run.time},
                {"workload", row.workload},
                {"rank", row.rank},
                {"processor", row.processor},
                {"spent_seconds", number(row.spentSeconds)},
                {"millions_per_second", number(row.millionsPerSecond)},
                {"megabytes_per_second",
                 row.megabytesPerSecond ? number(*row.megabytesPerSecond) : nlohmann::ordered_json(nullptr)},
            });
        }
    }
    // Processor names are bytes from the host; anything that is not UTF-8 is replaced.
    out << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
