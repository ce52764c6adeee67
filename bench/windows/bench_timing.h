#pragma once
// Wall-clock helpers shared by the Windows benchmarks.
#include <algorithm>
#include <chrono>
#include <vector>

namespace nrv::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace nrv::bench
