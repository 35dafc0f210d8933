#include "report/local_time.h"

std::tm toLocalTime(std::time_t calendarTime) {
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &calendarTime);
#else
    localtime_r(&calendarTime, &local);
#endif
    return local;
}
