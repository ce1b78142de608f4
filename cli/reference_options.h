// The command line's options that ask for the physics reference beside a solve.
#pragma once

#include "solve_reference.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

// The files a single solve may write instead of its text: one, alone on standard output.
struct ReferenceFiles {
  bool touchstone = false;
  bool spice = false;
};

// Adds --reference, --wire-gauge, --wire-diameter, --frequency, --temperature, --base-height,
// --sweep, --touchstone and --spice; a wire, a frequency, a base height, a sweep or a file asks
// for the reference too. The options `json` excludes are the files.
void AddReferenceOptions(CLI::App& app, WireRequest& request, ReferenceFiles& files,
                         CLI::Option* json);

// Throws CLI11's ValidationError for options that do not go together as given.
void CheckReferenceOptions(const CLI::App& app, const WireRequest& request,
                           const ReferenceFiles& files);
