// One request of the command line: the names of the solve modes and the reader of a batch line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "headless_window.h"
#include "solve_reference.h"

// The names of the two solve modes on the command line and in batch requests.
struct SolveModeName {
  const char* name;
  std::int16_t mode;
};
inline constexpr SolveModeName SOLVE_MODE_NAMES[2] = {{"inductance", SOLVE_FOR_INDUCTANCE},
                                                      {"turns", SOLVE_FOR_TURNS}};
// The mode of a name, or nullptr.
const std::int16_t* FindSolveMode(std::string_view name);

// Reads one batch request line: {"unit": ..., "mode": ..., "fields": {NAME: TEXT, ...},
// "reference": ...}. Returns false with a reason in `error` when the line is not a request the
// solve can take. A plain line is scanned in one pass (ScanPlainRequest); any other goes to
// ParseSolveCase.
bool ReadSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                   std::string& error);

// The same in one pass of a full JSON parser, which words the error of every line that is not
// a request.
bool ParseSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                    std::string& error);
