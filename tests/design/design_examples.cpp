// Writes the design examples of docs/design.md: each problem of the design tests, its coils by
// the designer beside the best of an exhaustive search over each coil's wire, as Markdown.
// Run by scripts/design-examples.sh, which puts the tables into the page.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "coil_design.h"
#include "solve_case.h"

namespace {

using Json = nlohmann::json;

// The grid of the exhaustive search: finer than the tests' (40 x 120).
constexpr int GRID_DIAMETERS = 60, GRID_HEIGHTS = 200;

void WriteProblem(const std::string& line) {
  SolveCase solveCase;
  WireRequest wire;
  std::string error;
  DesignCase design;
  if (!ParseSolveCase(line, solveCase, wire, error, &design)) {
    std::printf("%s: %s\n", line.c_str(), error.c_str());
    return;
  }
  const DesignProblem& p = design.problem;
  std::string answer;
  AnswerRequestLine(line, answer);
  const Json coils = Json::parse(answer)["design"]["coils"];
  const char* unit = p.millimetres ? "mm" : "in";
  std::printf("`%s`\n\n", line.c_str());
  std::printf(
      "| wire | diameter | height | turns | apparent Q | self-resonance MHz | exhaustive search: "
      "diameter, height, turns | its apparent Q | designer against it |\n"
      "|---|---|---|---|---|---|---|---|---|\n");
  double best = 0;
  for (std::size_t i = 0; i < p.wires.size(); ++i)
    best = std::max(best, ExhaustiveBest(p, i, GRID_DIAMETERS, GRID_HEIGHTS).q);
  for (const Json& coil : coils) {
    const double d = coil["wire_diameter"];
    std::size_t index = 0;
    while (index + 1 < p.wires.size() &&
           std::abs(p.wires[index].diameter / UnitMetres(p) / d - 1) > 1e-9)
      ++index;
    const GridBest grid = ExhaustiveBest(p, index, GRID_DIAMETERS, GRID_HEIGHTS);
    const std::string name = coil["wire_gauge"].is_null()
                                 ? p.wires[index].text + " " + unit
                                 : "AWG " + std::to_string(coil["wire_gauge"].get<int>());
    const double metres = UnitMetres(p), q = coil["apparent_q"];
    std::printf("| %s | %g | %g | %g | %.2f | %.1f | %.4g, %.4g, %.2f | %.2f | %+.2f %% |\n",
                name.c_str(), coil["diameter"].get<double>(), coil["height"].get<double>(),
                coil["turns"].get<double>(), q, coil["self_resonance_MHz"].get<double>(),
                grid.diameter / metres, grid.height / metres, grid.turns, grid.q,
                100 * (q / grid.q - 1));
  }
  std::printf("\nThe exhaustive search's best over all %zu wires: apparent Q %.2f.\n\n",
              p.wires.size(), best);
}

}  // namespace

int main() {
  std::ifstream file(COILCALC_DESIGN_PROBLEMS);
  for (std::string line; std::getline(file, line);) WriteProblem(line);
}
