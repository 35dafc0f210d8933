#include "reader/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "reader/statistics.h"
#include "report/number_form.h"
#include "workloads/workload_facts.h"

namespace {

std::string xmlText(const std::string& text) {
    std::string escaped;
    for (char character : text) {
        switch (character) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default:
                // Control characters are not allowed in XML 1.0 text.
                if (static_cast<unsigned char>(character) >= 0x20 || character == '\t') escaped += character;
        }
    }
    return escaped;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// A round step for about five grid lines up to top.
double gridStep(double top) {
    const double rough = top / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (factor * magnitude >= rough) return factor * magnitude;
    }
    return 10 * magnitude;
}

// A label short enough to stand under a narrow bar; the full text is in the bar's tooltip.
std::string shortLabel(const std::string& label, std::size_t longest) {
    if (label.size() <= longest) return label;
    return label.substr(0, longest - 3) + "...";
}

struct Layout {
    double left = 80, right = 30, top = 90;
    double plotWidth = 0;
    double slot = 0;         // width of one process's bar and gap
    double barWidth = 0;
    double plotHeight = 200;
    double labelHeight = 0;  // room under each panel for the labels
    double panelGap = 50;
    double width = 0;
    bool rotated = false;    // labels turned when the bars are too narrow for them
    std::size_t labelLength = 0;
};

constexpr double kCharacterWidth = 6.5;  // of an 11-pixel label, roughly

Layout layoutFor(int processes) {
    Layout layout;
    layout.plotWidth = std::max(680.0, processes * 16.0);
    layout.slot = layout.plotWidth / processes;
    layout.barWidth = std::min(layout.slot * 0.7, 70.0);
    layout.rotated = layout.slot < 90;
    layout.labelLength = layout.rotated ? 28 : static_cast<std::size_t>(layout.slot / kCharacterWidth);
    layout.labelHeight = layout.rotated ? 24 + kCharacterWidth * layout.labelLength * 0.87 : 30;
    layout.width = layout.left + layout.plotWidth + layout.right;
    return layout;
}

void legendEntry(std::ostream& out, double x, double y, const char* colour, const std::string& text,
                 bool dashed = false) {
    if (dashed) {
        out << "<line x1=\"" << x << "\" y1=\"" << y - 4 << "\" x2=\"" << x + 14 << "\" y2=\"" << y - 4
            << "\" stroke=\"" << colour << "\" stroke-width=\"1.5\" stroke-dasharray=\"4 3\"/>";
    } else {
        out << "<rect x=\"" << x << "\" y=\"" << y - 10 << "\" width=\"12\" height=\"12\" fill=\""
            << colour << "\"/>";
    }
    out << "<text x=\"" << x + 18 << "\" y=\"" << y << "\" fill=\"#333\">" << text << "</text>\n";
}

}  // namespace

std::vector<bool> farBelowOthers(const std::vector<double>& values) {
    std::vector<bool> flagged(values.size(), false);
    if (values.size() < 3) return flagged;
    const double middle = median(values);
    std::vector<double> deviations;
    for (double value : values) deviations.push_back(std::fabs(value - middle));
    const double spread = 1.4826 * median(deviations);
    if (!std::isfinite(middle) || !std::isfinite(spread)) return flagged;
    for (std::size_t index = 0; index < values.size(); ++index) {
        flagged[index] = values[index] < middle - 3 * spread;
    }
    return flagged;
}

void writeChartSvg(std::ostream& out, const ResultsRun& run) {
    const int processes = std::max(run.processes, 1);
    const Layout layout = layoutFor(processes);
    const double panelHeight = 20 + layout.plotHeight + layout.labelHeight + layout.panelGap;
    const double height = layout.top + kWorkloadCount * panelHeight;

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(layout.width)
        << "\" height=\"" << number(height) << "\" viewBox=\"0 0 " << number(layout.width) << ' '
        << number(height) << "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out << "<text x=\"" << number(layout.left) << "\" y=\"28\" font-size=\"18\" font-weight=\"bold\">"
        << xmlText("cluster-membench run of " + run.date + " " + run.time +
                   (run.processor.empty() ? "" : " on " + run.processor) + ", " +
                   std::to_string(run.processes) + " process" + (run.processes == 1 ? "" : "es"))
        << "</text>\n";
    legendEntry(out, layout.left, 54, "#e08a1e", "rank 0 alone: the single-process baseline");
    legendEntry(out, layout.left + 300, 54, "#e08a1e", "baseline level", true);
    legendEntry(out, layout.left, 72, "#3a6fb0", "worker");
    legendEntry(out, layout.left + 100, 72, "#d62728",
                "worker far below the others (over 3 scaled MADs under the workers' median)");

    for (int workload = 0; workload < kWorkloadCount; ++workload) {
        const WorkloadFacts& facts = kWorkloads[workload];
        std::vector<const ResultRow*> rows;
        for (const ResultRow& row : run.rows) {
            if (row.workload == facts.name) rows.push_back(&row);
        }
        const double panelTop = layout.top + workload * panelHeight;
        const double baseY = panelTop + 20 + layout.plotHeight;

        double highest = 0;
        std::vector<double> workerValues;
        for (const ResultRow* row : rows) {
            if (std::isfinite(row->millionsPerSecond)) highest = std::max(highest, row->millionsPerSecond);
            if (row->rank > 0) workerValues.push_back(row->millionsPerSecond);
        }
        if (highest <= 0) highest = 1;
        const double step = gridStep(highest * 1.05);
        const double topValue = std::ceil(highest * 1.05 / step) * step;
        auto yOf = [&](double value) {
            const double shown = std::isfinite(value) ? std::max(value, 0.0) : topValue;
            return baseY - layout.plotHeight * std::min(shown, topValue) / topValue;
        };
        const std::vector<bool> flagged = farBelowOthers(workerValues);

        out << "<g class=\"panel\" data-workload=\"" << facts.name << "\">\n";
        out << "<text x=\"" << number(layout.left) << "\" y=\"" << number(panelTop + 8)
            << "\" font-size=\"14\" font-weight=\"bold\">" << facts.chartTitle << "</text>\n";
        for (double tick = 0; tick <= topValue * 1.0001; tick += step) {
            const double y = yOf(tick);
            out << "<line x1=\"" << number(layout.left) << "\" y1=\"" << number(y) << "\" x2=\""
                << number(layout.left + layout.plotWidth) << "\" y2=\"" << number(y)
                << "\" stroke=\"#ddd\"/>\n"
                << "<text x=\"" << number(layout.left - 6) << "\" y=\"" << number(y + 4)
                << "\" text-anchor=\"end\" fill=\"#444\">" << generalNumber(tick) << "</text>\n";
        }

        std::size_t workerIndex = 0;
        for (std::size_t index = 0; index < rows.size(); ++index) {
            const ResultRow& row = *rows[index];
            const bool baseline = row.rank == 0;
            const bool low = !baseline && flagged[workerIndex++];
            const double barWidth = layout.barWidth;
            const double x = layout.left + layout.slot * (static_cast<double>(index) + 0.5) - barWidth / 2;
            const double y = yOf(row.millionsPerSecond);
            const std::string label = std::to_string(row.rank) + ": " + row.processor;
            const char* colour = baseline ? "#e08a1e" : low ? "#d62728" : "#3a6fb0";
            out << "<g class=\"" << (baseline ? "baseline" : low ? "worker far-below" : "worker")
                << "\" data-rank=\"" << row.rank << "\">"
                << "<title>" << xmlText(label + ": " + row.millionsPerSecondText + " million/s, " +
                                        row.spentSecondsText + " s" +
                                        (low ? " (far below the other workers)" : ""))
                << "</title>"
                << "<rect x=\"" << number(x) << "\" y=\"" << number(y) << "\" width=\"" << number(barWidth)
                << "\" height=\"" << number(baseY - y) << "\" fill=\"" << colour << "\"/>";
            const double labelX = x + barWidth / 2;
            if (layout.rotated) {
                out << "<text x=\"" << number(labelX) << "\" y=\"" << number(baseY + 12)
                    << "\" text-anchor=\"end\" font-size=\"11\" transform=\"rotate(-60 " << number(labelX)
                    << ' ' << number(baseY + 12) << ")\">";
            } else {
                out << "<text x=\"" << number(labelX) << "\" y=\"" << number(baseY + 16)
                    << "\" text-anchor=\"middle\">";
            }
            out << xmlText(shortLabel(label, layout.labelLength)) << "</text>";
            if (processes <= 16) {
                out << "<text x=\"" << number(labelX) << "\" y=\"" << number(y - 4)
                    << "\" text-anchor=\"middle\" font-size=\"10\" fill=\"#222\">"
                    << xmlText(row.millionsPerSecondText) << "</text>";
            }
            out << "</g>\n";
            if (baseline) {
                out << "<line class=\"baseline-level\" x1=\"" << number(layout.left) << "\" y1=\""
                    << number(y) << "\" x2=\"" << number(layout.left + layout.plotWidth) << "\" y2=\""
                    << number(y) << "\" stroke=\"#e08a1e\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n";
            }
        }
        out << "<line x1=\"" << number(layout.left) << "\" y1=\"" << number(baseY) << "\" x2=\""
            << number(layout.left + layout.plotWidth) << "\" y2=\"" << number(baseY)
            << "\" stroke=\"#222\"/>\n";
        out << "</g>\n";
    }
    out << "</svg>\n";
}
