#include "reader/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <sstream>

#include "reader/statistics.h"
#include "reader/utf8_text.h"
#include "report/number_form.h"
#include "workloads/workload_facts.h"

namespace {

constexpr double kWidth = 1000;
constexpr double kLeft = 72;
constexpr double kRight = 24;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = 220;
constexpr double kPanelGap = 34;
// Rough advance of one character, as a share of the font size (DejaVu Sans, mixed text).
constexpr double kCharacterShare = 0.62;
// Host names longer than this are shortened under the axis (whole in the tooltips).
constexpr std::size_t kLongestHostLabel = 24;
// Below this width per host, only slow hosts are named under the axis.
constexpr double kNarrowestNamedSlot = 11;
constexpr std::size_t kMostNamedSlowHosts = 40;

const char* const kLabelColours[] = {"#3a6fb0", "#2ca02c", "#9467bd", "#8c564b",
                                     "#17becf", "#bcbd22", "#e377c2", "#7f7f7f"};
constexpr const char* kBaselineColour = "#e08a1e";
constexpr const char* kSlowColour = "#d62728";

// A coordinate or length: one decimal, and never anything but a finite number.
std::string coordinate(double value) {
    if (!std::isfinite(value)) value = 0;
    value = std::max(-1e7, std::min(value, 1e7));
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

const char* labelColour(std::size_t label) {
    return kLabelColours[label % (sizeof kLabelColours / sizeof kLabelColours[0])];
}

// How many characters of a font size fit in a width.
std::size_t charactersIn(double width, double fontSize) {
    return static_cast<std::size_t>(std::max(4.0, width / (fontSize * kCharacterShare)));
}

// One place on the x axis: rank 0's baseline, or a worker host; per label its summary row.
struct Place {
    std::string host;
    bool baseline = false;
    std::vector<const SummaryRow*> byLabel;  // nullptr where a label has no figures here
    double orderKey = 0;
    std::size_t firstSeen = 0;
    bool slow = false;
};

struct Panel {
    const WorkloadFacts* facts = nullptr;
    std::vector<Place> places;  // baseline first (if any), then hosts fastest first
    double highest = 0;
    std::size_t namedHosts = 0;  // hosts whose names stand under the axis
    bool nameEveryHost = true;
    double labelHeight = 0;
};

double finiteOr(double value, double otherwise) { return std::isfinite(value) ? value : otherwise; }

Panel panelFor(const WorkloadFacts& facts, const std::vector<SummaryRow>& rows,
               const std::vector<std::string>& labels) {
    Panel panel;
    panel.facts = &facts;
    Place baseline;
    baseline.baseline = true;
    baseline.byLabel.assign(labels.size(), nullptr);
    std::map<std::string, std::size_t> hostIndex;
    std::vector<Place> hosts;
    for (const SummaryRow& row : rows) {
        if (row.workload != facts.name) continue;
        const std::size_t label =
            static_cast<std::size_t>(std::find(labels.begin(), labels.end(), row.label) - labels.begin());
        for (double figure : {row.medianMillionsPerSecond, row.maxMillionsPerSecond}) {
            if (std::isfinite(figure)) panel.highest = std::max(panel.highest, figure);
        }
        if (row.role == "baseline") {
            // Rank 0 may have stood on other hosts in other runs: the first row of a label shows.
            if (baseline.byLabel[label] == nullptr) baseline.byLabel[label] = &row;
            if (baseline.host.empty()) baseline.host = row.processor;
            continue;
        }
        auto found = hostIndex.find(row.processor);
        if (found == hostIndex.end()) {
            found = hostIndex.emplace(row.processor, hosts.size()).first;
            Place place;
            place.host = row.processor;
            place.byLabel.assign(labels.size(), nullptr);
            place.firstSeen = hosts.size();
            hosts.push_back(place);
        }
        Place& place = hosts[found->second];
        place.byLabel[label] = &row;
        place.slow = place.slow || row.slow;
    }
    // Fastest first by the first label that has the host, so slow hosts gather at the end.
    for (Place& place : hosts) {
        place.orderKey = -std::numeric_limits<double>::infinity();
        for (const SummaryRow* row : place.byLabel) {
            if (row != nullptr) {
                place.orderKey = finiteOr(row->medianMillionsPerSecond, std::numeric_limits<double>::max());
                break;
            }
        }
    }
    std::stable_sort(hosts.begin(), hosts.end(),
                     [](const Place& a, const Place& b) { return a.orderKey > b.orderKey; });
    const bool anyBaseline =
        std::any_of(baseline.byLabel.begin(), baseline.byLabel.end(), [](const SummaryRow* row) { return row; });
    if (anyBaseline) panel.places.push_back(baseline);
    panel.places.insert(panel.places.end(), hosts.begin(), hosts.end());

    const double slot = kPlotWidth / std::max<std::size_t>(panel.places.size(), 1);
    panel.nameEveryHost = slot >= kNarrowestNamedSlot;
    std::size_t longest = 0;
    for (const Place& place : panel.places) {
        if (!panel.nameEveryHost && !place.slow) continue;
        if (!panel.nameEveryHost && panel.namedHosts >= kMostNamedSlowHosts) break;
        ++panel.namedHosts;
        const std::string text = place.baseline ? "rank 0: " + place.host : place.host;
        longest = std::max(longest, std::min(characterCount(validUtf8(text)), kLongestHostLabel));
    }
    // Names turned 60 degrees: 11-pixel characters take about 0.87 of their advance downwards.
    panel.labelHeight = 22 + 11 * kCharacterShare * 0.87 * static_cast<double>(longest);
    return panel;
}

void legendEntry(std::ostream& out, double& x, double& y, const std::string& colour, const std::string& text,
                 const char* shape) {
    const double width = 26 + static_cast<double>(characterCount(validUtf8(text))) * 12 * kCharacterShare;
    if (x + width > kWidth - kRight && x > kLeft) {
        x = kLeft;
        y += 18;
    }
    if (std::string(shape) == "dash") {
        out << "<line x1=\"" << coordinate(x) << "\" y1=\"" << coordinate(y - 4) << "\" x2=\""
            << coordinate(x + 16) << "\" y2=\"" << coordinate(y - 4) << "\" stroke=\"" << colour
            << "\" stroke-width=\"2\" stroke-dasharray=\"5 3\"/>";
    } else if (std::string(shape) == "ring") {
        out << "<circle cx=\"" << coordinate(x + 7) << "\" cy=\"" << coordinate(y - 4)
            << "\" r=\"6\" fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\"/>";
    } else {
        out << "<line x1=\"" << coordinate(x + 7) << "\" y1=\"" << coordinate(y - 11) << "\" x2=\""
            << coordinate(x + 7) << "\" y2=\"" << coordinate(y + 3) << "\" stroke=\"" << colour
            << "\" stroke-width=\"2\"/><circle cx=\"" << coordinate(x + 7) << "\" cy=\""
            << coordinate(y - 4) << "\" r=\"4\" fill=\"" << colour << "\"/>";
    }
    out << "<text x=\"" << coordinate(x + 20) << "\" y=\"" << coordinate(y) << "\" fill=\"#333\">"
        << xmlText(text) << "</text>\n";
    x += width;
}

// Three significant digits, for the short comparison of labels.
std::string shortFigure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// "Medians: jemalloc 166 (fastest) · glibc 83.1 (0.50x)": each label's median over the worker
// hosts (or of the baseline where there are no workers), against the fastest label.
std::string comparison(const Panel& panel, const std::vector<std::string>& labels) {
    std::vector<double> medians(labels.size(), std::numeric_limits<double>::quiet_NaN());
    bool workers = false;
    for (const Place& place : panel.places) workers = workers || !place.baseline;
    for (std::size_t label = 0; label < labels.size(); ++label) {
        std::vector<double> values;
        for (const Place& place : panel.places) {
            if (place.baseline == workers || place.byLabel[label] == nullptr) continue;
            values.push_back(place.byLabel[label]->medianMillionsPerSecond);
        }
        if (!values.empty()) medians[label] = median(values);
    }
    double fastest = 0;
    for (double value : medians) {
        if (std::isfinite(value)) fastest = std::max(fastest, value);
    }
    std::string text = workers ? "Medians: " : "Rank 0 alone: ";
    bool first = true;
    for (std::size_t label = 0; label < labels.size(); ++label) {
        if (std::isnan(medians[label])) continue;
        if (!first) text += " \xC2\xB7 ";  // a middle dot
        first = false;
        text += (labels.size() > 1 ? labels[label] + " " : "") + shortFigure(medians[label]);
        if (labels.size() > 1 && fastest > 0 && std::isfinite(medians[label])) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, " (%.2fx)", medians[label] / fastest);
            text += medians[label] >= fastest ? std::string(" (fastest)") : std::string(ratio);
        }
    }
    return text;
}

std::string tooltip(const Place& place, const std::string& label, const SummaryRow& row) {
    std::string text = (place.baseline ? "rank 0 alone on " : "") + row.processor +
                       (label.empty() ? "" : " \xC2\xB7 " + label) + ": median " +
                       generalNumber(row.medianMillionsPerSecond) + " million/s (min " +
                       generalNumber(row.minMillionsPerSecond) + ", max " + generalNumber(row.maxMillionsPerSecond) +
                       "), spread " + generalNumber(row.spread) + ", " + std::to_string(row.runs) + " run" +
                       (row.runs == 1 ? "" : "s") + ", " + std::to_string(row.samples) + " figure" +
                       (row.samples == 1 ? "" : "s");
    if (row.peakResidentMib) text += ", peak resident " + generalNumber(*row.peakResidentMib) + " MiB";
    if (row.slow) text += "; slow: more than 10 % and 3 scaled MADs below the hosts' median";
    return text;
}

void writePanel(std::ostream& out, const Panel& panel, const std::vector<std::string>& labels, double top) {
    const ChartAxis axis = chartAxisFor(panel.highest);
    const double plotTop = top + 42;
    const double baseY = plotTop + kPlotHeight;
    const auto yOf = [&](double value) {
        const double shown = std::isfinite(value) ? std::max(0.0, std::min(value, axis.top)) : (value > 0 ? axis.top : 0);
        return baseY - kPlotHeight * (shown / axis.top);
    };

    out << "<g class=\"panel\" data-workload=\"" << panel.facts->name << "\">\n";
    out << "<text x=\"" << coordinate(kLeft) << "\" y=\"" << coordinate(top + 14)
        << "\" font-size=\"14\" font-weight=\"bold\">" << xmlText(panel.facts->chartTitle) << "</text>\n";
    std::size_t hosts = 0;
    for (const Place& place : panel.places) hosts += place.baseline ? 0 : 1;
    const std::string note = std::to_string(hosts) + " host" + (hosts == 1 ? "" : "s") +
                             (hosts > 1 ? ", fastest first" : "") + ". " + comparison(panel, labels);
    out << "<text class=\"comparison\" x=\"" << coordinate(kLeft) << "\" y=\"" << coordinate(top + 31)
        << "\" font-size=\"11\" fill=\"#444\">" << xmlText(shortenText(note, charactersIn(kPlotWidth, 11)))
        << "<title>" << xmlText(note) << "</title></text>\n";

    for (int step = 0; step <= axis.steps; ++step) {
        const double value = axis.step * step;
        const double y = yOf(value);
        out << "<line x1=\"" << coordinate(kLeft) << "\" y1=\"" << coordinate(y) << "\" x2=\""
            << coordinate(kLeft + kPlotWidth) << "\" y2=\"" << coordinate(y) << "\" stroke=\"#ddd\"/>"
            << "<text x=\"" << coordinate(kLeft - 6) << "\" y=\"" << coordinate(y + 4)
            << "\" text-anchor=\"end\" fill=\"#444\">" << xmlText(generalNumber(value)) << "</text>\n";
    }

    const double slot = kPlotWidth / std::max<std::size_t>(panel.places.size(), 1);
    const double sub = slot / static_cast<double>(std::max<std::size_t>(labels.size(), 1));
    const double radius = std::max(1.5, std::min(5.0, sub * 0.35));
    const double stroke = std::max(0.8, std::min(3.0, sub * 0.3));
    std::size_t named = 0;
    for (std::size_t index = 0; index < panel.places.size(); ++index) {
        const Place& place = panel.places[index];
        const double slotLeft = kLeft + slot * static_cast<double>(index);
        out << "<g class=\"" << (place.baseline ? "baseline" : place.slow ? "host slow" : "host")
            << "\" data-host=\"" << xmlText(place.host) << "\">";
        for (std::size_t label = 0; label < labels.size(); ++label) {
            const SummaryRow* row = place.byLabel[label];
            if (row == nullptr) continue;
            const double x = slotLeft + sub * (static_cast<double>(label) + 0.5);
            const std::string colour = place.baseline && labels.size() == 1 ? kBaselineColour : labelColour(label);
            out << "<g data-label=\"" << xmlText(row->label) << "\"><title>"
                << xmlText(tooltip(place, labels.size() > 1 ? row->label : "", *row)) << "</title>"
                << "<line x1=\"" << coordinate(x) << "\" y1=\"" << coordinate(yOf(row->minMillionsPerSecond))
                << "\" x2=\"" << coordinate(x) << "\" y2=\"" << coordinate(yOf(row->maxMillionsPerSecond))
                << "\" stroke=\"" << colour << "\" stroke-width=\"" << coordinate(stroke) << "\"/>"
                << "<circle cx=\"" << coordinate(x) << "\" cy=\"" << coordinate(yOf(row->medianMillionsPerSecond))
                << "\" r=\"" << coordinate(radius) << "\" fill=\"" << colour << "\"/>";
            if (row->slow) {
                out << "<circle cx=\"" << coordinate(x) << "\" cy=\""
                    << coordinate(yOf(row->medianMillionsPerSecond)) << "\" r=\"" << coordinate(radius + 3)
                    << "\" fill=\"none\" stroke=\"" << kSlowColour << "\" stroke-width=\"2\"/>";
            }
            out << "</g>";
        }
        const bool nameIt = panel.nameEveryHost || (place.slow && named < kMostNamedSlowHosts);
        if (nameIt) {
            ++named;
            const double x = slotLeft + slot / 2;
            const std::string text = place.baseline ? "rank 0: " + place.host : place.host;
            // Turned 60 degrees, a name reaches half its length to the left: no further than the
            // picture's edge.
            const auto roomLeft = static_cast<std::size_t>(std::max(4.0, (x - 4) / (11 * kCharacterShare * 0.5)));
            out << "<text x=\"" << coordinate(x) << "\" y=\"" << coordinate(baseY + 12)
                << "\" text-anchor=\"end\" font-size=\"11\" fill=\"" << (place.slow ? kSlowColour : "#222")
                << "\" transform=\"rotate(-60 " << coordinate(x) << ' ' << coordinate(baseY + 12) << ")\">"
                << xmlText(shortenText(text, std::min(kLongestHostLabel, roomLeft))) << "</text>";
        }
        out << "</g>\n";
        if (place.baseline) {
            for (std::size_t label = 0; label < labels.size(); ++label) {
                const SummaryRow* row = place.byLabel[label];
                if (row == nullptr) continue;
                const std::string colour = labels.size() == 1 ? kBaselineColour : labelColour(label);
                const double y = yOf(row->medianMillionsPerSecond);
                out << "<line class=\"baseline-level\" x1=\"" << coordinate(kLeft) << "\" y1=\"" << coordinate(y)
                    << "\" x2=\"" << coordinate(kLeft + kPlotWidth) << "\" y2=\"" << coordinate(y)
                    << "\" stroke=\"" << colour << "\" stroke-width=\"1.2\" stroke-dasharray=\"6 4\"/>\n";
            }
        }
    }
    out << "<line x1=\"" << coordinate(kLeft) << "\" y1=\"" << coordinate(baseY) << "\" x2=\""
        << coordinate(kLeft + kPlotWidth) << "\" y2=\"" << coordinate(baseY) << "\" stroke=\"#222\"/>\n";
    out << "</g>\n";
}

}  // namespace

ChartAxis chartAxisFor(double highest) {
    ChartAxis axis;
    if (!std::isfinite(highest) || !(highest > 0)) return axis;
    // About five round steps: 1, 2, 2.5 or 5 times a power of ten.
    const double rough = highest / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 0;
    if (std::isfinite(magnitude) && magnitude > 0) {
        for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
            step = factor * magnitude;
            if (step >= rough) break;
        }
    }
    double steps = step > 0 ? std::ceil(highest / step) : 0;
    if (!(steps >= 1 && steps <= 10) || !std::isfinite(step * steps)) {
        // Figures at the edge of what a double holds (or below its smallest normal value): an
        // axis of five equal steps up to the highest figure itself.
        steps = 5;
        step = highest / 5;
        if (!(step > 0)) {
            steps = 1;
            step = highest;
        }
        axis.top = highest;
    } else {
        axis.top = step * steps;
    }
    axis.step = step;
    axis.steps = static_cast<int>(steps);
    return axis;
}

void writeSummaryChartSvg(std::ostream& out, const std::vector<SummaryRow>& rows, const std::string& title) {
    std::vector<std::string> labels;
    for (const SummaryRow& row : rows) {
        if (std::find(labels.begin(), labels.end(), row.label) == labels.end()) labels.push_back(row.label);
    }
    if (labels.empty()) labels.push_back("");

    // The legend, laid out first so the panels know where to start.
    std::ostringstream legend;
    double x = kLeft;
    double y = 54;
    if (labels.size() > 1) {
        for (std::size_t label = 0; label < labels.size(); ++label) {
            legendEntry(legend, x, y, labelColour(label), labels[label], "dot");
        }
    } else {
        legendEntry(legend, x, y, labelColour(0), "host: median (dot), min to max (line)", "dot");
    }
    legendEntry(legend, x, y, labels.size() > 1 ? "#555" : kBaselineColour, "rank 0 alone (baseline)", "dash");
    legendEntry(legend, x, y, kSlowColour, "slow host: over 10 % and 3 scaled MADs below the hosts' median",
                "ring");

    std::vector<Panel> panels;
    for (const WorkloadFacts& facts : kWorkloads) panels.push_back(panelFor(facts, rows, labels));
    double height = y + 24;
    std::vector<double> tops;
    for (const Panel& panel : panels) {
        tops.push_back(height);
        height += 42 + kPlotHeight + panel.labelHeight + kPanelGap;
    }

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << coordinate(kWidth) << "\" height=\""
        << coordinate(height) << "\" viewBox=\"0 0 " << coordinate(kWidth) << ' ' << coordinate(height)
        << "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out << "<text class=\"title\" x=\"" << coordinate(kLeft) << "\" y=\"28\" font-size=\"18\" font-weight=\"bold\">"
        << xmlText(shortenText(title, charactersIn(kWidth - kLeft - kRight, 18))) << "<title>" << xmlText(title)
        << "</title></text>\n";
    out << legend.str();
    for (std::size_t index = 0; index < panels.size(); ++index) writePanel(out, panels[index], labels, tops[index]);
    out << "</svg>\n";
}

void writeRunChartSvg(std::ostream& out, const ResultsRun& run) {
    const std::vector<SummaryRow> rows = summarise({LabelledRun{"", run, {}}});
    std::string title = "cluster-membench run";
    if (!run.date.empty()) title += " of " + run.date + " " + run.time;
    if (!run.processor.empty()) title += " on " + run.processor;
    title += ", " + std::to_string(run.processes) + " process" + (run.processes == 1 ? "" : "es");
    writeSummaryChartSvg(out, rows, title);
}
