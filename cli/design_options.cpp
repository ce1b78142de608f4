// The designer's options: the keys of a design request, spelt with dashes, read as texts.
#include "design_options.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

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

// A "MIN:MAX" text into the two values, or one text into both.
void SplitRange(const std::string& text, DesignValue& low, DesignValue& high) {
  const std::size_t colon = text.find(':');
  low = {DesignValue::TEXT, text.substr(0, colon)};
  high = {DesignValue::TEXT, colon == std::string::npos ? text : text.substr(colon + 1)};
}

DesignValue Text(const std::string& text) { return {DesignValue::TEXT, text}; }

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
  std::string unit, inductance, frequency, diameter, heightMax, gauges, wires, pitch, margin,
      tolerance, temperature, count;
  app.add_flag(DESIGN_FLAG, design, "Design coils (this group of options)")->required();
  const std::pair<const char*, std::string*> texts[] = {
      {"--unit", &unit},
      {"--inductance", &inductance},
      {"--frequency", &frequency},
      {"--diameter", &diameter},
      {"--height-max", &heightMax},
      {"--wire-gauges", &gauges},
      {"--wire-diameters", &wires},
      {"--pitch-min", &pitch},
      {"--resonance-margin", &margin},
      {"--tolerance", &tolerance},
      {"--temperature", &temperature},
      {"--count", &count},
  };
  std::vector<CLI::Option*> options;
  for (const auto& [name, text] : texts) {
    // The option's key: its name without the dashes before it and with "_" for those in it.
    std::string key = name + 2;
    for (char& c : key) c = c == '-' ? '_' : c;
    const DesignKeyRule* rule = FindDesignKey(key);
    options.push_back(app.add_option(
        name, *text, rule ? std::string("\"") + key + "\": " + rule->mustBe : std::string()));
  }
  app.add_flag("--json", json, "Answer as one JSON line, as a batch's design request is");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : EXIT_USAGE;
  }

  DesignInput input;
  input.numbersAsTexts = true;
  const auto given = [&](std::size_t i) { return options[i]->count() > 0; };
  if (given(0)) input.unit = Text(unit);
  if (given(1)) input.inductance = Text(inductance);
  if (given(2)) input.frequency = Text(frequency);
  if (given(3)) {
    input.diameterRange = diameter.find(':') != std::string::npos;
    input.diameter = Text(diameter);
    if (input.diameterRange) SplitRange(diameter, input.diameterMin, input.diameterMax);
  }
  if (given(4)) input.heightMax = Text(heightMax);
  if (given(5)) {
    input.hasGauges = true;
    SplitRange(gauges, input.gaugeMin, input.gaugeMax);
  }
  if (given(6)) {
    input.hasWireDiameters = true;
    std::size_t start = 0;
    for (std::size_t comma; (comma = wires.find(',', start)) != std::string::npos;
         start = comma + 1)
      input.wireDiameters.push_back(Text(wires.substr(start, comma - start)));
    input.wireDiameters.push_back(Text(wires.substr(start)));
  }
  if (given(7)) input.pitchMin = Text(pitch);
  if (given(8)) input.margin = Text(margin);
  if (given(9)) input.tolerance = Text(tolerance);
  if (given(10)) input.temperature = Text(temperature);
  if (given(11)) input.count = Text(count);

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
