// The designer's options: the keys of a design request, spelt with dashes, read as texts.
#include "design_options.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "design_answer.h"
#include "design_request.h"
#include "json_writer.h"

namespace {

constexpr int EXIT_NO_COIL = 1;
constexpr int EXIT_USAGE = 2;

constexpr const char* DESIGN_FLAG = "--design";

const char* const DESIGN_FOOTER = R"(
Every option is the design request's key of the same name (man coilcalc-cli), its value the
key's text: --diameter 15:40 is a range, --wire-gauges 14:28 a range of gauges (20 alone is one
gauge), --wire-diameters 0.5,0.8,1 a list of bare diameters. The coils come best first, one
for each wire; "held by" names the limits a coil lies on, those to relax for a higher Q.

Exit status: 0 coils were found, 1 no coil fits (the reason on stderr, or as the JSON's
"error"), 2 the command line was not understood.)";

}  // namespace

bool AsksForDesign(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == DESIGN_FLAG) return true;
  }
  return false;
}

int RunDesignCommand(int argc, char** argv) {
  CLI::App app{
      "Designs the single-layer air-core coils of highest apparent Q that give an apparent "
      "inductance at a frequency within the limits given.",
      "coilcalc-cli --design"};
  app.footer(DESIGN_FOOTER);
  bool design = false, json = false;
  // The keys' texts in the table's order, each from the option of the key's name with dashes.
  std::string texts[std::size(DESIGN_KEY_RULES)];
  for (std::size_t i = 0; i < std::size(DESIGN_KEY_RULES); ++i) {
    const DesignKeyRule& rule = DESIGN_KEY_RULES[i];
    std::string name = std::string("--") + rule.name;
    for (char& c : name) c = c == '_' ? '-' : c;
    std::string help = std::string("\"") + rule.name + "\": " + rule.mustBe;
    if (*rule.byDefault) help += std::string(" (default: ") + rule.byDefault + ")";
    app.add_option(name, texts[i], help);
  }
  app.add_flag(DESIGN_FLAG, design, "Design coils (this group of options)")->required();
  app.add_flag("--json", json, "Answer as one JSON line, as a batch's design request is");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : EXIT_USAGE;
  }
  const DesignInput input = DesignInputFromTexts(texts);

  DesignProblem problem;
  std::string error;
  if (!CheckDesignInput(input, problem, error)) {
    if (json) {
      std::string answer;
      AppendErrorLine(answer, error);
      std::cout << answer;
    } else {
      std::cerr << "coilcalc-cli --design: " << error << '\n';
    }
    return EXIT_USAGE;
  }
  const DesignOutcome outcome = DesignWithDialog(problem);
  if (json) {
    std::string answer;
    AppendDesignAnswer(answer, problem, outcome);
    std::cout << answer;
  } else if (outcome.coils.empty()) {
    std::cerr << "coilcalc-cli --design: " << DesignTable(problem, outcome);
  } else {
    std::cout << DesignTable(problem, outcome);
  }
  std::cout.flush();
  return outcome.coils.empty() ? EXIT_NO_COIL : 0;
}
