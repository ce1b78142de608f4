// The coil model: Wheeler's formula, the short-coil shape-factor formula, their bisection
// solvers and the derived wire, capacitance and resonance figures.
#include "coil_model.h"

#include <cmath>

namespace {

// Every intermediate the model names is kept as a float; the arithmetic of one line runs
// in double. `Store` marks the one rounding at the end of a line.
inline float Store(double value) { return static_cast<float>(value); }

// Shape-factor polynomial coefficients: c0..c5 are the floats nearest the decimals,
// c6 is the one coefficient kept in double.
constexpr float C0 = 0.00346573f;
constexpr float C1 = 0.01706f;
constexpr float C2 = 0.00369226f;
constexpr float C3 = 0.000511892f;
constexpr float C4 = 3.99426e-5f;
constexpr float C5 = 1.57224e-6f;
constexpr double C6 = 2.409057e-8;

constexpr float RELATIVE_TOLERANCE = 0.0001f;
constexpr float PI_APPROX = 3.14159f;
constexpr float USABLE_PITCH = 0.95f;
constexpr float CAPACITANCE_FACTOR = 11.39f;
constexpr float RESONANCE_FACTOR = 159.2f;

// Over [2, 16384] the residual rises steadily and the tolerance is relative, so a search
// ends in about 30 passes; the guard only keeps a pathological input from spinning.
constexpr int BISECTION_PASS_GUARD = 1000;

// N rounded to 3 decimals: nearest thousandth, an exact half going to even.
float RoundToThousandths(float n) {
  return Store(std::nearbyint(static_cast<double>(n) * 1000.0) / 1000.0);
}

using Residual = float (*)(float Dc, float H, float L, float N);

float SolveTurns(float D, float H, float L, Residual residual) {
  float lo = MIN_TURNS;
  float hi = MAX_TURNS;
  const float tol = Store(static_cast<double>(RELATIVE_TOLERANCE) * L);
  // The residuals at the ends are carried over from pass to pass: an end only ever moves
  // to the midpoint, whose residual is already known.
  float fLo = residual(CentreDiameter(D, H, lo), H, L, lo);
  float fHi = residual(CentreDiameter(D, H, hi), H, L, hi);
  for (int pass = 0; pass < BISECTION_PASS_GUARD; ++pass) {
    const float mid = Store((static_cast<double>(lo) + hi) / 2);
    const float fMid = residual(CentreDiameter(D, H, mid), H, L, mid);
    // Written as "not below" so that a residual that is not a number also gives up.
    if (!(fLo < 0)) return -1;
    if (!(static_cast<double>(fLo) * fHi < 0)) return -1;
    if (std::fabs(static_cast<double>(fMid)) <= tol) return RoundToThousandths(mid);
    if (static_cast<double>(fMid) * fLo >= 0) {
      lo = mid;
      fLo = fMid;
    } else {
      hi = mid;
      fHi = fMid;
    }
  }
  return -1;
}

}  // namespace

float CentreDiameter(float D, float H, float N) {
  return Store(static_cast<double>(D) + static_cast<double>(H) / N);
}

float CoilInductance(float D, float H, float N) {
  const float Dc = CentreDiameter(D, H, N);
  if (static_cast<double>(Dc) / H > 1) return InductanceShapeFactor(D, H, N);
  return InductanceWheeler(D, H, N);
}

float CoilTurns(float D, float H, float L) {
  // N is not known yet, so the choice goes by the form diameter, not the centre diameter.
  if (static_cast<double>(D) / H > 1) return TurnsShapeFactor(D, H, L);
  return TurnsWheeler(D, H, L);
}

float InductanceWheeler(float D, float H, float N) {
  const float r = Store(static_cast<double>(D) / 2 + static_cast<double>(H) / (2.0 * N));
  const double rN = static_cast<double>(r) * N;
  return Store(rN * rN / (9.0 * r + 10.0 * H));
}

float ShapeFactor(float x) {
  const double x1 = x;
  const double x2 = x1 * x1;
  const double x3 = x2 * x1;
  const double x4 = x3 * x1;
  const double x5 = x4 * x1;
  const double x6 = x5 * x1;
  double sum = -C6 * x6;
  sum += static_cast<double>(C5) * x5;
  sum -= static_cast<double>(C4) * x4;
  sum += static_cast<double>(C3) * x3;
  sum -= static_cast<double>(C2) * x2;
  sum += static_cast<double>(C1) * x1;
  sum += C0;
  return Store(sum);
}

float InductanceShapeFactor(float D, float H, float N) {
  const float Dc = CentreDiameter(D, H, N);
  const float x = Store(static_cast<double>(Dc) / H);
  const float F = ShapeFactor(x);
  return Store(static_cast<double>(N) * N * F * Dc);
}

float ResidualWheeler(float Dc, float H, float L, float N) {
  const float r = Store(static_cast<double>(Dc) / 2);
  const double rN = static_cast<double>(r) * N;
  return Store(rN * rN / (9.0 * r + 10.0 * H) - L);
}

float ResidualShapeFactor(float Dc, float H, float L, float N) {
  const float x = Store(static_cast<double>(Dc) / H);
  const float F = ShapeFactor(x);
  return Store(static_cast<double>(F) * N * N * Dc - L);
}

float TurnsWheeler(float D, float H, float L) { return SolveTurns(D, H, L, ResidualWheeler); }

float TurnsShapeFactor(float D, float H, float L) {
  return SolveTurns(D, H, L, ResidualShapeFactor);
}

double WireLength(float Dc, float N, float lengthScale) {
  const float scaled = Store(static_cast<double>(lengthScale) * Dc);
  return static_cast<double>(scaled) * PI_APPROX * N;
}

float MaxWireGauge(float H, float N) {
  const float d = Store(static_cast<double>(H) * USABLE_PITCH / N);
  const float g = Store(std::ceil(-20.0 * std::log10(static_cast<double>(d)) - 10.0));
  // Rounding up picks the next thinner wire; 0 also stands for anything heavier.
  if (g <= 0) return 0;
  return g;
}

float StrayCapacitance(float Dc, float N) {
  return Store(static_cast<double>(Dc) * CAPACITANCE_FACTOR / (static_cast<double>(N) - 1));
}

float SelfResonantFrequency(float C, float L) {
  return Store(RESONANCE_FACTOR / std::sqrt(static_cast<double>(C) * L));
}
