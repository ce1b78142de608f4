// One solve of the command line: the entries that go in, and the texts, messages and trace that
// come out.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What one solve starts from: the length unit and mode set directly, and the control texts
// that replace the start-up texts before the solve.
struct SolveCase {
  float lengthScale = 1.0f;
  std::int16_t solveMode = 1;
  std::vector<std::pair<int, std::string>> seeds;  // control id, text
};

// The seven controls a completed solve writes, in the order the answer lists them.
extern const int RESULT_CONTROLS[7];

// Puts the in-memory dialog back to start-up, seeds the case's texts and runs the solve.
void RunSolveCase(const SolveCase& solveCase);

// True when the last solve wrote its results (a check did not stop it).
bool SolveCompleted();

// The answer to the last solve: {"messages": [...], "fields": {...}, "trace": [...]}.
// It is rebuilt in place on every call, so its texts reuse their storage from case to case.
const nlohmann::ordered_json& SolveAnswer();

// Reads one batch request line: {"unit": ..., "mode": ..., "fields": {NAME: TEXT, ...}}.
// Returns false with a reason in `error` when the line is not a request the solve can take.
bool ReadSolveCase(std::string_view line, SolveCase& solveCase, std::string& error);

// Dumps JSON as one line; bytes that are not UTF-8 become U+FFFD instead of throwing.
std::string DumpLine(const nlohmann::ordered_json& value);
