#include "frame_timing_report.h"

#include <cstdio>

void PrintBenchFigure(const char* key, double value) {
    std::fprintf(stderr, "%s=%.3f\n", key, value);
    std::fflush(stderr);
}
