// Tests of the physics reference: 30-digit values, published tables, limits and bad coils.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "coil_physics.h"
#include "helix_resonance.h"
#include "physics_test_support.h"
#include "reference_format.h"

namespace {

// Every line of the vector file: the kind, the inputs and the 30-digit values. Sheet values
// must agree to 1e-13, everything else to 1e-12 (tighter than a reference needs, so that a
// truncated series or a stopped iteration shows), but the sheath helix's resonance, whose
// quadrature is laid out for 1e-9, to that, and the grounded coil's, laid out for 1e-6, to
// 2e-6; the largest error of each kind is printed.
TEST(PhysicsVectors, AgreeWithThirtyDigitValues) {
  std::ifstream file(COILCALC_PHYSICS_VECTORS);
  ASSERT_TRUE(file) << COILCALC_PHYSICS_VECTORS;
  const std::map<std::string, std::pair<int, double>> shape = {
      {"nagaoka", {1, 1e-13}},   {"sheet", {3, 1e-13}},    {"mutual", {1, 1e-12}},
      {"wire", {4, 1e-12}},      {"medhurst", {2, 1e-12}}, {"helical", {3, 1e-12}},
      {"reference", {4, 1e-12}}, {"turns", {4, 1e-12}},    {"sheath", {4, 1e-9}},
      {"grounded", {5, 2e-6}}};
  std::map<std::string, int> count;
  std::map<std::string, double> worst;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    ASSERT_TRUE(shape.count(kind)) << line;
    const auto [inputCount, tolerance] = shape.at(kind);
    std::vector<double> in(inputCount);
    for (double& value : in) fields >> value;
    std::vector<double> want;
    for (std::string word; fields >> word;) want.push_back(std::stod(word));
    ASSERT_FALSE(fields.bad() || want.empty()) << line;

    std::vector<double> got;
    if (kind == "nagaoka") got = {NagaokaCoefficient(in[0])};
    if (kind == "sheet") got = {SheetInductance(in[0], in[1], in[2])};
    if (kind == "mutual") got = {MutualCorrection(in[0])};
    if (kind == "wire") got = {RoundWireInductance(in[0], in[1], in[2], in[3])};
    if (kind == "medhurst") got = {MedhurstCapacitance(in[0], in[1])};
    if (kind == "helical") got = {HelicalResonance(in[0], in[1], in[2])};
    if (kind == "turns") got = {ReferenceTurns(in[0], in[1], in[2], in[3])};
    if (kind == "sheath") got = {HelixResonance(in[0] + in[3], in[1], in[2], in[3])};
    if (kind == "grounded")
      got = {GroundedHelixResonance(in[0] + in[3], in[1], in[2], in[3], in[4])};
    if (kind == "reference") {
      CoilReference reference;
      ASSERT_EQ(ComputeCoilReference(in[0], in[1], in[2], in[3], reference), ReferenceFault::NONE)
          << line;
      got = {reference.sheetInductance,  reference.inductance,      reference.selfCapacitance,
             reference.helicalResonance, reference.lumpedResonance, reference.selfResonance};
    }
    ASSERT_EQ(got.size(), want.size()) << line;
    for (std::size_t i = 0; i < got.size(); ++i) {
      if (std::isnan(want[i])) {
        EXPECT_TRUE(std::isnan(got[i])) << line;
        continue;
      }
      const double error = RelativeError(got[i], want[i]);
      const bool sheathValue = kind == "reference" && i == 5;
      EXPECT_LE(error, sheathValue ? 1e-9 : tolerance)
          << line << "\n  value " << i << ": " << got[i];
      worst[kind] = std::max(worst[kind], error);
    }
    ++count[kind];
  }
  EXPECT_EQ(count.size(), shape.size()) << "a kind of line is missing from the file";
  for (const auto& [kind, error] : worst)
    std::printf("  %-9s %3d lines, largest relative error %.2g\n", kind.c_str(), count[kind],
                error);
}

// Published tables: Nagaoka's coefficient (Nagaoka 1909; Rosa and Grover, Bull. Bureau of
// Standards 8, 1912) to the digits printed, Grover's mutual term (Inductance Calculations,
// 1946) to 4 decimals, and American Wire Gauge diameters in inches (ASTM B258).
TEST(PhysicsTables, NagaokaCoefficient) {
  const struct {
    double ratio, value, digits;
  } rows[] = {{0.1, 0.9588, 4}, {0.2, 0.9201, 4}, {0.5, 0.8181, 4}, {1, 0.688423, 6},
              {2, 0.5255, 4},   {5, 0.3198, 4},   {10, 0.2033, 4}};
  for (const auto& row : rows)
    EXPECT_NEAR(NagaokaCoefficient(row.ratio), row.value, 0.5 * std::pow(10, -row.digits))
        << "diameter/length " << row.ratio;
}

TEST(PhysicsTables, RosaMutualTerm) {
  const struct {
    double turns, value;
  } rows[] = {{2, 0.1137}, {5, 0.2180}, {10, 0.2664}, {20, 0.2964}, {50, 0.3182}, {100, 0.3269}};
  for (const auto& row : rows)
    EXPECT_NEAR(MutualCorrection(row.turns), row.value, 0.5e-4) << row.turns << " turns";
}

TEST(PhysicsTables, WireGauge) {
  const struct {
    double gauge, inches;
  } rows[] = {{-3, 0.4600}, {0, 0.3249}, {10, 0.1019}, {20, 0.0320}, {30, 0.0100}, {36, 0.0050}};
  for (const auto& row : rows)
    EXPECT_NEAR(AwgDiameter(row.gauge) / METRES_PER_INCH, row.inches, 0.5e-4) << row.gauge;
}

// Limits: the long-coil series 1 - 4r/(3 pi) + r^2/8 - r^4/64 (r = diameter/length), the
// short-coil series of a sheet much wider than long, and the ends of the ranges.
TEST(PhysicsLimits, LongAndShortCoilSeries) {
  for (double r : {1e-2, 1e-3, 1e-5, 1e-8}) {
    const double series = 1 - 4 * r / (3 * std::numbers::pi) + r * r / 8 - r * r * r * r / 64;
    EXPECT_LE(RelativeError(NagaokaCoefficient(r), series), 1e-13) << r;
  }
  for (double r : {100.0, 1e3, 1e6, 1e150, 1e300}) {
    // A sheet r across and 1 long, one turn, a = r/2, l = ln(8a):
    // mu0 a (l - 1/2 + (l + 1/4) / (32 a^2) - (l - 2/3) / (1024 a^4) + ...).
    const double a = r / 2;
    const double l = std::log(8 * a);
    const double a2 = a * a;
    const double series =
        MU0 * a * (l - 0.5 + (l + 0.25) / 32 / a2 - (l - 2.0 / 3) / 1024 / a2 / a2);
    EXPECT_LE(RelativeError(SheetInductance(r, 1, 1), series), 1e-13) << r;
  }
  EXPECT_EQ(NagaokaCoefficient(0), 1);
  EXPECT_EQ(NagaokaCoefficient(INF), 0);
  EXPECT_TRUE(std::isnan(NagaokaCoefficient(-1)));
  EXPECT_NEAR(MutualCorrection(1e15), std::log(2 * std::numbers::pi) - 1.5, 1e-13);
  EXPECT_EQ(MutualCorrection(1), 0);
  EXPECT_TRUE(std::isnan(MutualCorrection(0.999)));
  EXPECT_EQ(MutualCorrection(INF), MutualCorrection(1e300));
}

// A single loop of thick wire against the textbook loop, mu0 a (ln(8a/rho) - 7/4): Rosa's
// terms with one turn give exactly that once the sheet is a loop of a short strip.
TEST(PhysicsLimits, OneTurnIsALoopOfRoundWire) {
  const double Dw = 0.1, width = 1e-4, d = 1e-4;
  const double a = Dw / 2;
  const double loop = MU0 * a * (std::log(8 * a / (d / 2)) - 1.75);
  EXPECT_LE(RelativeError(RoundWireInductance(Dw - d, width, 1, d), loop), 1e-6);
}

// A faster resonance for a longer pitch, the helical line's never above c / (2H); the sheath
// helix's in inverse proportion to the coil's size; the lumped value falls with the square
// root of the capacitance.
TEST(PhysicsLimits, Resonances) {
  const double H = 0.05, Dw = 0.03;
  double last = 0;
  double lastSheath = 0;
  for (double N : {1000.0, 100.0, 10.0, 2.0}) {
    const double f = HelicalResonance(Dw, H, N);
    EXPECT_GT(f, last) << N;
    EXPECT_LT(f, SPEED_OF_LIGHT / (2 * H)) << N;
    last = f;
    const double d = 0.3 * H / N;
    const double sheath = HelixResonance(Dw, H, N, d);
    EXPECT_GT(sheath, lastSheath) << N;
    EXPECT_LE(RelativeError(HelixResonance(Dw * 1e3, H * 1e3, N, d * 1e3) * 1e3, sheath), 1e-12);
    lastSheath = sheath;
  }
  EXPECT_NEAR(LumpedResonance(1e-6, 4e-12) / LumpedResonance(1e-6, 1e-12), 0.5, 1e-15);
}

TEST(PhysicsFaults, EveryBadCoilGetsItsFault) {
  const double in = METRES_PER_INCH;
  const struct {
    double D, H, N, d;
    ReferenceFault fault;
  } rows[] = {
      {0, in, 10, 1e-3, ReferenceFault::BAD_DIMENSIONS},
      {in, -in, 10, 1e-3, ReferenceFault::BAD_DIMENSIONS},
      {NaN, in, 10, 1e-3, ReferenceFault::BAD_DIMENSIONS},
      {in, INF, 10, 1e-3, ReferenceFault::BAD_DIMENSIONS},
      {in, in, 0.5, 1e-3, ReferenceFault::BAD_TURNS},
      {in, in, NaN, 1e-3, ReferenceFault::BAD_TURNS},
      {in, in, INF, 1e-3, ReferenceFault::BAD_TURNS},
      {in, in, 10, 0, ReferenceFault::BAD_WIRE},
      {in, in, 10, NaN, ReferenceFault::BAD_WIRE},
      {in, in, 10, 0.1001 * in, ReferenceFault::WIRE_TOO_THICK},
      {in, in, 10, in / 10, ReferenceFault::NONE},  // a wire exactly as thick as the pitch
      {1e200, 1e200, 10, 1e198, ReferenceFault::OUT_OF_RANGE},
      {1e-200, 1e-200, 10, 1e-201, ReferenceFault::OUT_OF_RANGE},
      {1e-300, 1e300, 10, 1e-301, ReferenceFault::OUT_OF_RANGE},  // H over Dw beyond doubles
      {1e300, 1e-300, 10, 1e-302, ReferenceFault::OUT_OF_RANGE},  // and below them
      {in, in, 10, 0.09 * in, ReferenceFault::NONE},
  };
  for (const auto& row : rows) {
    CoilReference reference;
    reference.inductance = -7;
    const ReferenceFault fault = ComputeCoilReference(row.D, row.H, row.N, row.d, reference);
    EXPECT_EQ(fault, row.fault) << row.D << " " << row.H << " " << row.N << " " << row.d;
    // Nothing is written on a fault.
    if (fault != ReferenceFault::NONE) {
      EXPECT_EQ(reference.inductance, -7);
    }
    EXPECT_STRNE(ReferenceFaultText(fault), "unknown fault");
  }
  EXPECT_TRUE(std::isnan(ReferenceTurns(in, in, 0.6 * in, 1e-6)));  // not even 2 turns fit
  EXPECT_TRUE(std::isnan(ReferenceTurns(in, in, 1e-3, -1)));
}

}  // namespace
