// The physics reference beside a completed solve: the wire it uses, its text block and its JSON.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "solve_case.h"

namespace CLI {
class App;
}

// The reference a solve is asked for. The wire is the gauge on the dialog's "Maximum wire
// size" line unless a gauge or a diameter (in the solve's length unit) is given.
struct WireRequest {
  bool wanted = false;
  bool hasGauge = false;
  int gauge = 0;
  bool hasDiameter = false;
  double diameter = 0;
};

// Gauges a request may name: 0000 (-3) to far finer than any wire that is drawn.
constexpr int MIN_WIRE_GAUGE = -3;
constexpr int MAX_WIRE_GAUGE = 200;

// Reads a wire diameter: a plain decimal number above 0 (e.g. "0.5", "1e-3"), nothing else.
bool ReadWireDiameter(std::string_view text, double& diameter, std::string& error);

// Adds --reference, --wire-gauge and --wire-diameter to the command line; either wire option
// asks for the reference too.
void AddReferenceOptions(CLI::App& app, WireRequest& request);

// After the solve of `solveCase` (which the caller has run): the reference block under the
// dialog's lines, or on stderr why there is none. Returns 0, or 1 when the reference failed.
// Nothing is printed after a stopped solve.
int PrintReferenceText(const SolveCase& solveCase, const WireRequest& request);

// The same for --json: the solve's answer with a "reference" object, or {"error": ...}.
int PrintReferenceJson(const SolveCase& solveCase, const WireRequest& request);

// A batch request line that carries a "reference" key is answered here, solve included: the
// answer line (with its line feed) is appended to `answer`, and the result tells whether the
// line was answered without an error. Any other line gives std::nullopt and is left alone.
std::optional<bool> AnswerReferenceRequest(std::string_view line, std::string& answer);
