// The answer to one headless solve as JSON: its messages, the result fields and its trace.
#pragma once

#include <array>
#include <string>

#include "control_ids.h"

// The seven controls a completed solve writes, in the order the answer lists them.
inline constexpr std::array<int, 7> RESULT_CONTROLS = {
    IDC_INDUCTANCE, IDC_INDUCTANCE_UNIT, IDC_TURNS,    IDC_WIRE_LENGTH,
    IDC_WIRE_SIZE,  IDC_CAPACITANCE,     IDC_RESONANCE};

// Appends {"messages":[[CAPTION,TEXT],...],"fields":{NAME:TEXT,...},"trace":[...] for the last
// solve, leaving the object open for more members: the caller closes it with '}'.
void BeginSolveAnswer(std::string& out);

// The whole answer, closed.
void AppendSolveAnswer(std::string& out);
