// The physical constants, the complete elliptic integrals and the small helpers that every part
// of the reference uses.
#pragma once

#include <cmath>
#include <limits>
#include <numbers>

inline constexpr double PI = std::numbers::pi;
// The value of an answer that is none (above the self-resonance, no turns, ...).
inline constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// A size or value the reference can work with: a finite number above 0.
inline bool IsPositive(double value) { return std::isfinite(value) && value > 0; }

// The complete elliptic integral K(k) and S = (K - E) / (k^2 K), by the arithmetic-geometric
// mean, from the modulus k and its complement kc given separately (0 < kc <= 1).
struct EllipticPair {
  double K;
  double S;
};
EllipticPair EllipticByAgm(double k, double kc);

// The magnetic constant (CODATA 2018) and the speed of light, SI.
constexpr double MU0 = 1.25663706212e-6;
constexpr double SPEED_OF_LIGHT = 299792458.0;
constexpr double METRES_PER_INCH = 0.0254;
