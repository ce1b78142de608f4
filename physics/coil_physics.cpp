// The physics reference: current sheet, round-wire correction, self-capacitance and resonances.
#include "coil_physics.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>

#include "helix_resonance.h"

namespace {

constexpr double EPSILON = std::numeric_limits<double>::epsilon();

// (E - 1) / kc^2 near k = 1 (kc^2 < 0.01), by the series in kc^2 and ln(4 / kc) of
// Abramowitz and Stegun 17.3.36: sum over n >= 1 of c_n kc^(2n-2) (ln(4/kc) - b_n), with
// c_1 = 1/2, c_n = c_(n-1) (2n-3)(2n-1) / ((2n-2) 2n), and
// b_n = sum_{j<n} 2 / ((2j-1) 2j) + 1 / ((2n-1) 2n). Each term is at most 1/100 of the last.
double EMinusOneOverKc2(double kc) {
  const double m1 = kc * kc;
  const double logTerm = std::log(4.0) - std::log(kc);
  double c = 0.5;
  double power = 1;
  double partial = 0;  // sum_{j<n} 2 / ((2j-1) 2j)
  double sum = 0;
  for (int n = 1; n <= 40; ++n) {
    if (n > 1) {
      c *= (2.0 * n - 3) * (2.0 * n - 1) / ((2.0 * n - 2) * (2.0 * n));
      power *= m1;
      partial += 2 / ((2.0 * n - 3) * (2.0 * n - 2));
    }
    const double term = c * power * (logTerm - partial - 1 / ((2.0 * n - 1) * (2.0 * n)));
    sum += term;
    if (std::fabs(term) <= 1e-18 * std::fabs(sum)) break;
  }
  return sum;
}

// Below this kc^2 (a sheet more than about 10 times as wide as long) E - k is taken from the
// series: by subtraction it would lose the digits that E and k share.
constexpr double SERIES_BELOW = 0.01;

// Rosa's mutual term for whole numbers of turns, with t_j = ln(j p / g_j), g_j the geometric
// mean distance of two strips of the pitch's width j pitches apart:
//   km(N) = (2/N) sum_{j=1}^{N-1} (N - j) t_j.
// t_j = 3/2 - 2 ln 2 at j = 1; beyond, sum_{k>=1} j^(-2k) / (k (2k+1)(2k+2)) (the closed form
// in logarithms loses to cancellation what this series keeps).
constexpr int TABLE_TOP = 16;

double PairTerm(int j) {
  if (j == 1) return 1.5 - 2 * std::numbers::ln2;
  const double x = 1.0 / (static_cast<double>(j) * j);
  double power = 1;
  double sum = 0;
  for (int k = 1; k <= 60; ++k) {
    power *= x;
    const double term = power / (k * (2.0 * k + 1) * (2.0 * k + 2));
    sum += term;
    if (term <= 1e-18 * sum) break;
  }
  return sum;
}

const std::array<double, TABLE_TOP + 1>& MutualTable() {
  static const std::array<double, TABLE_TOP + 1> table = [] {
    std::array<double, TABLE_TOP + 1> values{};
    double sumT = 0;   // sum of t_j for j < n
    double sumJT = 0;  // sum of j t_j for j < n
    for (int n = 1; n <= TABLE_TOP; ++n) {
      values[n] = 2 * sumT - 2 * sumJT / n;
      const double t = PairTerm(n);
      sumT += t;
      sumJT += n * t;
    }
    return values;
  }();
  return table;
}

// km(N) for whole N above the table, from the closed forms of the two sums (ln Gamma and the
// hyperfactorial) expanded in 1/N:
//   km(N) = ln(2 pi) - 3/2 - ln(N) / (6N) - (2 ln A - 1/6) / N + sum_{k>=2} B_2k N^(1-2k) / (2k
//   (k-1))
// with A Glaisher's constant and B_2k the Bernoulli numbers. The series is asymptotic; its
// error has the sign of, and is smaller than, the first term left out, which for N >= 17 is
// B_14 N^-13 / 168 < 1.4e-18.
constexpr double MUTUAL_LIMIT = 0.33787706640934548356;       // ln(2 pi) - 3/2
constexpr double MUTUAL_ONE_OVER_N = 0.33084228740090185843;  // 2 ln A - 1/6

double MutualAsymptotic(double n) {
  const double x = 1 / n;
  const double x2 = x * x;
  const double tail =
      x2 * x *
      (-1.0 / 120 +
       x2 * (1.0 / 504 + x2 * (-1.0 / 720 + x2 * (1.0 / 528 + x2 * (-691.0 / 163800)))));
  return MUTUAL_LIMIT - (std::log(n) / 6 + MUTUAL_ONE_OVER_N) * x + tail;
}

double MutualWhole(double n) {
  if (n <= TABLE_TOP) return MutualTable()[static_cast<int>(n)];
  return MutualAsymptotic(n);
}

// km and its slope on the segment between the whole numbers around N.
struct MutualValue {
  double value;
  double slope;
};

MutualValue MutualWithSlope(double N) {
  const double below = std::floor(N);
  const double atBelow = MutualWhole(below);
  // Past 2^53 every double is whole and the slope is far below anything that shows.
  if (below >= 0x1p53) return {atBelow, 0};
  const double slope = MutualWhole(below + 1) - atBelow;
  return {atBelow + (N - below) * slope, slope};
}

}  // namespace

double NagaokaCoefficient(double ratio) {
  if (!(ratio >= 0)) return NOT_A_NUMBER;
  if (std::isinf(ratio)) return 0;
  // k = Dw / sqrt(Dw^2 + H^2), kc = H / sqrt(Dw^2 + H^2), each without a subtraction.
  const double hypotenuse = std::hypot(ratio, 1.0);
  const double k = ratio / hypotenuse;
  const double kc = 1 / hypotenuse;
  const EllipticPair elliptic = EllipticByAgm(k, kc);
  // Lorenz: K_N = 4 / (3 pi kc) (kc^2 / k^2 (K - E) + E - k), with (K - E) / k^2 = K S.
  if (kc * kc < SERIES_BELOW) {
    // E - k = (E - 1) + kc^2 / (1 + k); kc^2 is taken out of the bracket so that nothing
    // underflows for the flattest sheets.
    const double bracket = elliptic.K * elliptic.S + EMinusOneOverKc2(kc) + 1 / (1 + k);
    return 4 / (3 * PI) * kc * bracket;
  }
  const double E = elliptic.K * (1 - k * k * elliptic.S);
  return 4 / (3 * PI * kc) * (kc * kc * elliptic.K * elliptic.S + E - k);
}

double SheetInductance(double Dw, double H, double N) {
  const double ratio = Dw / H;
  // mu0 pi Dw^2 N^2 K / (4 H), ordered so that no intermediate overflows before the result.
  // (ratio K grows only as the logarithm of a flat sheet's ratio).
  return MU0 * PI / 4 * Dw * (ratio * NagaokaCoefficient(ratio)) * N * N;
}

double SelfCorrection(double pitch, double d) { return 1.25 - std::log(2 * (pitch / d)); }

double MutualCorrection(double N) {
  if (!(N >= 1)) return NOT_A_NUMBER;
  if (std::isinf(N)) return MUTUAL_LIMIT;
  return MutualWithSlope(N).value;
}

double RoundWireInductance(double D, double H, double N, double d) {
  const double Dw = D + d;
  const double correction = SelfCorrection(H / N, d) + MutualCorrection(N);
  return SheetInductance(Dw, H, N) - MU0 * (Dw / 2) * N * correction;
}

double MedhurstCapacitance(double Dw, double H) {
  // The fit takes centimetres and gives picofarads.
  const double ratio = H / Dw;
  return 1e-12 * (100 * Dw) * (0.1126 * ratio + 0.08 + 0.27 / std::sqrt(ratio));
}

double HelicalResonance(double Dw, double H, double N) {
  // f = VF c / (2H) with VF = 1 / sqrt(1 + 20 (Dw/p)^2.5 sqrt(Dw f / c)). With y = sqrt(VF)
  // this is y^4 (1 + s y) = 1, s = 20 (Dw/p)^2.5 sqrt(Dw / (2H)): one root in (0, 1], where
  // h(y) = s y^5 + y^4 - 1 is increasing and convex, so Newton's method started to the right
  // of the root (at 1, or at s^(-1/5) when s > 1) falls to it without overshooting.
  const double pitch = H / N;
  const double s = 20 * std::pow(Dw / pitch, 2.5) * std::sqrt(Dw / (2 * H));
  if (!std::isfinite(s) || !(s >= 0)) return NOT_A_NUMBER;
  double y = s > 1 ? std::pow(s, -0.2) : 1.0;
  for (int pass = 0; pass < 100; ++pass) {
    const double y3 = y * y * y;
    const double h = y3 * y * (1 + s * y) - 1;
    const double slope = y3 * (5 * s * y + 4);
    const double next = y - h / slope;
    // Rounding ends the fall: stop once a step no longer goes down.
    if (!(next < y)) break;
    y = next;
  }
  return y * y * SPEED_OF_LIGHT / (2 * H);
}

double LumpedResonance(double L, double C) { return 1 / (2 * PI * std::sqrt(L * C)); }

double AwgDiameter(double gauge) {
  return 0.005 * METRES_PER_INCH * std::pow(92.0, (36 - gauge) / 39);
}

ReferenceFault CoilArgumentsFault(double D, double H, double N, double d) {
  if (!IsPositive(D) || !IsPositive(H)) return ReferenceFault::BAD_DIMENSIONS;
  if (!std::isfinite(N) || !(N >= 1)) return ReferenceFault::BAD_TURNS;
  if (!IsPositive(d)) return ReferenceFault::BAD_WIRE;
  if (d > H / N) return ReferenceFault::WIRE_TOO_THICK;
  // Below the normal doubles the arithmetic keeps too few digits to be a reference.
  if (!std::isnormal(D) || !std::isnormal(H) || !std::isnormal(d))
    return ReferenceFault::OUT_OF_RANGE;
  return ReferenceFault::NONE;
}

ReferenceFault ComputeCoilReference(double D, double H, double N, double d,
                                    CoilReference& reference) {
  const ReferenceFault fault = CoilArgumentsFault(D, H, N, d);
  if (fault != ReferenceFault::NONE) return fault;

  CoilReference result;
  const double Dw = D + d;
  result.sheetInductance = SheetInductance(Dw, H, N);
  // The round-wire inductance stays positive while the wire fits: ks + km > 0 needs
  // p/d < 2.45, and there the correction is at most (ks + km) 2 (p/d) / (pi K(d/p)) of the
  // sheet, which peaks at 0.83 for p = d (N Dw/H >= d/p, and r K(r) grows with r).
  result.inductance = RoundWireInductance(D, H, N, d);
  result.selfCapacitance = MedhurstCapacitance(Dw, H);
  result.helicalResonance = HelicalResonance(Dw, H, N);
  result.lumpedResonance = LumpedResonance(result.inductance, result.selfCapacitance);
  result.selfResonance = HelixResonance(Dw, H, N, d);
  for (double value : {result.sheetInductance, result.inductance, result.selfCapacitance,
                       result.helicalResonance, result.lumpedResonance, result.selfResonance}) {
    if (!IsPositive(value) || !std::isnormal(value)) return ReferenceFault::OUT_OF_RANGE;
  }
  reference = result;
  return ReferenceFault::NONE;
}

ReferenceFault ComputeGroundedResonance(double D, double H, double N, double d, double b,
                                        double& hertz) {
  const ReferenceFault fault = CoilArgumentsFault(D, H, N, d);
  if (fault != ReferenceFault::NONE) return fault;
  if (!std::isfinite(b) || !(b >= 0)) return ReferenceFault::BAD_BASE_HEIGHT;
  if (b > MAX_BASE_OVER_HEIGHT * H) return ReferenceFault::BASE_TOO_HIGH;
  const double value = GroundedHelixResonance(D + d, H, N, d, b);
  if (!IsPositive(value) || !std::isnormal(value)) return ReferenceFault::OUT_OF_RANGE;
  hertz = value;
  return ReferenceFault::NONE;
}

double ReferenceTurns(double D, double H, double d, double L) {
  if (!IsPositive(D) || !IsPositive(H) || !IsPositive(d) || !IsPositive(L)) return NOT_A_NUMBER;
  const double most = H / d;
  if (!(most >= 2) || std::isinf(most)) return NOT_A_NUMBER;
  const double Dw = D + d;
  const double perTurnSquared = SheetInductance(Dw, H, 1);
  const double perTurnCorrection = MU0 * (Dw / 2);
  for (double value : {D, H, d, L, perTurnSquared, perTurnCorrection}) {
    if (!std::isnormal(value)) return NOT_A_NUMBER;
  }
  const double selfBase = 1.25 - std::log(2 * (H / d));  // ks = selfBase + ln N
  // The wanted inductance subtracted, and the slope in N.
  auto residual = [&](double N, double& slope) {
    const MutualValue km = MutualWithSlope(N);
    const double ks = selfBase + std::log(N);
    slope = 2 * perTurnSquared * N - perTurnCorrection * (ks + km.value + 1 + N * km.slope);
    return perTurnSquared * N * N - perTurnCorrection * N * (ks + km.value) - L;
  };
  double lo = 2;
  double hi = most;
  double slope = 0;
  const double atLo = residual(lo, slope);
  const double atHi = residual(hi, slope);
  if (!std::isfinite(atLo) || !std::isfinite(atHi)) return NOT_A_NUMBER;
  if (atLo == 0) return lo;
  if (atHi == 0) return hi;
  if (!(atLo < 0 && atHi > 0)) return NOT_A_NUMBER;
  // Newton's method kept inside a shrinking bracket. Far from the root a Newton step may only
  // halve N, so whenever a pass fails to halve the bracket (measured as ln(hi/lo)), the next
  // one bisects it: at least one halving every two passes, about 130 passes from 2 to 1e300.
  // The bisection is geometric while the bracket spans octaves. The sheet gives the first guess.
  auto middle = [&] { return hi > 4 * lo ? std::sqrt(lo) * std::sqrt(hi) : lo + (hi - lo) / 2; };
  double N = std::sqrt(L) / std::sqrt(perTurnSquared);
  if (!(N > lo && N < hi)) N = middle();
  double lastWidth = std::log(hi / lo);
  for (int pass = 0; pass < 300; ++pass) {
    const double value = residual(N, slope);
    if (value == 0) return N;
    if (value < 0) {
      lo = N;
    } else {
      hi = N;
    }
    const double step = value / slope;
    // Converged: checked before the bracket, which a step below an ulp of N does not leave.
    if (slope > 0 && std::fabs(step) <= 2 * EPSILON * N) return N - step;
    const double width = std::log(hi / lo);
    double next = N - step;
    if (!(slope > 0 && next > lo && next < hi) || width > lastWidth / 2) next = middle();
    lastWidth = width;
    if (hi - lo <= 2 * EPSILON * hi) return next;
    N = next;
  }
  return N;
}
