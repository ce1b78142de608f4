// The complete elliptic integrals by the arithmetic-geometric mean.
#include "physics_basics.h"

#include <cmath>

// With c_0 = k and c_{n+1} = c_n^2 / (4 a_{n+1}) (which is (a_n - b_n) / 2 without the
// subtraction), K - E = K sum 2^(n-1) c_n^2: a sum of positive terms, so K - E keeps full
// precision even for a nearly circular modulus (k -> 0) where K and E agree to many digits.
EllipticPair EllipticByAgm(double k, double kc) {
  double a = 1;
  double b = kc;
  double u = 1;  // c_n / k
  double S = 0.5;
  double weight = 0.5;
  // Quadratic convergence: 5 passes at kc = 0.1, 10 at kc = 1e-300; the guard is never met.
  for (int pass = 0; pass < 64 && u * k > 0x1p-54 * a; ++pass) {
    const double next = (a + b) / 2;
    b = std::sqrt(a * b);
    u *= u * k / (4 * next);
    a = next;
    weight *= 2;
    S += weight * u * u;
  }
  return {PI / (2 * a), S};
}
