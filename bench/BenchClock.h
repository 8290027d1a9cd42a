// The clock every benchmark reads: the performance counter, in seconds.
#pragma once

#include <windows.h>

inline double BenchSeconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
