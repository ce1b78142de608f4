// The ladder fitted to the coil's resistance and inductance: fixed corners, the resistances by
// Lawson and Hanson's non-negative least squares over Householder reflections.
#include "ladder_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int CORNERS_PER_DECADE = 3;
constexpr int FIT_POINTS_PER_CORNER = 8;
constexpr int MAX_UNKNOWNS = MAX_LADDER_BRANCHES + 2;  // the series resistance and inductance

// Columns of a least-squares problem, one per unknown, each as many rows as fit equations.
using Columns = std::vector<std::vector<double>>;

// The least-squares solution over the columns in `use` (the others 0), by Householder's QR.
std::array<double, MAX_UNKNOWNS> SolveLeastSquares(const Columns& a, const std::vector<double>& b,
                                                   const std::vector<int>& use) {
  const std::size_t m = b.size();
  const std::size_t n = use.size();
  Columns q(n);
  for (std::size_t j = 0; j < n; ++j) q[j] = a[static_cast<std::size_t>(use[j])];
  std::vector<double> y = b;
  std::vector<double> diagonal(n);
  for (std::size_t k = 0; k < n; ++k) {
    double norm = 0;
    for (std::size_t i = k; i < m; ++i) norm += q[k][i] * q[k][i];
    norm = std::sqrt(norm);
    const double alpha = q[k][k] > 0 ? -norm : norm;
    diagonal[k] = alpha;
    if (norm == 0) continue;
    q[k][k] -= alpha;  // v = x - alpha e_k, kept in the column below the diagonal
    const double vv = -2 * alpha * q[k][k];  // |v|^2 = 2 (norm^2 - alpha x_k)
    const auto reflect = [&](std::vector<double>& column) {
      double dot = 0;
      for (std::size_t i = k; i < m; ++i) dot += q[k][i] * column[i];
      const double factor = 2 * dot / vv;
      for (std::size_t i = k; i < m; ++i) column[i] -= factor * q[k][i];
    };
    for (std::size_t j = k + 1; j < n; ++j) reflect(q[j]);
    reflect(y);
  }
  std::array<double, MAX_UNKNOWNS> x{};
  for (std::size_t k = n; k-- > 0;) {
    double sum = y[k];
    for (std::size_t j = k + 1; j < n; ++j) sum -= q[j][k] * x[static_cast<std::size_t>(use[j])];
    x[static_cast<std::size_t>(use[k])] = diagonal[k] != 0 ? sum / diagonal[k] : 0;
  }
  return x;
}

// Lawson and Hanson's active-set method: min |A x - b| over x >= 0.
std::array<double, MAX_UNKNOWNS> NonNegativeLeastSquares(const Columns& a,
                                                         const std::vector<double>& b) {
  const int n = static_cast<int>(a.size());
  const std::size_t m = b.size();
  std::array<double, MAX_UNKNOWNS> x{};
  std::array<bool, MAX_UNKNOWNS> passive{};
  for (int iteration = 0; iteration < 3 * n; ++iteration) {
    std::vector<double> residual = b;
    for (int j = 0; j < n; ++j)
      for (std::size_t i = 0; i < m; ++i) residual[i] -= a[j][i] * x[j];
    int best = -1;
    double bestGradient = 0;
    double scale = 0;
    for (std::size_t i = 0; i < m; ++i) scale = std::max(scale, std::fabs(residual[i]));
    for (int j = 0; j < n; ++j) {
      if (passive[j]) continue;
      double gradient = 0;
      for (std::size_t i = 0; i < m; ++i) gradient += a[j][i] * residual[i];
      if (gradient > bestGradient) {
        bestGradient = gradient;
        best = j;
      }
    }
    if (best < 0 || bestGradient <= 1e-12 * scale) break;
    passive[best] = true;
    for (int inner = 0; inner < n; ++inner) {
      std::vector<int> use;
      for (int j = 0; j < n; ++j)
        if (passive[j]) use.push_back(j);
      const std::array<double, MAX_UNKNOWNS> z = SolveLeastSquares(a, b, use);
      bool feasible = true;
      for (int j : use) feasible = feasible && z[j] > 0;
      if (feasible) {
        x = z;
        break;
      }
      // Step from x towards z as far as every unknown stays at 0 or above.
      double step = 1;
      for (int j : use) {
        if (z[j] <= 0) step = std::min(step, x[j] / (x[j] - z[j]));
      }
      for (int j : use) {
        x[j] += step * (z[j] - x[j]);
        if (x[j] <= 0) {
          x[j] = 0;
          passive[j] = false;
        }
      }
    }
  }
  return x;
}

// The fit's corners: three to a decade over the band, one beyond each end.
std::vector<double> Corners(double from, double to) {
  const int count =
      std::clamp(static_cast<int>(std::ceil(CORNERS_PER_DECADE * std::log10(to / from))) + 3, 3,
                 MAX_LADDER_BRANCHES);
  const double low = from / 2, high = to * 2;
  std::vector<double> corners(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k)
    corners[static_cast<std::size_t>(k)] = SweepFrequency({low, high, count}, k);
  return corners;
}

// The series branch of the fit (no capacitance) at `frequency`.
std::complex<double> SeriesImpedance(const LadderFit& fit, double frequency) {
  const double omega = 2 * PI * frequency;
  double re = fit.seriesResistance, im = omega * fit.seriesInductance;
  for (int k = 0; k < fit.branches; ++k) {
    // R || jwL = R (jwL) (R - jwL) / (R^2 + (wL)^2)
    const double r = fit.branchResistance[k], x = omega * fit.branchInductance[k];
    const double scale = r * r + x * x;
    re += r * x * x / scale;
    im += r * r * x / scale;
  }
  return {re, im};
}

}  // namespace

ReferenceFault FitLadder(const CoilCircuit& circuit, const SweepBand& band, LadderFit& fit) {
  const std::vector<double> corners = Corners(band.from, band.to);
  const int branches = static_cast<int>(corners.size());
  const int points = FIT_POINTS_PER_CORNER * branches;
  const SweepBand fitBand{band.from, band.to, points};
  std::vector<double> frequency(static_cast<std::size_t>(points));
  std::vector<double> resistance(frequency.size());
  for (int k = 0; k < points; ++k) {
    const std::size_t i = static_cast<std::size_t>(k);
    frequency[i] = SweepFrequency(fitBand, k);
    const ReferenceFault fault = CircuitResistance(circuit, frequency[i], resistance[i]);
    if (fault != ReferenceFault::NONE) return fault;
  }
  // Rows: the real part over R(f) and the imaginary part over w L at each point, so that the
  // fit weighs the relative errors of both alike. Unknowns, each scaled to a column of about
  // 1: the series resistance over R(from), the inductance over L, the branches' resistances
  // over R at their corner (or at the nearer end of the band).
  const std::size_t rows = 2 * frequency.size();
  Columns a(static_cast<std::size_t>(branches + 2), std::vector<double>(rows));
  std::vector<double> b(rows);
  std::vector<double> unit(a.size());
  unit[0] = resistance.front();
  unit[1] = circuit.inductance;
  for (int k = 0; k < branches; ++k) {
    const double at = std::clamp(corners[static_cast<std::size_t>(k)], band.from, band.to);
    double r = 0;
    const ReferenceFault fault = CircuitResistance(circuit, at, r);
    if (fault != ReferenceFault::NONE) return fault;
    unit[static_cast<std::size_t>(k) + 2] = r;
  }
  for (std::size_t i = 0; i < frequency.size(); ++i) {
    const double omega = 2 * PI * frequency[i];
    const double reactance = omega * circuit.inductance;
    b[2 * i] = 1;
    b[2 * i + 1] = 1;
    a[0][2 * i] = unit[0] / resistance[i];
    a[1][2 * i + 1] = omega * unit[1] / reactance;
    for (int k = 0; k < branches; ++k) {
      const double ratio = frequency[i] / corners[static_cast<std::size_t>(k)];  // w / w_k
      const double scale = unit[static_cast<std::size_t>(k) + 2] / (1 + ratio * ratio);
      a[static_cast<std::size_t>(k) + 2][2 * i] = scale * ratio * ratio / resistance[i];
      a[static_cast<std::size_t>(k) + 2][2 * i + 1] = scale * ratio / reactance;
    }
  }
  const std::array<double, MAX_UNKNOWNS> x = NonNegativeLeastSquares(a, b);

  LadderFit out;
  out.from = band.from;
  out.to = band.to;
  out.seriesResistance = x[0] * unit[0];
  out.seriesInductance = x[1] * unit[1];
  out.capacitance = circuit.capacitance;
  for (int k = 0; k < branches; ++k) {
    const double r = x[static_cast<std::size_t>(k) + 2] * unit[static_cast<std::size_t>(k) + 2];
    if (!(r > 0)) continue;
    out.branchResistance[out.branches] = r;
    out.branchInductance[out.branches] = r / (2 * PI * corners[static_cast<std::size_t>(k)]);
    ++out.branches;
  }
  if (!(out.seriesInductance > 0) || !std::isnormal(out.seriesInductance))
    return ReferenceFault::OUT_OF_RANGE;
  // The worst errors, at the fit's points and halfway between them.
  const SweepBand check{band.from, band.to, 2 * points - 1};
  for (int k = 0; k < check.points; ++k) {
    const double f = SweepFrequency(check, k);
    double r = 0;
    const ReferenceFault fault = CircuitResistance(circuit, f, r);
    if (fault != ReferenceFault::NONE) return fault;
    const std::complex<double> z = SeriesImpedance(out, f);
    const double reactance = 2 * PI * f * circuit.inductance;
    out.worstResistanceError = std::max(out.worstResistanceError, std::fabs(z.real() / r - 1));
    out.worstReactanceError =
        std::max(out.worstReactanceError, std::fabs(z.imag() / reactance - 1));
  }
  fit = out;
  return ReferenceFault::NONE;
}

std::complex<double> LadderImpedance(const LadderFit& fit, double frequency) {
  return ParallelCapacitance(SeriesImpedance(fit, frequency), 2 * PI * frequency * fit.capacitance);
}
