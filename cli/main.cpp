// coilcalc-cli: the coil calculator's solve without a window, from options or JSON Lines on stdin.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "answer_line.h"
#include "batch.h"
#include "design_options.h"
#include "dialog_controls.h"
#include "read_input.h"
#include "reference_format.h"
#include "reference_options.h"
#include "solve_case.h"
#include "sweep_format.h"
#include "version.h"

namespace {

constexpr int EXIT_STOPPED = 1;
constexpr int EXIT_USAGE = 2;

const char* const HELP_FOOTER = R"(
A solve reads the texts of the dialog's fields exactly as the dialog would: a field that is
not given keeps its start-up text (empty, and "uH" for the inductance unit). The text output
is the inductance, its unit and the turns, then the four result lines; every message the
dialog would show goes to stderr as "CAPTION: TEXT".

Exit status: 0 the solve completed, 1 a check stopped it (with --batch: some line had an
error), 2 the command line was not understood.

The JSON answers, the batch requests and their error texts: man coilcalc-cli.)";

// The dialog's messages as a user reads them: each line of the text on a line of its own.
void PrintMessages() {
  for (const TraceEntry& entry : HeadlessTrace()) {
    if (!entry.isMessage) continue;
    std::string text = entry.text;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
      text.replace(at, 2, "\n");
    std::cerr << entry.subject << ": " << text << '\n';
  }
}

void PrintResults() {
  std::cout << "Inductance:" << PeekControlText(IDC_INDUCTANCE) << ' '
            << PeekControlText(IDC_INDUCTANCE_UNIT) << '\n'
            << "Turns:" << PeekControlText(IDC_TURNS) << '\n'
            << PeekControlText(IDC_WIRE_LENGTH) << '\n'
            << PeekControlText(IDC_WIRE_SIZE) << '\n'
            << PeekControlText(IDC_CAPACITANCE) << '\n'
            << PeekControlText(IDC_RESONANCE) << '\n';
}

// The reference block under the results (or the file asked for instead of them), or on
// stderr why there is none; nothing goes to stdout until the whole is worked out.
bool PrintReference(const WireRequest& wire, const ReferenceFiles& files) {
  SolveReference reference;
  if (!ComputeSolveReference(wire, reference)) {
    std::cerr << "Reference: " << WhyNoReference(reference) << '\n';
    return false;
  }
  if (files.touchstone) {
    std::cout << TouchstoneFile(reference);
  } else if (files.spice) {
    std::cout << SpiceModel(reference);
  } else {
    std::cout << ReferenceBlock(reference) << SweepTable(reference);
  }
  return true;
}

// The options of one solve, as given; `entries` ties each field's option to its text.
struct SingleSolve {
  std::string unit = INCHES.name;
  std::string mode = SOLVE_MODE_NAMES[0].name;
  std::string diameter, height, turns, inductance;
  std::string inductanceUnit = FindDialogControl(IDC_INDUCTANCE_UNIT)->startText;
  bool json = false;
  WireRequest reference;
  ReferenceFiles files;
  struct Entry {
    int id;
    std::string* text;
    CLI::Option* option;
  };
  std::vector<Entry> entries;
};

void AddSingleSolveOptions(CLI::App& single, SingleSolve& options) {
  single.add_option("--unit", options.unit, "Unit of length of diameter and height (default: in)")
      ->check(CLI::IsMember({INCHES.name, MILLIMETRES.name}));
  single
      .add_option("--mode", options.mode,
                  "inductance: solve for the inductance from the turns; turns: solve for "
                  "the turns from the inductance (default: inductance)")
      ->check(CLI::IsMember({SOLVE_MODE_NAMES[0].name, SOLVE_MODE_NAMES[1].name}));
  options.entries = {
      {IDC_DIAMETER, &options.diameter,
       single.add_option("--diameter", options.diameter,
                         "Outside diameter of the coil form (text)")},
      {IDC_HEIGHT, &options.height,
       single.add_option("--height", options.height, "End-to-end height of the winding (text)")},
      {IDC_TURNS, &options.turns,
       single.add_option("--turns", options.turns, "Number of turns (text)")},
      {IDC_INDUCTANCE, &options.inductance,
       single.add_option("--inductance", options.inductance, "Wanted inductance (text)")},
      {IDC_INDUCTANCE_UNIT, &options.inductanceUnit,
       single.add_option("--inductance-unit", options.inductanceUnit,
                         "Unit of the inductance: nH, uH or mH; any other text means uH "
                         "(default: uH)")},
  };
  CLI::Option* json =
      single.add_flag("--json", options.json, "Answer the solve as one JSON object");
  AddReferenceOptions(single, options.reference, options.files, json);
}

// Seeds the in-memory dialog from the options and runs the solve.
void RunSingleSolve(const SingleSolve& options) {
  SolveCase solveCase;
  solveCase.lengthScale = FindLengthUnit(options.unit)->scale;
  solveCase.solveMode = *FindSolveMode(options.mode);
  for (const SingleSolve::Entry& entry : options.entries) {
    // The unit box is seeded with its default even when not given; it starts as "uH" anyway.
    if (entry.option->count() > 0 || entry.id == IDC_INDUCTANCE_UNIT)
      solveCase.seeds.emplace_back(entry.id, *entry.text);
  }
  RunSolveCase(solveCase);
}

// Writes the solve's answer as the options ask and returns the exit status.
int AnswerSingleSolve(const SingleSolve& options) {
  bool referenceFailed = false;
  if (options.json) {
    std::string answer;
    referenceFailed = !AppendAnswerLine(answer, options.reference);
    std::cout << answer;
  } else {
    const bool file = options.files.touchstone || options.files.spice;
    PrintMessages();
    if (SolveCompleted() && !file) PrintResults();
    if (options.reference.wanted && SolveCompleted())
      referenceFailed = !PrintReference(options.reference, options.files);
  }
  std::cout.flush();
  if (!std::cout || referenceFailed) return EXIT_STOPPED;
  return SolveCompleted() ? 0 : EXIT_STOPPED;
}

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  if (AsksForDesign(argc, argv)) return RunDesignCommand(argc, argv);
  CLI::App app{
      "Solves a single-layer air-core coil: its inductance from the number of turns, "
      "or the number of turns for an inductance.",
      "coilcalc-cli"};
  app.footer(HELP_FOOTER);
  app.set_version_flag("--version", std::string("coilcalc-cli ") + VERSION_TEXT,
                       "Print the program's version and exit");

  // One solve from options, or many from stdin: the two groups cannot be mixed.
  SingleSolve options;
  bool batch = false;
  CLI::App* single = app.add_option_group("Single solve");
  CLI::App* many = app.add_option_group("Batch");
  AddSingleSolveOptions(*single, options);
  many->add_flag("--batch", batch, "Solve JSON Lines requests read from stdin, one per line");
  bool design = false;
  app.add_flag("--design", design,
               "Design the coils of highest Q for an inductance at a frequency: "
               "coilcalc-cli --design --help for its options");
  single->excludes(many);

  try {
    app.parse(argc, argv);
    CheckReferenceOptions(*single, options.reference, options.files);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : EXIT_USAGE;
  }

  if (batch) return RunBatch(STANDARD_INPUT, stdout);
  RunSingleSolve(options);
  return AnswerSingleSolve(options);
}
