#pragma once

#include <ctime>

// Converts a calendar time to the local time zone's broken-down time (thread-safe form of
// std::localtime on each platform).
std::tm toLocalTime(std::time_t calendarTime);
