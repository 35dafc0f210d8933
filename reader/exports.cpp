#include "reader/exports.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "report/number_form.h"

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

const char* const kSummaryColumns[] = {
    "label", "workload", "processor", "role", "runs", "samples", "median_millions_per_second",
    "min_millions_per_second", "max_millions_per_second", "spread", "slow", "peak_resident_mib"};

// Processor names and labels are bytes from hosts and folders; anything that is not UTF-8 is
// replaced rather than refused.
void dumpJson(std::ostream& out, const nlohmann::ordered_json& value) {
    out << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

template <std::size_t count>
void writeCsvHeader(std::ostream& out, const char* const (&columns)[count]) {
    for (std::size_t index = 0; index < count; ++index) out << (index == 0 ? "" : ",") << columns[index];
    out << '\n';
}

}  // namespace

void writeCsv(std::ostream& out, const std::vector<ResultsRun>& runs) {
    writeCsvHeader(out, kColumns);
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
    dumpJson(out, rows);
}

void writeSummaryCsv(std::ostream& out, const std::vector<SummaryRow>& rows) {
    writeCsvHeader(out, kSummaryColumns);
    for (const SummaryRow& row : rows) {
        out << csvField(row.label) << ',' << row.workload << ',' << csvField(row.processor) << ','
            << row.role << ',' << row.runs << ',' << row.samples << ','
            << generalNumber(row.medianMillionsPerSecond) << ',' << generalNumber(row.minMillionsPerSecond)
            << ',' << generalNumber(row.maxMillionsPerSecond) << ',' << generalNumber(row.spread) << ','
            << (row.slow ? "true" : "false") << ','
            << (row.peakResidentMib ? generalNumber(*row.peakResidentMib) : "") << '\n';
    }
}

void writeSummaryJson(std::ostream& out, const std::vector<SummaryRow>& rows) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const SummaryRow& row : rows) {
        array.push_back({
            {"label", row.label},
            {"workload", row.workload},
            {"processor", row.processor},
            {"role", row.role},
            {"runs", row.runs},
            {"samples", row.samples},
            {"median_millions_per_second", number(row.medianMillionsPerSecond)},
            {"min_millions_per_second", number(row.minMillionsPerSecond)},
            {"max_millions_per_second", number(row.maxMillionsPerSecond)},
            {"spread", number(row.spread)},
            {"slow", row.slow},
            {"peak_resident_mib",
             row.peakResidentMib ? number(*row.peakResidentMib) : nlohmann::ordered_json(nullptr)},
        });
    }
    dumpJson(out, array);
}
