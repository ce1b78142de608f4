// One solve of the command line: the entries that go in, and the texts, messages and trace that
// come out.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "headless_window.h"

// The seven controls a completed solve writes, in the order the answer lists them.
extern const int RESULT_CONTROLS[7];

// The names of the two solve modes on the command line and in batch requests.
struct SolveModeName {
  const char* name;
  std::int16_t mode;
};
inline constexpr SolveModeName SOLVE_MODE_NAMES[2] = {{"inductance", SOLVE_FOR_INDUCTANCE},
                                                      {"turns", SOLVE_FOR_TURNS}};
// The mode of a name, or nullptr.
const std::int16_t* FindSolveMode(std::string_view name);

// The answer to the last solve: {"messages": [...], "fields": {...}, "trace": [...]}.
// It is rebuilt in place on every call, so its texts reuse their storage from case to case.
const nlohmann::ordered_json& SolveAnswer();

// Reads one batch request line: {"unit": ..., "mode": ..., "fields": {NAME: TEXT, ...}}.
// Returns false with a reason in `error` when the line is not a request the solve can take.
// A plain line is scanned in one pass (ScanPlainRequest); any other goes to ParseSolveCase.
bool ReadSolveCase(std::string_view line, SolveCase& solveCase, std::string& error);

// The same with a full JSON parser, which words the error of every line that is not a request.
bool ParseSolveCase(std::string_view line, SolveCase& solveCase, std::string& error);

// Dumps JSON as one line; bytes that are not UTF-8 become U+FFFD instead of throwing.
std::string DumpLine(const nlohmann::ordered_json& value);
