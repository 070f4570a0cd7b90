#pragma once

// Times for the benchmark builds, printed on stderr as "key=value" lines that the benchmark
// scripts read. Each platform has its own clocks: bench_clock_win32.cpp and
// bench_clock_posix.cpp.

// Milliseconds from the creation of this process (as the system recorded it) until now.
double MillisecondsSinceProcessStart();

// Seconds on the high-resolution counter.
double CounterSeconds();

void PrintBenchFigure(const char* key, double value);
