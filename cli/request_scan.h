// The reading of plain batch requests: such a line in one pass, without a JSON parser.
#pragma once

#include <string_view>

#include "headless_window.h"

// Reads `line` when it is a plain request: one JSON object of the keys "unit", "mode" and
// "fields" with known values, every text printable ASCII without escapes, and JSON's blanks
// anywhere between. Returns false for any other line, which the full parser must then read
// (it alone words the errors); `solveCase` is then left half filled.
bool ScanPlainRequest(std::string_view line, SolveCase& solveCase);
