// The proximity ratio of the winding, interpolated in the numerical model's stored table.
#include "proximity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

#include "proximity_table.inc"

constexpr std::size_t SHAPE_COUNT = std::size(PROXIMITY_SHAPES);
constexpr std::size_t PITCH_COUNT = std::size(PROXIMITY_WIRE_OVER_PITCH);
constexpr std::size_t TURN_COUNT = std::size(PROXIMITY_TURNS);
constexpr std::size_t X_COUNT = std::size(PROXIMITY_XS);
static_assert(std::size(PROXIMITY_VALUES) == SHAPE_COUNT * PITCH_COUNT * TURN_COUNT * X_COUNT);

// Beyond the table the ratio is held in H/Dw (flat at both ends) and at d/delta 100. In the
// turns it still rises at the table's last node, ever more slowly: the model's runs at 24 to
// 200 turns show the slope of ln(excess) against ln N falling about as N^-0.6, so beyond the
// last node it goes on with the slope of the last two nodes falling so; above 200 turns, which
// the model's checks reach, it is held (see docs/proximity.md).
constexpr double SLOPE_DECAY = 0.6;
constexpr double MOST_TURNS = 200.0;

// The interpolation along one axis: up to 4 nodes from `first` with their weights, a cubic
// through the 4 nodes around the point (fewer at the ends of the axis).
struct Weights {
  int first = 0;
  int count = 0;
  std::array<double, 4> w{};
};

template <std::size_t N>
Weights AxisWeights(const std::array<double, N>& nodes, double t) {
  Weights result;
  t = std::clamp(t, nodes.front(), nodes.back());
  std::size_t i = 0;
  while (i + 2 < N && t > nodes[i + 1]) ++i;  // t in [nodes[i], nodes[i+1]]
  std::size_t lo = i > 0 ? i - 1 : i;
  std::size_t hi = std::min(i + 2, N - 1);
  result.first = static_cast<int>(lo);
  result.count = static_cast<int>(hi - lo + 1);
  for (std::size_t a = lo; a <= hi; ++a) {
    double w = 1;
    for (std::size_t b = lo; b <= hi; ++b)
      if (b != a) w *= (t - nodes[b]) / (nodes[a] - nodes[b]);
    result.w[a - lo] = w;
  }
  return result;
}

template <std::size_t N>
std::array<double, N> Logs(const double (&values)[N]) {
  std::array<double, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = std::log(values[i]);
  return out;
}

// The wire-over-pitch axis with its exact end: at d/p = 0 the ratio is 1.
std::array<double, PITCH_COUNT + 1> PitchNodes() {
  std::array<double, PITCH_COUNT + 1> out{};
  for (std::size_t i = 0; i < PITCH_COUNT; ++i) out[i + 1] = PROXIMITY_WIRE_OVER_PITCH[i];
  return out;
}

const std::array<double, SHAPE_COUNT> SHAPE_NODES = Logs(PROXIMITY_SHAPES);
const std::array<double, PITCH_COUNT + 1> PITCH_NODES = PitchNodes();
const std::array<double, TURN_COUNT> TURN_NODES = Logs(PROXIMITY_TURNS);
const std::array<double, X_COUNT> X_NODES = Logs(PROXIMITY_XS);

// The logarithm of the table's excess over 1 (the extra resistance) at one wire-over-pitch
// node: smooth in the logarithms of H/Dw, N and d/delta, growing as 4 ln(d/delta) at low
// frequency and flat at high. Excesses at or below 0 (rings tighter than any coil has) count
// as tiny.
double LogExcess(std::size_t pitch, const Weights& ws, const Weights& wn, const Weights& wx) {
  double sum = 0;
  for (int a = 0; a < ws.count; ++a)
    for (int c = 0; c < wn.count; ++c) {
      double w = ws.w[a] * wn.w[c];
      std::size_t row =
          ((static_cast<std::size_t>(ws.first + a) * PITCH_COUNT + pitch) * TURN_COUNT +
           static_cast<std::size_t>(wn.first + c)) *
          X_COUNT;
      for (int e = 0; e < wx.count; ++e) {
        double excess = PROXIMITY_VALUES[row + static_cast<std::size_t>(wx.first + e)] - 1;
        sum += w * wx.w[e] * std::log(std::max(excess, 1e-7));
      }
    }
  return sum;
}

// The excess at d/delta no smaller than the table's first node, N no larger than MOST_TURNS.
double Excess(double shape, double wireOverPitch, double turns, double logX) {
  Weights ws = AxisWeights(SHAPE_NODES, std::log(shape));
  Weights wp = AxisWeights(PITCH_NODES, wireOverPitch);
  Weights wx = AxisWeights(X_NODES, logX);
  double logTurns = std::log(turns);
  Weights wn = AxisWeights(TURN_NODES, logTurns);
  // Beyond the last turns, the logarithm goes on with a slope falling as N^-SLOPE_DECAY from
  // that of the last two nodes (taken at their geometric mean).
  Weights before{static_cast<int>(TURN_COUNT) - 2, 1, {1}};
  double span = TURN_NODES[TURN_COUNT - 1] - TURN_NODES[TURN_COUNT - 2];
  double growth = 0;
  if (logTurns > TURN_NODES[TURN_COUNT - 1]) {
    double fall = std::exp(-SLOPE_DECAY * (logTurns - TURN_NODES[TURN_COUNT - 1]));
    growth = std::exp(-SLOPE_DECAY * span / 2) * (1 - fall) / SLOPE_DECAY / span;
  }
  double excess = 0;
  for (int b = 0; b < wp.count; ++b) {
    int node = wp.first + b;
    if (node == 0) continue;  // d/p = 0: no excess
    auto pitch = static_cast<std::size_t>(node - 1);
    double log = LogExcess(pitch, ws, wn, wx);
    if (growth > 0) log += growth * (log - LogExcess(pitch, ws, before, wx));
    excess += wp.w[b] * std::exp(log);
  }
  // Never below the straight wire's resistance.
  return std::max(excess, 0.0);
}

}  // namespace

double ProximityRatio(double shape, double pitchOverWire, double turns, double dOverDelta) {
  // DC, turns infinitely far apart, and anything not a number: the straight wire's resistance.
  if (!(dOverDelta > 0) || !(pitchOverWire < INFINITY) || std::isnan(shape) || std::isnan(turns))
    return 1.0;
  double wireOverPitch = pitchOverWire > 1 ? 1 / pitchOverWire : 1.0;
  shape = std::clamp(shape, PROXIMITY_SHAPES[0], PROXIMITY_SHAPES[SHAPE_COUNT - 1]);
  turns = std::clamp(turns, PROXIMITY_TURNS[0], MOST_TURNS);
  double first = PROXIMITY_XS[0];
  double logX = std::log(std::clamp(dOverDelta, first, PROXIMITY_XS[X_COUNT - 1]));
  double excess = Excess(shape, wireOverPitch, turns, logX);
  if (dOverDelta >= first) return 1 + excess;
  // Below the first node the excess grows as (d/delta)^4, the eddy currents' loss at low
  // frequency.
  double q = dOverDelta / first;
  return 1 + excess * (q * q) * (q * q);
}
