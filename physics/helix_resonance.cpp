// The first resonance of an open coil and of a grounded one from the energies of its finite
// sheath helix.
#include "helix_resonance.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "physics_basics.h"
#include "wire_row.h"

namespace {

constexpr int ORDER = 16;  // Gauss-Legendre points a panel of the open coil's sums

template <int Order>
struct GaussRule {
  std::array<double, Order> node;  // on (-1, 1)
  std::array<double, Order> weight;
};

// The Gauss-Legendre rule, its nodes by Newton's method on the Legendre polynomial.
template <int Order = ORDER>
const GaussRule<Order>& Rule() {
  static const GaussRule<Order> rule = [] {
    GaussRule<Order> r{};
    for (int i = 0; i < Order; ++i) {
      double x = std::cos(PI * (i + 0.75) / (Order + 0.5));
      double slope = 1;
      for (int pass = 0; pass < 100; ++pass) {
        double p0 = 1;
        double p1 = x;
        for (int n = 2; n <= Order; ++n) {
          const double p2 = ((2 * n - 1) * x * p1 - (n - 1) * p0) / n;
          p0 = p1;
          p1 = p2;
        }
        slope = Order * (x * p1 - p0) / (x * x - 1);
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
  const GaussRule<ORDER>& rule = Rule();
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

// The numbers of the winding that both quotients take: lengths in units of a = Dw/2.
struct Winding {
  double a;
  double h;        // H / a
  double cotPsi;   // pi Dw / p
  double sinPsi;   // p over the wire in one turn
  double grating;  // Lambda, the round wire's own field that the sheet leaves out
  double gap;      // alpha / a, the row's polarisation across the wires: the gaps' capacitance
};

bool ReadWinding(double Dw, double H, double N, double d, Winding& w) {
  if (!(std::isfinite(Dw) && std::isfinite(H) && std::isfinite(N) && std::isfinite(d) && Dw > 0 &&
        H > 0 && N > 0 && d > 0))
    return false;
  w.a = Dw / 2;
  w.h = H / w.a;
  // The sums take a number of panels that grows with |ln h|: a shape beyond the doubles has none.
  if (!std::isnormal(w.h)) return false;
  const double pitch = H / N;
  const double turn = std::hypot(PI * Dw, pitch);  // wire in one turn
  w.cotPsi = PI * Dw / pitch;
  w.sinPsi = pitch / turn;
  // The round wires' own field, which the sheet leaves out, from the row of wires
  // p cos psi apart across the wire (wire_row.h): Lambda mu0 / (2 pi) of inductance and as much
  // elastance over 2 pi eps0 per length of wire, at every ring (the kernel's delta function),
  // that is Lambda int f^2 in the sums, weighted 1/sin psi in the inductance and sin psi in the
  // elastance (wire per length of axis, charge per length of wire); and the row's polarisation
  // along the axis, alpha, the capacitance crowded into the gaps between neighbouring turns.
  const double spacing = pitch * (PI * Dw / turn);
  const WireRow row = RowOfWires(d / spacing);
  w.grating = row.selfField;
  w.gap = row.gapField * spacing / w.a;
  return true;
}

// The gaps between the turns hold the row's polarisation, a capacitance K = 2 pi a eps0 alpha
// per length of axis in series along the winding, across its inductance L' per length: a line
// of such turns resonates at f0 / sqrt(1 + (2 pi f0)^2 L' K), f0 the sheet's. With L' in the
// sums' measure (mu0 / 2 pi, lengths in a) that term is (k a)^2 (alpha / a) L'.
double GapCrowding(double ka2, double gap, double inductancePerLength) {
  return ka2 * gap * inductancePerLength;
}

}  // namespace

double HelixResonance(double Dw, double H, double N, double d) {
  Winding w{};
  if (!ReadWinding(Dw, H, N, d, w)) return std::numeric_limits<double>::quiet_NaN();
  const double h = w.h;
  const PairSums sums = SumPairs(h);
  const double charge = sums.charge + w.grating * w.sinPsi * h / 2;
  const double current =
      w.cotPsi * w.cotPsi * sums.azimuthal + sums.axial + w.grating / w.sinPsi * h / 2;
  const double ka2 = (PI / h) * (PI / h) * charge / current;
  return std::sqrt(ka2 / (1 + GapCrowding(ka2, w.gap, current / (h / 2)))) * SPEED_OF_LIGHT /
         (2 * PI * w.a);
}

namespace {

// Entries 00, 01 and 11 of a symmetric 2 x 2 matrix.
using Symmetric = std::array<double, 3>;

// The grounded coil's sums over the two trial currents cos(k x) and cos(3 k x), k = pi / (2 h),
// x from the winding's lower end, both greatest at the ground and nothing at the open top: the
// charge's self-potential (of sin(k x) and 3 sin(3 k x), the slopes over k), the azimuthal
// and axial inductances, each the winding's own pairs with the ground's image taken away
// (charge, azimuthal current) or added (axial current).
struct GroundedSums {
  Symmetric charge{};
  Symmetric azimuthal{};
  Symmetric axial{};
};

// The grounded coil's sums take 12 points a panel: against the same sums to 30 digits
// (tests/reference/physics_vectors.py) its resonance is within 1e-6.
constexpr int GROUNDED_ORDER = 12;

// Calls add(s, w) at the nodes of the rule over s from lo to hi in t = ln s, w = weight ds.
template <class Add>
void OverLogarithm(double lo, double hi, Add add) {
  const GaussRule<GROUNDED_ORDER>& rule = Rule<GROUNDED_ORDER>();
  const double bottom = std::log(lo);
  const double top = std::log(hi);
  const int panels = std::max(1, static_cast<int>(std::ceil((top - bottom) / PANEL_WIDTH)));
  const double half = (top - bottom) / panels / 2;
  for (int panel = 0; panel < panels; ++panel) {
    const double centre = bottom + (2 * panel + 1) * half;
    for (int i = 0; i < GROUNDED_ORDER; ++i) {
      const double s = std::exp(centre + half * rule.node[i]);
      add(s, rule.weight[i] * half * s);
    }
  }
}

// The ring kernels g0 and g1 at a separation u (header of SumPairs).
struct Kernels {
  double g0;
  double g1;
};
Kernels RingKernels(double u) {
  const double root = std::sqrt(u * u + 4);
  const EllipticPair elliptic = EllipticByAgm(2 / root, u / root);
  const double g0 = 2 / PI * elliptic.K / root;
  return {g0, g0 * (2 * elliptic.S - 1)};
}

// The pair sums, halved as SumPairs takes them. Pairs within the winding: the symmetrised
// correlations of the trial functions at a separation u, theta = k u, c and s its cosine and
// sine (worked out in closed form):
//   current  R00 = h (pi - 2 theta) c / (2 pi)   R01 = -h s c^2 / pi   R11 = R00 with cos 3 theta
//   charge   R00 the same                        R01 = 3 h s c^2 / pi  R11 = 9 times the current's
// Pairs of a ring and an image ring, 2 beta + v apart (beta = b / a): the convolutions over
// x + x' = v, theta = k v, on the lower half (v below h) and the upper:
//   current 00  h (theta c + s) / pi                 h ((pi - theta) c + s) / pi
//           01  h s (2 - 3 s^2) / pi                 -h s^3 / pi
//           11  h (3 theta C3 + S3) / (3 pi)         h (3 (pi - theta) C3 + S3) / (3 pi)
//   charge  00  h (s - theta c) / pi                 h (s - (pi - theta) c) / pi
//           01  3 h s^3 / pi                         3 h s (3 s^2 - 2) / pi
//           11  3 h (S3 - 3 theta C3) / pi           3 h (S3 - 3 (pi - theta) C3) / pi
// with C3, S3 the cosine and sine of 3 theta.
GroundedSums SumGroundedPairs(double h, double beta) {
  const double k = PI / (2 * h);
  GroundedSums sums;
  // Below u0 the winding's pairs in closed form from the leading terms, as in SumPairs.
  const double u0 = std::exp(std::min(std::log(h), 0.0) - DEPTH);
  const double log0 = std::log(8 / u0);
  const double ring0 = u0 * (log0 + 1) / PI * h / 2;
  const double ring1 = u0 * (log0 - 1) / PI * h / 2;
  sums.charge = {ring0, 0, 9 * ring0};
  sums.azimuthal = {ring1, 0, ring1};
  sums.axial = {ring0, 0, ring0};
  const bool standing = 2 * beta <= u0;
  // The image's pairs at v, halved, with the kernels at 2 beta + v.
  // c and s are the cosine and sine of theta = k v, which a winding standing on the ground has
  // already worked out for its own pairs at the same separation.
  const auto imageAt = [&](double v, double c, double s, double w, bool upper, const Kernels& g) {
    const double theta = k * v;
    const double c3 = c * (4 * c * c - 3);
    const double s3 = s * (3 - 4 * s * s);
    const double phase = upper ? PI - theta : theta;
    const double cur00 = h * (phase * c + s) / PI;
    const double cur01 = upper ? -h * s * s * s / PI : h * s * (2 - 3 * s * s) / PI;
    const double cur11 = h * (3 * phase * c3 + s3) / (3 * PI);
    const double q00 = h * (s - phase * c) / PI;
    const double q01 = upper ? 3 * h * s * (3 * s * s - 2) / PI : 3 * h * s * s * s / PI;
    const double q11 = 3 * h * (s3 - 3 * phase * c3) / PI;
    const double half = w / 2;
    sums.charge[0] -= half * q00 * g.g0;
    sums.charge[1] -= half * q01 * g.g0;
    sums.charge[2] -= half * q11 * g.g0;
    sums.azimuthal[0] -= half * cur00 * g.g1;
    sums.azimuthal[1] -= half * cur01 * g.g1;
    sums.azimuthal[2] -= half * cur11 * g.g1;
    sums.axial[0] += half * cur00 * g.g0;
    sums.axial[1] += half * cur01 * g.g0;
    sums.axial[2] += half * cur11 * g.g0;
  };
  OverLogarithm(u0, h, [&](double u, double w) {
    const double theta = k * u;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double c3 = c * (4 * c * c - 3);
    const double line = h * (PI - 2 * theta) / (2 * PI);
    const double r00 = line * c;
    const double r01 = h * s * c * c / PI;
    const double r11 = line * c3;
    const Kernels g = RingKernels(u);
    sums.charge[0] += w * r00 * g.g0;
    sums.charge[1] += w * 3 * r01 * g.g0;
    sums.charge[2] += w * 9 * r11 * g.g0;
    sums.azimuthal[0] += w * r00 * g.g1;
    sums.azimuthal[1] -= w * r01 * g.g1;
    sums.azimuthal[2] += w * r11 * g.g1;
    sums.axial[0] += w * r00 * g.g0;
    sums.axial[1] -= w * r01 * g.g0;
    sums.axial[2] += w * r11 * g.g0;
    if (standing) imageAt(u, c, s, w, false, g);
  });
  const auto image = [&](double v, double w, bool upper, const Kernels& g) {
    imageAt(v, std::cos(k * v), std::sin(k * v), w, upper, g);
  };
  // The kink of the convolutions at v = h bounds the image's two ranges. A winding that stands
  // on the ground (2 beta within u0) takes the image's lower range with its own pairs, as
  // though at beta = 0, and leaves out the pairs below u0 as its own: against the kernels'
  // logarithm that is of the order of u0 / h.
  if (!standing) {
    OverLogarithm(2 * beta, 2 * beta + h,
                  [&](double sep, double w) { image(sep - 2 * beta, w, false, RingKernels(sep)); });
  }
  const double lowest = standing ? 0 : 2 * beta;
  OverLogarithm(lowest + h, lowest + 2 * h,
                [&](double sep, double w) { image(sep - lowest, w, true, RingKernels(sep)); });
  return sums;
}

}  // namespace

double GroundedHelixResonance(double Dw, double H, double N, double d, double b) {
  Winding w{};
  if (!ReadWinding(Dw, H, N, d, w) || !std::isfinite(b) || b < 0)
    return std::numeric_limits<double>::quiet_NaN();
  const double h = w.h;
  const double beta = b / w.a;
  const GroundedSums sums = SumGroundedPairs(h, beta);
  // The lead from the ground up to the winding, a straight wire at the winding's radius carrying
  // the current at the lower end (1 in both trial currents), with its image: its inductance
  // in the sums' measure, int int (1/R + 1/R_image) halved.
  const double rho = d / 2 / w.a;
  const double lead =
      beta * std::asinh(beta / rho) - std::hypot(beta, rho) + rho + beta * std::log(2.0);
  // The wires' own field, a delta function, weighs int f_i f_j: h/2, 0, h/2 for the currents and
  // h/2, 0, 9 h/2 for the charges.
  Symmetric elastance{};
  Symmetric winding{};  // the winding's own inductance, across which its gaps sit
  Symmetric inductance{};
  const double weight[] = {1, 0, 1};
  const double chargeWeight[] = {1, 0, 9};
  for (int e = 0; e < 3; ++e) {
    elastance[e] = sums.charge[e] + w.grating * w.sinPsi * chargeWeight[e] * h / 2;
    winding[e] = w.cotPsi * w.cotPsi * sums.azimuthal[e] + sums.axial[e] +
                 w.grating / w.sinPsi * weight[e] * h / 2;
    inductance[e] = winding[e] + lead;
  }
  // The least root of det(elastance - lambda inductance) = 0, written to keep its digits.
  const double quadratic = inductance[0] * inductance[2] - inductance[1] * inductance[1];
  const double linear = elastance[0] * inductance[2] + elastance[2] * inductance[0] -
                        2 * elastance[1] * inductance[1];
  const double constant = elastance[0] * elastance[2] - elastance[1] * elastance[1];
  const double root = std::sqrt(std::max(0.0, linear * linear - 4 * quadratic * constant));
  const double lambda = 2 * constant / (linear + root);
  const double ka2 = (PI / (2 * h)) * (PI / (2 * h)) * lambda;
  // The mode (v0, v1) from the first row of (elastance - lambda inductance) v = 0, or the second
  // where the first vanishes, and its winding's inductance per length.
  double v0 = lambda * inductance[1] - elastance[1];
  double v1 = elastance[0] - lambda * inductance[0];
  if (std::hypot(v0, v1) == 0) {
    v0 = elastance[2] - lambda * inductance[2];
    v1 = lambda * inductance[1] - elastance[1];
  }
  if (std::hypot(v0, v1) == 0) v0 = 1;
  const double modeWinding = v0 * v0 * winding[0] + 2 * v0 * v1 * winding[1] + v1 * v1 * winding[2];
  const double perLength = modeWinding / ((v0 * v0 + v1 * v1) * h / 2);
  return std::sqrt(ka2 / (1 + GapCrowding(ka2, w.gap, perLength))) * SPEED_OF_LIGHT /
         (2 * PI * w.a);
}
