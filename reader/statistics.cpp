#include "reader/statistics.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<double> finiteOnly(const std::vector<double>& values) {
    std::vector<double> finite;
    for (double value : values) {
        if (std::isfinite(value)) finite.push_back(value);
    }
    return finite;
}

}  // namespace

double median(std::vector<double> values) {
    // A figure that is not a number has no place in an order (and would break the sort).
    values.erase(std::remove_if(values.begin(), values.end(), [](double value) { return std::isnan(value); }),
                 values.end());
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : values[middle - 1] / 2 + values[middle] / 2;
}

double scaledMad(const std::vector<double>& values) {
    if (values.empty()) return 0.0;
    const double middle = median(values);
    std::vector<double> deviations;
    deviations.reserve(values.size());
    for (double value : values) deviations.push_back(std::fabs(value - middle));
    return 1.4826 * median(deviations);
}

double relativeSpread(const std::vector<double>& values) {
    const std::vector<double> finite = finiteOnly(values);
    if (finite.size() < 2) return 0.0;
    const double middle = median(finite);
    if (middle == 0.0) return 0.0;
    return scaledMad(finite) / std::fabs(middle);
}

std::vector<bool> slowHosts(const std::vector<double>& hostMedians) {
    std::vector<bool> slow(hostMedians.size(), false);
    const std::vector<double> finite = finiteOnly(hostMedians);
    if (finite.size() < kFewestHostsToJudge) return slow;
    const double middle = median(finite);
    const double mad = scaledMad(finite);
    for (std::size_t index = 0; index < hostMedians.size(); ++index) {
        const double value = hostMedians[index];
        if (!std::isfinite(value)) continue;
        const double below = middle - value;
        slow[index] = below > kSlowFloor * std::fabs(middle) && below > kSlowDeviations * mad;
    }
    return slow;
}
