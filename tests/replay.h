// Replays one solve on the in-memory dialog and renders what the program did as text lines.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "solve.h"

using FieldTexts = std::vector<std::pair<std::string, std::string>>;

// Starts from the start-up texts, seeds `fields` (by field name), runs SolveCoil and returns
// its trace, one line per event: "set NAME=TEXT" or "message CAPTION: TEXT".
std::vector<std::string> Replay(const LengthUnit& unit, std::int16_t mode,
                                const FieldTexts& fields);

// The same solve run again on the dialog as the last Replay left it.
std::vector<std::string> ReplayAgain(std::int16_t mode);

// The trace lines of a completed solve that writes these seven texts, in the order the
// program writes its results.
std::vector<std::string> Completed(const std::vector<std::string>& results);

std::string Message(const std::string& caption, const std::string& text);
