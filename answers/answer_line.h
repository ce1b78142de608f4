// The answer line to a solve just run, with the physics reference its request asks for.
#pragma once

#include <string>

#include "solve_reference.h"

// Appends the answer to the solve just run, with the reference that `wire` asks for when the
// solve completed, and a line feed. Returns false when the reference failed and the answer is
// {"error": ...} instead.
bool AppendAnswerLine(std::string& answer, const WireRequest& wire);
