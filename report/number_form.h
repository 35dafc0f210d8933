#pragma once

#include <string>

// The two number forms of every report line, shared by the benchmark and the reader of its
// results files.

// C's "%g": six significant digits, trailing zeros dropped, "inf" for infinity.
std::string generalNumber(double value);

// Plain signed decimal: no leading zeros, blanks, plus sign or digit grouping.
std::string integerNumber(int value);
