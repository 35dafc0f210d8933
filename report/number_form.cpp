#include "report/number_form.h"

#include <cstdio>

std::string generalNumber(double value) {
    // "%g" never needs more than 13 characters for a double ("-1.79769e+308").
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string integerNumber(int value) { return std::to_string(value); }
