// The coil at its working frequency: copper's resistance, the skin effect of a round wire, Q,
// the coil near its self-resonance and the capacitor that tunes it.
#include "coil_frequency.h"

#include <cmath>
#include <complex>
#include <initializer_list>

namespace {

using Complex = std::complex<double>;

// Below this d/delta the power series, above it the asymptotic expansion. The series adds
// terms as large as exp(sqrt(2) d / (2 delta)) for a sum near exp(d / (2 delta)), losing
// exp(0.21 d/delta) ulps to cancellation; the expansion leaves out the second Hankel function,
// exp(-d/delta) of the first. They meet near 1e-13; against 30-digit values the worst is 4e-14.
constexpr double SERIES_UP_TO = 32;

// Re[S0 / S1] with S0 = sum y^k / (k!)^2 and S1 = sum y^k / (k! (k+1)!), y = j t: J0(x) and
// J1(x) / (x/2) for x = (1 - j) u, where -x^2/4 = j u^2 / 2 = y. Their ratio is (x/2) J0 / J1.
double SkinBySeries(double u) {
  const double t = u * u / 2;
  // The powers of j cycle through 1, j, -1, -j.
  double s0[2] = {0, 0};  // real and imaginary parts
  double s1[2] = {0, 0};
  double a = 1;  // t^k / (k!)^2
  double b = 1;  // t^k / (k! (k+1)!)
  for (int k = 0; k < 200; ++k) {
    if (k > 0) {
      a *= t / (static_cast<double>(k) * k);
      b *= t / (static_cast<double>(k) * (k + 1));
    }
    const double sign = (k % 4) < 2 ? 1 : -1;
    s0[k % 2] += sign * a;
    s1[k % 2] += sign * b;
    // Past the largest term, the rest is below the last one added.
    if (static_cast<double>(k) * k > t && a <= 1e-18 * (std::fabs(s0[0]) + std::fabs(s0[1]))) break;
  }
  const Complex ratio = Complex(s0[0], s0[1]) / Complex(s1[0], s1[1]);
  return ratio.real();
}

// For large |x|, J0 / J1 is the ratio of the first Hankel functions (the second is smaller by
// exp(-2u)): H0 / H1 = j P0 / P1 with P_nu = sum a_k(nu) (j/x)^k, Hankel's expansion,
// a_k(nu) = a_(k-1)(nu) (4 nu^2 - (2k - 1)^2) / (8k). With x = (1 - j) u, (x/2) j = (1 + j) u/2,
// so the real part of (x/2) J0 / J1 is (u/2)(Re q - Im q), q = P0 / P1.
double SkinByExpansion(double u) {
  const Complex w = Complex(-1, 1) / (2 * u);  // j / x
  Complex p0 = 1, p1 = 1;
  Complex term0 = 1, term1 = 1;
  for (int k = 1; k < 60; ++k) {
    const double odd = 2.0 * k - 1;
    term0 *= w * (-odd * odd / (8.0 * k));
    term1 *= w * ((4 - odd * odd) / (8.0 * k));
    p0 += term0;
    p1 += term1;
    if (std::abs(term0) + std::abs(term1) <= 1e-18) break;
  }
  const Complex q = p0 / p1;
  return u / 2 * (q.real() - q.imag());
}

}  // namespace

double CopperResistivity(double celsius) {
  return COPPER_RESISTIVITY_20C *
         (1 + COPPER_TEMPERATURE_COEFFICIENT * (celsius - REFERENCE_CELSIUS));
}

double SkinDepth(double rho, double f) { return std::sqrt(rho / (PI * f * MU0)); }

double HelixWireLength(double Dw, double H, double N) { return N * std::hypot(PI * Dw, H / N); }

// In a ring the field along the wire, and so the current, goes as 1/r, r from the coil's axis:
// each thread of the section conducts sigma dA / (2 pi r), and over a wire of radius b centred
// a from the axis, the integral of dA / r is 2 pi (a - sqrt(a^2 - b^2)). The ring's resistance
// (a + sqrt(a^2 - b^2)) / (sigma b^2) over the straight wire's 2 a / (sigma b^2) is then
// (1 + sqrt(1 - u)) / 2, u = (b/a)^2, in a form that loses nothing to cancellation.
double RingResistanceRatio(double wireOverCentre) {
  const double u = wireOverCentre * wireOverCentre;
  return (1 + std::sqrt(1 - u)) / 2;
}

double SkinEffectRatio(double dOverDelta) {
  if (!(dOverDelta >= 0)) return NOT_A_NUMBER;
  if (std::isinf(dOverDelta)) return dOverDelta;
  const double u = dOverDelta / 2;
  return dOverDelta <= SERIES_UP_TO ? SkinBySeries(u) : SkinByExpansion(u);
}

ReferenceFault ComputeFrequencyReference(double D, double H, double N, double d,
                                         const CoilReference& coil, double frequency,
                                         double celsius, FrequencyReference& result) {
  const ReferenceFault coilFault = CoilArgumentsFault(D, H, N, d);
  if (coilFault != ReferenceFault::NONE) return coilFault;
  for (double value : {coil.inductance, coil.selfCapacitance, coil.selfResonance}) {
    if (!IsPositive(value) || !std::isnormal(value)) return ReferenceFault::OUT_OF_RANGE;
  }
  if (!IsPositive(frequency)) return ReferenceFault::BAD_FREQUENCY;
  const double rho = CopperResistivity(celsius);
  if (!IsPositive(rho)) return ReferenceFault::BAD_TEMPERATURE;

  FrequencyReference out;
  out.frequency = frequency;
  out.skinDepth = SkinDepth(rho, frequency);
  const double Dw = D + d;
  const double dOverDelta = d / out.skinDepth;
  out.dcResistance =
      rho * HelixWireLength(Dw, H, N) / (PI * d * d / 4) * RingResistanceRatio(d / Dw);
  out.skinRatio = SkinEffectRatio(dOverDelta);
  out.proximityRatio = ProximityRatio(H / Dw, H / N / d, N, dOverDelta);
  out.acResistance = out.dcResistance * out.skinRatio * out.proximityRatio;
  const double omega = 2 * PI * frequency;
  out.q = omega * coil.inductance / out.acResistance;
  const double tuning = 1 / (omega * omega * coil.inductance);
  for (double value : {out.skinDepth, dOverDelta, out.dcResistance, out.skinRatio,
                       out.proximityRatio, out.acResistance, out.q, tuning}) {
    if (!std::isnormal(value) || !(value > 0)) return ReferenceFault::FREQUENCY_OUT_OF_RANGE;
  }
  out.tuningCapacitance = tuning - coil.selfCapacitance;
  if (out.tuningCapacitance < 0) out.tuningCapacitance = NOT_A_NUMBER;

  const double ratio = frequency / coil.selfResonance;
  const double below = 1 - ratio * ratio;  // > 0 below the self-resonance
  if (below > 0) {
    out.apparentInductance = coil.inductance / below;
    out.apparentResistance = out.acResistance / below / below;
    out.apparentQ = omega * out.apparentInductance / out.apparentResistance;
    for (double value : {out.apparentInductance, out.apparentResistance, out.apparentQ}) {
      if (!std::isnormal(value)) return ReferenceFault::FREQUENCY_OUT_OF_RANGE;
    }
  } else {
    out.apparentInductance = out.apparentResistance = out.apparentQ = NOT_A_NUMBER;
  }
  result = out;
  return ReferenceFault::NONE;
}
