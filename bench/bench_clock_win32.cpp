#include "frame_timing_report.h"

#include <windows.h>

namespace {

constexpr double kFileTimeTicksPerMillisecond = 10000.0;

ULONGLONG AsTicks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

double MillisecondsSinceProcessStart() {
    FILETIME creation, exitTime, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    return static_cast<double>(AsTicks(now) - AsTicks(creation)) / kFileTimeTicksPerMillisecond;
}

double CounterSeconds() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}
