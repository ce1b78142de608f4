// What the physics tests share: the special doubles and a relative error.
#pragma once

#include <cmath>
#include <limits>

inline constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double INF = std::numeric_limits<double>::infinity();

// |got - want| / |want|, or |got| where `want` is 0.
inline double RelativeError(double got, double want) {
  if (want == 0) return std::fabs(got);
  return std::fabs(got - want) / std::fabs(want);
}
