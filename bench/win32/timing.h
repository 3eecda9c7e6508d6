#pragma once
// The timing programs' clock and their one-line summary of a series of samples.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tw::bench {

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// How long one call of `work` takes.
template <class Work>
double TimeOnce(Work&& work) {
  LARGE_INTEGER before;
  LARGE_INTEGER after;
  QueryPerformanceCounter(&before);
  work();
  QueryPerformanceCounter(&after);
  return Milliseconds(before, after);
}

// "what  median … min … max … (n runs)"; the label padded to the given width.
inline void Report(const char* what, std::vector<double> samples, int width = 44) {
  std::sort(samples.begin(), samples.end());
  std::printf("%-*s median %8.3f ms   min %8.3f ms   max %8.3f ms   (%zu runs)\n", width, what,
              samples[samples.size() / 2], samples.front(), samples.back(), samples.size());
}

} // namespace tw::bench
