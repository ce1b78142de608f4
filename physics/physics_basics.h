// The physical constants and the complete elliptic integrals that every part of the reference uses.
#pragma once

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
