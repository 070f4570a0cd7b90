#include "frame_timing_report.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

// Linux keeps a process's start only to the scheduler tick (10 ms), too coarse for a start of a
// few tens of milliseconds, so the launcher hands over its own reading of the same clock.
constexpr const char* kLaunchClockVariable = "VORLENTA_BENCH_LAUNCHED_NS";

double MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

double MillisecondsSinceProcessStart() {
    const char* launched = std::getenv(kLaunchClockVariable);
    if (launched == nullptr) {
        return std::nan("");
    }
    return MonotonicSeconds() * 1000.0 - std::strtod(launched, nullptr) / 1e6;
}

double CounterSeconds() {
    return MonotonicSeconds();
}
