// Tests of the coil over a band: the circuit against the reference's own values at a
// frequency, its resonance, the band's points, the ladder's fit, and how a sweep is read.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "coil_sweep.h"
#include "ladder_fit.h"
#include "solve_reference.h"

namespace {

constexpr double INCH = 0.0254;

struct Coil {
  double D, H, N, d;  // metres and turns
};

// From a small VHF coil to a 240-turn one, and a close-wound one whose proximity effect is
// strong.
const Coil COILS[] = {
    {0.25 * INCH, 0.25 * INCH, 4, 0.05 * INCH}, {6e-3, 10e-3, 8, 0.8e-3},
    {1 * INCH, 1 * INCH, 10, 0.0907 * INCH},    {2 * INCH, 4 * INCH, 60, 0.0201 * INCH},
    {3 * INCH, 10 * INCH, 240, 0.0285 * INCH},  {20e-3, 20e-3, 20, 0.95e-3},
};

CoilCircuit CircuitOf(const Coil& c, CoilReference& reference) {
  CoilCircuit circuit;
  EXPECT_EQ(ComputeCoilReference(c.D, c.H, c.N, c.d, reference), ReferenceFault::NONE);
  EXPECT_EQ(MakeCoilCircuit(c.D, c.H, c.N, c.d, reference, 20, circuit), ReferenceFault::NONE);
  return circuit;
}

// Below the self-resonance the sweep is the reference's apparent resistance and reactance but
// for terms in 1/Q^2; X is 0 at f0 itself, and |Z| peaks there.
TEST(Sweep, IsTheReferencesApparentCoilBelowItsResonance) {
  for (const Coil& c : COILS) {
    CoilReference reference;
    const CoilCircuit circuit = CircuitOf(c, reference);
    const double f0 = reference.selfResonance;
    FrequencyReference atF0;
    ASSERT_EQ(ComputeFrequencyReference(c.D, c.H, c.N, c.d, reference, f0, 20, atF0),
              ReferenceFault::NONE);
    std::vector<ImpedancePoint> points;
    ASSERT_EQ(SweepCircuit(circuit, {f0 / 100, 0.95 * f0, 101}, points), ReferenceFault::NONE);
    for (const ImpedancePoint& p : points) {
      FrequencyReference at;
      ASSERT_EQ(ComputeFrequencyReference(c.D, c.H, c.N, c.d, reference, p.frequency, 20, at),
                ReferenceFault::NONE);
      const double r2 = (p.frequency / f0) * (p.frequency / f0);
      const double term = r2 / (at.q * (1 - r2));
      // The capacitance, chosen with R(f0) in it, is 1 / (w0^2 L) less a part in Q(f0)^2.
      const double allowed =
          2 * term * term + 4 * r2 / (1 - r2) * (1 / (atF0.q * atF0.q) + 1 / (at.q * at.q)) + 1e-12;
      EXPECT_NEAR(p.resistance / at.apparentResistance, 1, allowed) << p.frequency;
      const double reactance = 2 * std::numbers::pi * p.frequency * at.apparentInductance;
      EXPECT_NEAR(p.reactance / reactance, 1, allowed) << p.frequency;
    }
    double resistance = 0;
    ASSERT_EQ(CircuitResistance(circuit, f0, resistance), ReferenceFault::NONE);
    const std::complex<double> atResonance = CircuitImpedance(circuit, f0, resistance);
    EXPECT_LT(std::fabs(atResonance.imag()), 1e-9 * atResonance.real());
    ASSERT_EQ(SweepCircuit(circuit, {0.95 * f0, 1.05 * f0, 2001}, points), ReferenceFault::NONE);
    const ImpedancePoint* peak = &points[0];
    for (const ImpedancePoint& p : points) {
      if (std::hypot(p.resistance, p.reactance) > std::hypot(peak->resistance, peak->reactance))
        peak = &p;
    }
    EXPECT_NEAR(peak->frequency / f0, 1, 1e-4);
    EXPECT_LT(points.back().reactance, 0);  // capacitive above
  }
}

TEST(Sweep, PointsAreSpacedLogarithmicallyWithBothEnds) {
  const SweepBand band{1e6, 30e6, 201};
  EXPECT_EQ(SweepFrequency(band, 0), 1e6);
  EXPECT_EQ(SweepFrequency(band, 200), 30e6);
  const double step = std::pow(30.0, 1.0 / 200);
  for (int k = 1; k < 200; ++k)
    EXPECT_NEAR(SweepFrequency(band, k) / SweepFrequency(band, k - 1), step, 1e-12) << k;
}

// A band that the reference cannot reach is refused as a whole.
TEST(Sweep, RefusesABandBeyondTheReference) {
  CoilReference reference;
  const CoilCircuit circuit = CircuitOf(COILS[2], reference);
  std::vector<ImpedancePoint> points = {{}};
  EXPECT_EQ(SweepCircuit(circuit, {1, 1e300, 3}, points), ReferenceFault::FREQUENCY_OUT_OF_RANGE);
  EXPECT_EQ(points.size(), 1u);
}

// The default band: two-digit whole numbers of hertz, from below a tenth of the lower of the
// working frequency and the self-resonance to above twice the higher.
TEST(Sweep, DefaultBandCanBeTyped) {
  const double cases[][2] = {{145.77e6, 7.1e6}, {145.77e6, 0}, {3.38e6, 455e3}, {1e9, 3e9}};
  for (const auto& [f0, f] : cases) {
    const SweepBand band = DefaultSweepBand(f0, f);
    for (double end : {band.from, band.to}) {
      double scale = 1;
      while (end / scale >= 100) scale *= 10;
      EXPECT_EQ(end / scale, std::floor(end / scale)) << end;
    }
    EXPECT_LE(band.from, (f > 0 ? std::min(f, f0) / 10 : f0 / 100));
    EXPECT_GE(band.from, (f > 0 ? std::min(f, f0) / 10 : f0 / 100) * 0.9);
    EXPECT_GE(band.to, 2 * std::max(f, f0));
    EXPECT_LE(band.to, 2 * std::max(f, f0) * 1.1);
  }
}

// The ladder follows the coil's resistance and reactance over its default band within 1.1 %
// (a close-wound coil's reactance the worst) and a narrow band within 1 %, and the whole fitted
// circuit its impedance up to near the resonance within 3 times that. Over a band that reaches
// down to where Q is low, a ladder of resistances and inductances, whose inductance falls as
// its resistance rises, cannot keep the reactance as close: 5 % there.
TEST(Ladder, FollowsTheCoilOverTheBand) {
  for (const Coil& c : COILS) {
    CoilReference reference;
    const CoilCircuit circuit = CircuitOf(c, reference);
    const double f0 = reference.selfResonance;
    const std::pair<SweepBand, double> bands[] = {{DefaultSweepBand(f0, 0), 0.011},
                                                  {{f0 / 3, f0 / 2, 2}, 0.01},
                                                  {{f0 / 1e3, 3 * f0, 2}, 0.05}};
    for (const auto& [band, limit] : bands) {
      LadderFit fit;
      ASSERT_EQ(FitLadder(circuit, band, fit), ReferenceFault::NONE);
      EXPECT_LT(fit.worstResistanceError, limit) << band.from << " " << band.to;
      EXPECT_LT(fit.worstReactanceError, limit) << band.from << " " << band.to;
      EXPECT_GE(fit.branches, 1);
      std::vector<ImpedancePoint> points;
      ASSERT_EQ(SweepCircuit(circuit, {band.from, std::min(band.to, 0.9 * f0), 50}, points),
                ReferenceFault::NONE);
      for (const ImpedancePoint& p : points) {
        const std::complex<double> z = LadderImpedance(fit, p.frequency);
        EXPECT_NEAR(std::abs(z) / std::hypot(p.resistance, p.reactance), 1, 3 * limit)
            << c.N << " turns, " << band.from << " to " << band.to << ": " << p.frequency;
      }
    }
  }
}

TEST(Sweep, ReadsItsBand) {
  struct Case {
    const char* text;
    double from, to;
    int points;
  };
  const Case cases[] = {{"1MHz:30MHz", 1e6, 30e6, 201},
                        {"455 kHz:10.7MHz:11", 455e3, 10.7e6, 11},
                        {"1:2:2", 1, 2, 2},
                        {"1e3:1GHz:100000", 1e3, 1e9, 100000}};
  for (const Case& c : cases) {
    SweepBand band;
    std::string error;
    ASSERT_TRUE(ReadSweep(c.text, band, error)) << c.text << ": " << error;
    EXPECT_EQ(band.from, c.from) << c.text;
    EXPECT_EQ(band.to, c.to) << c.text;
    EXPECT_EQ(band.points, c.points) << c.text;
  }
  for (const char* bad : {"", ":", "1MHz:", ":1MHz", "2MHz:1MHz", "1MHz:2MHz:0", "1MHz:2MHz:-3",
                          "1MHz:2MHz:1e3", "1MHz:2MHz:100001", "1MHz:2MHz:3:", "0:1MHz"}) {
    SweepBand band;
    std::string error;
    EXPECT_FALSE(ReadSweep(bad, band, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
