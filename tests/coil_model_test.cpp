// The coil model on four example coils, the shape-factor curve and the boundaries.
#include "coil_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The expected values below are written to six significant digits.
std::string SixDigits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

struct Value {
  const char* what;
  double actual;
  const char* expected;
};

// Centre diameter of the 2 x 1 inch coil for 10 uH (13.397 turns), as the solve stores it.
const float DC_D = static_cast<float>(2 + 1 / static_cast<double>(13.397f));

// Four example coils, labelled A to D by the comment before each, and the shape-factor curve.
const Value VALUES[] = {
    {"F(1)", ShapeFactor(1.0f), "0.017307"},
    {"F(1.1)", ShapeFactor(1.1f), "0.0183894"},
    {"F(2)", ShapeFactor(2.0f), "0.0263215"},
    {"F(5)", ShapeFactor(5.0f), "0.0400184"},
    {"F(10)", ShapeFactor(10.0f), "0.0504392"},
    {"F(10.5)", ShapeFactor(10.5f), "0.0509767"},
    // A: 1 x 1 in, 10 turns: short-coil formula.
    {"A inductance", CoilInductance(1, 1, 10), "2.02284"},
    {"A Wheeler", InductanceWheeler(1, 1, 10), "2.02341"},
    {"A wire length", WireLength(1.1f, 10, 1.0f), "34.5575"},
    {"A capacitance", StrayCapacitance(1.1f, 10), "1.39211"},
    {"A resonance", SelfResonantFrequency(StrayCapacitance(1.1f, 10), CoilInductance(1, 1, 10)),
     "94.8693"},
    // B: 0.5 x 1 in, 20 turns: Wheeler.
    {"B inductance", CoilInductance(0.5f, 1, 20), "2.42485"},
    {"B wire length", WireLength(0.55f, 20, 1.0f), "34.5575"},
    {"B capacitance", StrayCapacitance(0.55f, 20), "0.329711"},
    {"B resonance", SelfResonantFrequency(StrayCapacitance(0.55f, 20), CoilInductance(0.5f, 1, 20)),
     "178.047"},
    // C: 10 mm x 20 mm, 15 turns, entered in millimetres.
    {"C inductance", CoilInductance(10 / 25.4f, 20 / 25.4f, 15), "1.13326"},
    {"C wire length", WireLength(0.446194f, 15, 25.4f), "534.07"},
    {"C capacitance", StrayCapacitance(0.446194f, 15), "0.363011"},
    {"C resonance", SelfResonantFrequency(0.363011f, 1.13326f), "248.209"},
    // D: turns for 10 uH on a 2 x 1 in form.
    {"D turns", CoilTurns(2, 1, 10), "13.397"},
    {"D wire length", WireLength(DC_D, 13.397f, 1.0f), "87.3174"},
    {"D capacitance", StrayCapacitance(DC_D, 13.397f), "1.90612"},
    {"D resonance", SelfResonantFrequency(1.90612f, 10), "36.4643"},
    // The search for D: the residual at 2 turns, and at the 11th midpoint, 2 + 16382 / 2^11.
    {"D residual at 2", ResidualShapeFactor(2.5f, 1, 10, 2), "-9.70375"},
    {"D residual at pass 11", ResidualShapeFactor(2 + 1 / 9.9990234375f, 1, 10, 9.9990234375f),
     "-4.32375"},
    // Dc/H exactly 1 takes Wheeler's formula.
    {"Dc equal to H", CoilInductance(0.25f, 0.5f, 2), "0.0344828"},
};

TEST(CoilModel, FormulasGiveTheirValuesForKnownCoils) {
  for (const Value& v : VALUES) EXPECT_EQ(SixDigits(v.actual), v.expected) << v.what;
}

// The same examples bit for bit, as stored (the wire lengths are the unrounded doubles that
// the display formats), printed by the independent reference tests/reference/coil_reference.py.
const float MM_D = 10 / 25.4f;  // coil C, 10 x 20 mm, in inches
const float MM_H = 20 / 25.4f;
const float DC_C = static_cast<float>(MM_D + static_cast<double>(MM_H) / 15);

struct Bits {
  const char* what;
  double actual;
  double expected;
};

const Bits STORED[] = {
    {"F(1)", ShapeFactor(1.0f), 0x1.1b8ebp-6},
    {"F(1.1)", ShapeFactor(1.1f), 0x1.2d4aep-6},
    {"F(2)", ShapeFactor(2.0f), 0x1.af407p-6},
    {"F(5)", ShapeFactor(5.0f), 0x1.47d4c4p-5},
    {"F(10)", ShapeFactor(10.0f), 0x1.9d32a8p-5},
    {"F(10.5)", ShapeFactor(10.5f), 0x1.a199e6p-5},
    {"A inductance", CoilInductance(1, 1, 10), 0x1.02ec58p+1},
    {"A Wheeler", InductanceWheeler(1, 1, 10), 0x1.02ff26p+1},
    {"A wire length", WireLength(1.1f, 10, 1.0f), 0x1.1475be6487e8p+5},
    {"A capacitance", StrayCapacitance(1.1f, 10), 0x1.646166p+0},
    {"A resonance", SelfResonantFrequency(StrayCapacitance(1.1f, 10), CoilInductance(1, 1, 10)),
     0x1.7b7a24p+6},
    {"B inductance", CoilInductance(0.5f, 1, 20), 0x1.36617ap+1},
    {"B wire length", WireLength(0.55f, 20, 1.0f), 0x1.1475be6487e8p+5},
    {"B capacitance", StrayCapacitance(0.55f, 20), 0x1.519fa4p-2},
    {"B resonance", SelfResonantFrequency(StrayCapacitance(0.55f, 20), CoilInductance(0.5f, 1, 20)),
     0x1.6417f8p+7},
    {"C inductance", CoilInductance(MM_D, MM_H, 15), 0x1.221d78p+0},
    {"C wire length", WireLength(DC_C, 15, 25.4f), 0x1.0b08ffc2561ep+9},
    {"C capacitance", StrayCapacitance(DC_C, 15), 0x1.73b91ep-2},
    {"C resonance",
     SelfResonantFrequency(StrayCapacitance(DC_C, 15), CoilInductance(MM_D, MM_H, 15)),
     0x1.f06b2ap+7},
    {"D turns", CoilTurns(2, 1, 10), 0x1.acb43ap+3},
    {"D wire length", WireLength(DC_D, 13.397f, 1.0f), 0x1.5d44f9d393b5fp+6},
    {"D capacitance", StrayCapacitance(DC_D, 13.397f), 0x1.e7f798p+0},
    {"D resonance", SelfResonantFrequency(StrayCapacitance(DC_D, 13.397f), 10), 0x1.23b6dcp+5},
    {"D residual at 2", ResidualShapeFactor(2.5f, 1, 10, 2), -0x1.368522p+3},
    {"D residual at pass 11", ResidualShapeFactor(2 + 1 / 9.9990234375f, 1, 10, 9.9990234375f),
     -0x1.14b85ep+2},
    {"E turns", CoilTurns(1, 1, 2.022838f), 0x1.3fef9ep+3},
    {"Dc equal to H", CoilInductance(0.25f, 0.5f, 2), 0x1.1a7b96p-5},
    // The flattest coil the checks accept, 10 x 1 in: here the x^6 term's last bits count.
    {"10 x 1 in, 10 turns", CoilInductance(10, 1, 10), 0x1.987a72p+5},
    // The search's 5th midpoint, 1537.8125 turns, lies halfway between two thousandths.
    {"tie to even", CoilTurns(0.5f, 1, CoilInductance(0.5f, 1, 1537.8125f)), 0x1.8073f8p+10},
};

TEST(CoilModel, StoredValuesBitForBit) {
  for (const Bits& v : STORED) EXPECT_EQ(v.actual, v.expected) << v.what;
}

TEST(CoilModel, ShapeFactorRisesOverItsRange) {
  float previous = ShapeFactor(1.0f);
  for (float x = 1.01f; x <= 10.5f; x += 0.01f) {
    const float f = ShapeFactor(x);
    ASSERT_GT(f, previous) << "x = " << x;
    previous = f;
  }
}

struct Turns {
  const char* what;
  float actual;
  float expected;
};

const Turns TURNS[] = {
    {"D: short-coil formula", CoilTurns(2, 1, 10), 13.397f},
    // E: D/H = 1 is not above 1, so Wheeler's formula is solved, giving 9.998 and not 10.
    {"E: Wheeler at D = H", CoilTurns(1, 1, 2.022838f), 9.998f},
    {"F: B solved back", TurnsWheeler(0.5f, 1, 2.42485f), 20.0f},
    {"two turns give more", CoilTurns(0.2f, 1, 0.01f), -1.0f},
    {"zero inductance", CoilTurns(1, 1, 0), -1.0f},
    {"negative inductance", CoilTurns(1, 1, -5), -1.0f},
    {"16384 turns give less", CoilTurns(1, 1, 1e9f), -1.0f},
    {"not a number", CoilTurns(1, 1, std::nanf("")), -1.0f},
    {"infinite coil", CoilTurns(INFINITY, INFINITY, 10), -1.0f},
};

TEST(CoilModel, TurnSolvers) {
  for (const Turns& t : TURNS) EXPECT_EQ(t.actual, t.expected) << t.what;
}

TEST(CoilModel, TurnsRoundTripThroughInductance) {
  // The turns found for an inductance give that inductance back within the tolerance plus
  // what rounding to 3 decimals costs.
  for (float D : {0.2f, 0.5f, 1.0f, 2.0f, 5.0f}) {
    for (float H : {0.5f, 1.0f, 2.0f}) {
      if (D / H > 10 || H / D > 10) continue;
      for (float N : {3.0f, 10.0f, 47.0f, 300.0f, 5000.0f}) {
        const float L = CoilInductance(D, H, N);
        const float found = CoilTurns(D, H, L);
        ASSERT_GT(found, 0) << D << " " << H << " " << N;
        EXPECT_NEAR(found, N, 0.01f * N) << D << " " << H << " " << N;
      }
    }
  }
}

struct Gauge {
  float H;
  float N;
  float expected;
};

const Gauge GAUGES[] = {
    {1, 10, 11},        // d = 0.095: 10.446 rounds up to 11
    {1, 20, 17},        // the 0.5 x 1 inch coil of 20 turns
    {0.5f, 2, 3},       // the small coil
    {1, 2, 0},          // coarse: the expression is below 0
    {0.1f, 16384, 95},  // very fine: numbers as they come
    {10, 2, 0},
};

TEST(CoilModel, MaxWireGauge) {
  for (const Gauge& g : GAUGES) EXPECT_EQ(MaxWireGauge(g.H, g.N), g.expected) << g.H << "/" << g.N;
}

// Dc x 11.39 / (N - 1), worked in double and rounded to a float once: from the fewest turns, 2,
// to the most, and at fractions of a turn a solve for turns finds, where float arithmetic rounds
// twice and lands a float higher (values by numpy's float32 and float64).
TEST(CoilModel, StrayCapacitanceRoundedOnce) {
  const struct {
    float Dc, N, expected;
  } cases[] = {{1.5f, 2, 0x1.115c2ap+4f},
               {1.409f, 2.5f, 0x1.565e44p+3f},  // in float: 0x1.565e46p+3
               {0.6594f, 47, 0x1.4e622ap-3f},   // in float: 0x1.4e622cp-3
               {1.1f, 16384, 0x1.90f3d6p-11f}};
  for (const auto& c : cases)
    EXPECT_EQ(StrayCapacitance(c.Dc, c.N), c.expected) << c.Dc << " " << c.N;
}

TEST(CoilModel, WireLengthIsNotRoundedToFloat) {
  // (25.4 * 1.1, stored) * 3.14159 * 10 carries more digits than a float holds.
  const double length = WireLength(1.1f, 10, 25.4f);
  EXPECT_EQ(length, static_cast<double>(static_cast<float>(25.4f * static_cast<double>(1.1f))) *
                        3.14159f * 10);
  EXPECT_NE(length, static_cast<double>(static_cast<float>(length)));
}

}  // namespace
