#pragma once

#include <vector>

// Order statistics of a handful of figures. Infinite values take part like any other.

// The middle value, or the mean of the two middle values; 0 for no values.
double median(std::vector<double> values);
