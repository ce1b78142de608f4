// The reading of plain batch requests: such a line in one pass, without a JSON parser.
#pragma once

#include <string_view>

#include "headless_window.h"
#include "solve_reference.h"

// Reads `line` when it is a plain request: one JSON object of the keys "unit", "mode",
// "fields" and "reference" with known values, every text printable ASCII without escapes, and
// JSON's blanks anywhere between. The reference is true, false or an object of its keys, each
// once, with texts and whole numbers the reference takes. Returns false for any other line,
// which the full parser must then read (it alone words the errors); `solveCase` and `wire` are
// then left half filled.
bool ScanPlainRequest(std::string_view line, SolveCase& solveCase, WireRequest& wire);
