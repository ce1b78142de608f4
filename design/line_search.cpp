// The designer's one-dimensional searches.
#include "line_search.h"

#include <algorithm>
#include <cmath>

namespace line_search {

double SolveIncreasing(Function g, double lo, double hi, double u, double slope, int& side) {
  side = 0;
  double a = lo, b = hi;
  bool belowSeen = false, aboveSeen = false;
  double previous = std::nan(""), gPrevious = std::nan("");
  u = std::clamp(u, lo, hi);
  for (int step = 0; step < 100; ++step) {
    const double gu = g(u);
    if (std::isnan(gu)) return std::nan("");
    if (std::fabs(gu) < 1e-12) return u;
    if (gu < 0) {
      a = u;
      belowSeen = true;
    } else {
      b = u;
      aboveSeen = true;
    }
    if (b - a <= 1e-13 * std::max(1.0, std::fabs(a))) {
      if (belowSeen && aboveSeen) return u;
      side = belowSeen ? 1 : -1;
      return std::nan("");
    }
    double next = std::nan("");
    if (std::isfinite(gu)) {
      const double secant = (gu - gPrevious) / (u - previous);
      next = u - gu / (std::isfinite(secant) && secant > 0 ? secant : slope);
    }
    if (!(next > a && next < b)) {
      // Out of the bracket: first try its end that has not been seen, then halve it.
      if (!(next > a) && !belowSeen && std::isfinite(gu) && u != a) {
        next = a;
      } else if (!(next < b) && !aboveSeen && u != b) {
        next = b;
      } else {
        next = 0.5 * (a + b);
      }
    }
    previous = u;
    gPrevious = gu;
    u = next;
  }
  return belowSeen && aboveSeen ? u : std::nan("");
}

Peak Maximise(Function f, double lo, double hi, int scan, double tolerance) {
  Peak best;
  const auto at = [&](double u) {
    const double value = f(u);
    if (value > best.value) best = {u, value};
    return value;
  };
  constexpr int MAX_SCAN = 16;
  scan = std::clamp(scan, 2, MAX_SCAN);
  if (!(hi - lo > tolerance)) {
    at(0.5 * (lo + hi));
    return best;
  }
  double u[MAX_SCAN], value[MAX_SCAN];
  int top = 0;
  for (int i = 0; i < scan; ++i) {
    u[i] = lo + (hi - lo) * i / (scan - 1);
    value[i] = at(u[i]);
    if (value[i] > value[top]) top = i;
  }
  if (value[top] == NONE) return best;
  // At an end of the interval, and falling away from it: the peak is the end (the limit there
  // holds the coil back), with no search inside.
  if (top == 0 || top == scan - 1) {
    const double inward = top == 0 ? u[0] + tolerance : u[scan - 1] - tolerance;
    if (at(inward) <= value[top]) return best;
  }
  // The bracket around the best point, its ends moved in to where f is defined.
  const auto edge = [&](double outside, double inside) {
    while (std::fabs(outside - inside) > tolerance) {
      const double middle = 0.5 * (outside + inside);
      (at(middle) == NONE ? outside : inside) = middle;
    }
    return inside;
  };
  double a = top > 0 ? u[top - 1] : u[top];
  double b = top < scan - 1 ? u[top + 1] : u[top];
  if (top > 0 && value[top - 1] == NONE) a = edge(a, u[top]);
  if (top < scan - 1 && value[top + 1] == NONE) b = edge(b, u[top]);
  const double ratio = 0.5 * (std::sqrt(5.0) - 1);
  double c = b - ratio * (b - a), d = a + ratio * (b - a);
  double fc = at(c), fd = at(d);
  while (b - a > tolerance) {
    if (fc >= fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - ratio * (b - a);
      fc = at(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + ratio * (b - a);
      fd = at(d);
    }
  }
  return best;
}

}  // namespace line_search
