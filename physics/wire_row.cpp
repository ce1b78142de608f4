// The row of round wires read from its table: four-point Lagrange in u = sqrt(1 - d/s).
#include "wire_row.h"

#include <algorithm>
#include <cmath>

#include "physics_basics.h"

namespace {
#include "wire_row_table.inc"
}  // namespace

WireRow RowOfWires(double x) {
  if (!IsPositive(x)) return {NOT_A_NUMBER, NOT_A_NUMBER};
  x = std::min(x, WIRE_ROW_X_MAX);
  // The table holds what is smooth in u: Lambda less ln(1 / (pi x)), and alpha over its
  // thin-wire value times sqrt(1 - x), which takes out the gaps' 1 / sqrt(gap).
  const double u = std::sqrt(1 - x);
  const double position = (1 - u) / (1 - std::sqrt(1 - WIRE_ROW_X_MAX)) * WIRE_ROW_NODES;
  const int first = std::clamp(static_cast<int>(position) - 1, 0, WIRE_ROW_NODES - 3);
  double smooth[2] = {0, 0};
  for (int j = 0; j < 4; ++j) {
    double weight = 1;
    for (int k = 0; k < 4; ++k) {
      if (k != j) weight *= (position - (first + k)) / (j - k);
    }
    smooth[0] += weight * WIRE_ROW_TABLE[first + j][0];
    smooth[1] += weight * WIRE_ROW_TABLE[first + j][1];
  }
  return {std::log(1 / (PI * x)) + smooth[0], smooth[1] * PI * x * x / 2 / u};
}
