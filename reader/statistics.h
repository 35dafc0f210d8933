#pragma once

#include <cstddef>
#include <vector>

// Order statistics of a handful of figures, and the rule that calls a host slow: shared by the
// summary of several runs and by the chart of one.

// The middle value, or the mean of the two middle values; 0 for no values. Values that are not
// a number (NaN) are left out here and everywhere below.
double median(std::vector<double> values);

// 1.4826 x the median absolute deviation from the median: for normally distributed figures an
// estimate of their standard deviation that a few outliers do not move. 0 for no values.
double scaledMad(const std::vector<double>& values);

// The robust relative spread of a sample: scaledMad / median. 0 for fewer than two values or
// a median of 0; figures that are not finite take no part.
double relativeSpread(const std::vector<double>& values);

// A host is slow when its median lies below the median of all hosts' medians (of one label and
// workload) by more than kSlowFloor of it AND by more than kSlowDeviations scaled MADs of the
// hosts' medians, and there are at least kFewestHostsToJudge hosts. The floor keeps ordinary
// run-to-run noise (a few percent) from being called slow when the hosts happen to agree
// closely; the deviations keep a widely scattered cluster from flagging its lower half.
constexpr double kSlowFloor = 0.10;
constexpr double kSlowDeviations = 3.0;
constexpr std::size_t kFewestHostsToJudge = 3;

// For each host median, whether that host is slow. Figures that are not finite take no part
// and are never slow.
std::vector<bool> slowHosts(const std::vector<double>& hostMedians);
