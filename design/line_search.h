// The designer's one-dimensional searches: a root of an increasing function, and the highest
// value of a function over an interval where it may not be defined everywhere.
#pragma once

#include <limits>

namespace line_search {

inline constexpr double NONE = -std::numeric_limits<double>::infinity();

// A function of one variable borrowed for the length of a call: each search is compiled once,
// whatever it searches (the page's engine is the smaller).
struct Function {
  const void* object;
  double (*call)(const void* object, double u);
  template <class F>
  Function(const F& f)  // NOLINT: made from any callable, as a function pointer would be
      : object(&f), call([](const void* o, double u) { return (*static_cast<const F*>(o))(u); }) {}
  double operator()(double u) const { return call(object, u); }
};

// The u in [lo, hi] where the increasing g(u) is 0, from a start and a guess of the slope:
// secant steps, a bisection whenever a step leaves the bracket or g is +infinity there. When g
// has no root in range, returns NaN with `side` -1 (g above 0 at lo) or +1 (below 0 at hi);
// a NaN from g is side 0.
double SolveIncreasing(Function g, double lo, double hi, double u, double slope, int& side);

// The best point found by Maximise.
struct Peak {
  double u = 0;
  double value = NONE;  // NONE: f was nowhere defined on the points tried
};

// The highest value of f over [lo, hi]: f on `scan` evenly spaced points, then, around the best
// of them, the edge of where f is defined (bisection) on a side where it is not, and golden
// section search to `tolerance` in u. f returns NONE where it is not defined.
Peak Maximise(Function f, double lo, double hi, int scan, double tolerance);

}  // namespace line_search
