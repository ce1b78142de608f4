// The designer's one-dimensional searches on functions whose answers are known.
#include "line_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using line_search::Maximise;
using line_search::NONE;
using line_search::SolveIncreasing;

// A peak of -(u - peak)^2 on [0, 1], defined only from `from` on: the highest point is the peak
// or, where it lies outside, the edge of where the function is defined.
TEST(LineSearch, MaximiseFindsThePeakOrTheEdgeOfTheLimit) {
  const struct {
    double peak, from, expected;
  } cases[] = {
      {0.13, 0, 0.13}, {0.5, 0, 0.5},     {0.87, 0, 0.87}, {1.7, 0, 1},  // inside, at an end
      {0.2, 0.4, 0.4}, {0.2, 0.61, 0.61}, {0.7, 0.3, 0.7},  // held by the limit, or not
  };
  for (const auto& c : cases) {
    const auto f = [&](double u) { return u < c.from ? NONE : -(u - c.peak) * (u - c.peak); };
    const line_search::Peak found = Maximise(f, 0, 1, 5, 1e-6);
    EXPECT_NEAR(found.u, c.expected, 1e-5) << c.peak << " from " << c.from;
  }
  EXPECT_EQ(Maximise([](double) { return NONE; }, 0, 1, 5, 1e-6).value, NONE);
}

TEST(LineSearch, SolveIncreasingFindsTheRootOrSaysWhichSideItLies) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double offset;
    double expected;  // NaN: none
    int side;
  } cases[] = {{0.2, std::cbrt(0.2), 0}, {0.6, std::cbrt(0.6), 0}, {-0.1, NAN, -1}, {0.8, NAN, 1}};
  for (const auto& c : cases) {
    // +infinity above 0.9, as an apparent inductance past the self-resonance.
    const auto g = [&](double u) { return u > 0.9 ? inf : u * u * u - c.offset; };
    for (const double start : {0.0, 0.3, 1.0}) {
      int side = 7;
      const double u = SolveIncreasing(g, 0, 0.85, start, 1.0, side);
      if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(u)) << c.offset;
        EXPECT_EQ(side, c.side) << c.offset;
      } else {
        EXPECT_NEAR(u, c.expected, 1e-9) << c.offset << " from " << start;
      }
    }
  }
}

}  // namespace
