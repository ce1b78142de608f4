// The command line's options that ask for the physics reference beside a solve.
#pragma once

#include "solve_reference.h"

namespace CLI {
class App;
}

// Adds --reference, --wire-gauge, --wire-diameter, --frequency, --temperature and --base-height;
// a wire, a frequency or a base height asks for the reference too.
void AddReferenceOptions(CLI::App& app, WireRequest& request);
