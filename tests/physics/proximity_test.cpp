// Tests of the winding's proximity ratio: against the numerical model off the table's grid,
// and at its limits.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "coil_frequency.h"

namespace {

// The model's values at random coils (H/Dw 0.1-10, p/d 1.05-5, 2-200 turns, d/delta
// 0.5-100) written by scripts/proximity_model.py: the interpolation must stay within 2 %.
TEST(ProximityRatio, AgreesWithTheModelOffItsGrid) {
  std::ifstream file(COILCALC_PROXIMITY_CHECKS);
  ASSERT_TRUE(file) << COILCALC_PROXIMITY_CHECKS;
  std::string line;
  int count = 0;
  double worst = 0;
  std::string worstLine;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    double shape = 0, pitch = 0, turns = 0, x = 0, want = 0;
    ASSERT_TRUE(in >> shape >> pitch >> turns >> x >> want) << line;
    double error = std::fabs(ProximityRatio(shape, pitch, turns, x) / want - 1);
    EXPECT_LE(error, 0.02) << line << ": " << ProximityRatio(shape, pitch, turns, x);
    if (error > worst) worst = error, worstLine = line;
    ++count;
  }
  EXPECT_GE(count, 30);
  std::printf("%d coils, worst %.2f %% at %s\n", count, 100 * worst, worstLine.c_str());
}

// The limits, and arguments no coil has: always a finite ratio of at least 1.
TEST(ProximityRatio, LimitsAndArgumentsOffTheTable) {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double INF = std::numeric_limits<double>::infinity();
  constexpr double MAX = std::numeric_limits<double>::max();
  struct Case {
    double shape, pitch, turns, x;
    bool exactlyOne;
  };
  const Case cases[] = {
      {1, 1.1, 10, 0, true},                 // DC
      {1, 1.1, 10, -3, true},                // no frequency below zero
      {1, INF, 10, 50, true},                // turns infinitely far apart
      {1, 1.1, 10, NaN, true},               // not a number, in each place
      {NaN, 1.1, 10, 5, true},               // ...
      {1, NaN, 10, 5, true},                 // ...
      {1, 1.1, NaN, 5, true},                // ...
      {1, 1.1, 10, 1e-300, false},           // barely above DC
      {1, 1.1, 10, MAX, false},              // far above the table's d/delta
      {MAX, 0.5, MAX, MAX, false},           // beyond the table in every direction
      {1e-300, 1e300, 1e-300, 1e-3, false},  // below it in every direction
      {-5, -2, -7, 20, false},               // negative sizes
      {0, 0, 0, INF, false},                 // zero sizes, infinite frequency
  };
  for (const Case& c : cases) {
    double r = ProximityRatio(c.shape, c.pitch, c.turns, c.x);
    SCOPED_TRACE(::testing::Message()
                 << c.shape << " " << c.pitch << " " << c.turns << " " << c.x << " -> " << r);
    if (c.exactlyOne) {
      EXPECT_EQ(r, 1.0);
    } else {
      EXPECT_TRUE(std::isfinite(r));
      EXPECT_GE(r, 1.0);
      EXPECT_LT(r, 100.0);
    }
  }
}

// Continuous where the axes' treatment changes: at the first d/delta of the table (the x^4
// law below), at its last turns (the logarithmic line above) and at the 200 turns it stops.
TEST(ProximityRatio, ContinuousWhereItsRulesMeet) {
  const double edges[][4] = {{1, 1.2, 10, 1.0}, {0.5, 1.1, 45, 20}, {2, 1.05, 200, 30}};
  for (const auto& e : edges) {
    double below[4] = {e[0], e[1], e[2], e[3]}, above[4] = {e[0], e[1], e[2], e[3]};
    int axis = e[3] == 1.0 ? 3 : 2;
    below[axis] *= 1 - 1e-9;
    above[axis] *= 1 + 1e-9;
    EXPECT_NEAR(ProximityRatio(below[0], below[1], below[2], below[3]),
                ProximityRatio(above[0], above[1], above[2], above[3]), 1e-6)
        << e[0] << " " << e[1] << " " << e[2] << " " << e[3];
  }
}

// Above 200 turns, the most the model's checks reach, the ratio is held: the growth extrapolated
// from the table's last turns stops there.
TEST(ProximityRatio, HeldAbove200Turns) {
  for (const double x : {0.5, 3.0, 40.0}) {
    const double at200 = ProximityRatio(1, 1.2, 200, x);
    EXPECT_GT(at200, ProximityRatio(1, 1.2, 150, x)) << x;
    for (const double turns : {201.0, 1000.0, 1e9})
      EXPECT_EQ(ProximityRatio(1, 1.2, turns, x), at200);
  }
}

// Below the table's first d/delta (1) the eddy currents' loss, and so the excess over 1, grows
// as (d/delta)^4; a pitch finer than the wire (which no coil that fits reaches) counts as
// touching turns.
TEST(ProximityRatio, LowFrequencyLawAndTouchingTurns) {
  const double atFirst = ProximityRatio(1, 1.2, 10, 1.0) - 1;
  EXPECT_NEAR(ProximityRatio(1, 1.2, 10, 0.5) - 1, atFirst / 16, 1e-12 * atFirst);
  EXPECT_NEAR(ProximityRatio(1, 1.2, 10, 0.1) - 1, atFirst / 1e4, 1e-12 * atFirst);
  for (double x : {0.7, 5.0, 60.0}) {
    EXPECT_EQ(ProximityRatio(2, 0.5, 30, x), ProximityRatio(2, 1.0, 30, x)) << x;
  }
}

}  // namespace
