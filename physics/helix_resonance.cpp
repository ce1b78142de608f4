// The first self-resonance of an open coil from the energies of its finite sheath helix.
#include "helix_resonance.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "physics_basics.h"

namespace {

constexpr int ORDER = 16;  // Gauss-Legendre points a panel

struct GaussRule {
  std::array<double, ORDER> node;  // on (-1, 1)
  std::array<double, ORDER> weight;
};

// The Gauss-Legendre rule, its nodes by Newton's method on the Legendre polynomial.
const GaussRule& Rule() {
  static const GaussRule rule = [] {
    GaussRule r{};
    for (int i = 0; i < ORDER; ++i) {
      double x = std::cos(PI * (i + 0.75) / (ORDER + 0.5));
      double slope = 1;
      for (int pass = 0; pass < 100; ++pass) {
        double p0 = 1;
        double p1 = x;
        for (int n = 2; n <= ORDER; ++n) {
          const double p2 = ((2 * n - 1) * x * p1 - (n - 1) * p0) / n;
          p0 = p1;
          p1 = p2;
        }
        slope = ORDER * (x * p1 - p0) / (x * x - 1);
        const double step = p1 / slope;
        x -= step;
        if (std::fabs(step) < 1e-16) break;
      }
      r.node[i] = x;
      r.weight[i] = 2 / ((1 - x * x) * slope * slope);
    }
    return r;
  }();
  return rule;
}

// The three pair sums of the header, each reduced to one integral over the separation u of two
// rings (lengths in units of a, h = H/a): sum over pairs of f(z) f(z') g(z - z') is
// 2 int_0^h R(u) g(u) du with R the autocorrelation of f over the winding:
//   current  cos(pi z/h):        R_I(u) = (h - u)/2 cos(pi u/h) + h/(2 pi) sin(pi u/h)
//   charge   its slope, less (pi/h)^2: R_q(u) = (h - u)/2 cos(pi u/h) - h/(2 pi) sin(pi u/h)
// and the ring kernels, m = 4 / (u^2 + 4):
//   g0(u) = (2/pi) K(m) / sqrt(u^2 + 4)              (charge, axial current)
//   g1(u) = (2/pi) (2 (K - E)/m - K) / sqrt(u^2 + 4)  (azimuthal current)
// Both grow as ln(8/u) at u -> 0; the integrals run in t = ln u, where the integrand falls as
// e^t |t| below u = min(1, h) and is smooth above it.
struct PairSums {
  double charge;     // int R_q g0
  double azimuthal;  // int R_I g1
  double axial;      // int R_I g0
};

// Below u0 = min(1, h) e^-DEPTH the integrals are taken in closed form from the leading terms,
// g0 = ln(8/u) / pi, g1 = (ln(8/u) - 2) / pi, R_I = h/2, R_q = h/2 - u: what they leave out,
// against the sums, is of the order of (u0/h)^2 and u0^2 times the part below u0, e^-DEPTH.
constexpr double DEPTH = 8;
// A panel's width in t. The kernels are singular on the line Im t = pi/2 (u on the imaginary
// axis within 2i), which bounds the rule's error on a panel 4 wide by about 2.06^(-2 ORDER);
// against the same sums taken to 1e-15, the resonance is within 6e-10 for h from 1e-3 to 1e4.
constexpr double PANEL_WIDTH = 4;

PairSums SumPairs(double h) {
  const GaussRule& rule = Rule();
  const double top = std::log(h);
  const double bottom = std::min(top, 0.0) - DEPTH;
  const int panels = static_cast<int>(std::ceil((top - bottom) / PANEL_WIDTH));
  const double half = (top - bottom) / panels / 2;
  // The charge is zero in all, so R_q integrates to zero and any constant may be taken from g0
  // in its sum: taking ln(8 / min(1, h)) / pi keeps the terms of a flat coil's sum small
  // beside the sum.
  const double shift = std::log(8 / std::min(1.0, h)) / PI;
  const double u0 = std::exp(bottom);
  const double log0 = std::log(8 / u0);
  const double ring = h / 2 * u0 * (log0 + 1) / PI;
  PairSums sums{ring - h / 2 * u0 * shift - u0 * u0 / 2 * ((log0 + 0.5) / PI - shift),
                h / 2 * u0 * (log0 - 1) / PI, ring};
  for (int panel = 0; panel < panels; ++panel) {
    const double centre = bottom + (2 * panel + 1) * half;
    for (int i = 0; i < ORDER; ++i) {
      const double u = std::exp(centre + half * rule.node[i]);
      const double phase = PI * u / h;
      const double even = (h - u) / 2 * std::cos(phase);
      const double odd = h / (2 * PI) * std::sin(phase);
      const double root = std::sqrt(u * u + 4);
      const EllipticPair elliptic = EllipticByAgm(2 / root, u / root);
      // g0, and g1 = g0 (2 S - 1) since 2 (K - E)/m - K = K (2 S - 1); du = u dt.
      const double g0 = 2 / PI * elliptic.K / root;
      const double w = rule.weight[i] * half * u;
      sums.charge += w * (even - odd) * (g0 - shift);
      sums.axial += w * (even + odd) * g0;
      sums.azimuthal += w * (even + odd) * g0 * (2 * elliptic.S - 1);
    }
  }
  return sums;
}

}  // namespace

double HelixResonance(double Dw, double H, double N, double d) {
  if (!(std::isfinite(Dw) && std::isfinite(H) && std::isfinite(N) && std::isfinite(d) && Dw > 0 &&
        H > 0 && N > 0 && d > 0))
    return NOT_A_NUMBER;
  const double a = Dw / 2;
  const double h = H / a;
  // The sums take a number of panels that grows with |ln h|: a shape beyond the doubles has none.
  if (!std::isnormal(h)) return NOT_A_NUMBER;
  const double pitch = H / N;
  const double turn = std::hypot(PI * Dw, pitch);  // wire in one turn
  const double cotPsi = PI * Dw / pitch;
  const double sinPsi = pitch / turn;
  // The round wire's own field near it, which the sheet leaves out: a grating of wires
  // p cos psi apart adds ln(p cos psi / (pi d)) mu0 / (2 pi) of inductance, and as much
  // elastance over 2 pi eps0, per length of wire; taken at every ring (the kernel's delta
  // function), that is Lambda h/2 in the sums, weighted 1/sin psi in the inductance and
  // sin psi in the elastance (wire per length of axis, charge per length of wire).
  const double spacing = pitch * (PI * Dw / turn);
  const double grating = std::max(0.0, std::log(spacing / (PI * d)));
  const PairSums sums = SumPairs(h);
  const double charge = sums.charge + grating * sinPsi * h / 2;
  const double current = cotPsi * cotPsi * sums.azimuthal + sums.axial + grating / sinPsi * h / 2;
  const double ka2 = (PI / h) * (PI / h) * charge / current;
  return std::sqrt(ka2) * SPEED_OF_LIGHT / (2 * PI * a);
}
