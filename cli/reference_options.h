// The command line's options that ask for the physics reference beside a solve.
#pragma once

#include "solve_reference.h"

namespace CLI {
class App;
}

// Adds --reference, --wire-gauge, --wire-diameter, --frequency and --temperature; a wire or a
// frequency asks for the reference too.
void AddReferenceOptions(CLI::App& app, WireRequest& request);
