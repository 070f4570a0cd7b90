#pragma once

#include <windows.h>

// Times for the benchmark builds, printed on stderr as "key=value" lines that
// renderer_bench.py reads.

// Milliseconds from the creation of this process (as the system recorded it) until now.
double MillisecondsSinceProcessStart();

// Seconds on the high-resolution counter.
double CounterSeconds();

void PrintBenchFigure(const char* key, double value);
