// Designed coils through the reference request's own path, and their answers on every face.
#include "design_answer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "control_ids.h"
#include "headless_window.h"
#include "json_writer.h"
#include "reference_format.h"

namespace {

// The designed coil's values, each from the reference of the coil as a request gets it.
struct CoilRow {
  double diameter, height, turns, pitch, wireLength;
  SolveReference reference;
};

bool CoilRowOf(const DesignProblem& p, const CoilTexts& texts, CoilRow& row) {
  if (!DesignedCoilReference(p, texts, row.reference, row.wireLength)) return false;
  row.diameter = std::strtod(texts.diameter.c_str(), nullptr);
  row.height = std::strtod(texts.height.c_str(), nullptr);
  row.turns = std::strtod(texts.turns.c_str(), nullptr);
  row.pitch = row.height / row.turns;
  return true;
}

// The number a result line shows after its caption ("Wire Length: 40.529 inches").
double ResultLineNumber(const std::string& line) {
  const std::size_t at = line.find(':');
  return at == std::string::npos ? std::nan("") : std::strtod(line.c_str() + at + 1, nullptr);
}

const char* UnitName(const DesignProblem& p) { return p.millimetres ? "mm" : "in"; }

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string WireName(const DesignProblem& p, const SolveReference& r) {
  const std::string size = Printed("%.4g", InUnit(r.wire, *r.unit)) + " " + UnitName(p);
  return r.byGauge ? "AWG " + std::to_string(r.gauge) + " (" + size + ")" : size;
}

// The table's columns: heading and the text of each coil's value.
struct Column {
  const char* heading;
  std::string (*text)(const DesignProblem&, const CoilTexts&, const CoilRow&, unsigned);
};

const Column COLUMNS[] = {
    {"diameter",
     [](const DesignProblem&, const CoilTexts& t, const CoilRow&, unsigned) { return t.diameter; }},
    {"height",
     [](const DesignProblem&, const CoilTexts& t, const CoilRow&, unsigned) { return t.height; }},
    {"turns",
     [](const DesignProblem&, const CoilTexts& t, const CoilRow&, unsigned) { return t.turns; }},
    {"wire", [](const DesignProblem& p, const CoilTexts&, const CoilRow& r,
                unsigned) { return WireName(p, r.reference); }},
    {"pitch", [](const DesignProblem&, const CoilTexts&, const CoilRow& r,
                 unsigned) { return Printed("%.4g", r.pitch); }},
    {"L apparent uH",
     [](const DesignProblem&, const CoilTexts&, const CoilRow& r, unsigned) {
       return Printed("%.4g", r.reference.frequency.apparentInductance * 1e6);
     }},
    {"Q apparent", [](const DesignProblem&, const CoilTexts&, const CoilRow& r,
                      unsigned) { return Printed("%.4g", r.reference.frequency.apparentQ); }},
    {"self-resonance MHz",
     [](const DesignProblem&, const CoilTexts&, const CoilRow& r, unsigned) {
       return Printed("%.4g", r.reference.physics.selfResonance * 1e-6);
     }},
    {"R ac ohm", [](const DesignProblem&, const CoilTexts&, const CoilRow& r,
                    unsigned) { return Printed("%.4g", r.reference.frequency.acResistance); }},
    {"tuning pF",
     [](const DesignProblem&, const CoilTexts&, const CoilRow& r, unsigned) {
       return Printed("%.4g", r.reference.frequency.tuningCapacitance * 1e12);
     }},
    {"held by", [](const DesignProblem&, const CoilTexts&, const CoilRow&,
                   unsigned limits) { return LimitNames(limits); }},
};

// Each coil's row of texts; false when a coil no longer gets its reference (never, as the
// designer took only coils that did).
bool Rows(const DesignProblem& p, const DesignOutcome& outcome,
          std::vector<std::vector<std::string>>& rows) {
  for (const DesignedCoil& coil : outcome.coils) {
    CoilRow row;
    if (!CoilRowOf(p, coil.texts, row)) return false;
    std::vector<std::string>& cells = rows.emplace_back();
    for (const Column& column : COLUMNS)
      cells.push_back(column.text(p, coil.texts, row, coil.limits));
  }
  return true;
}

}  // namespace

bool DesignedCoilReference(const DesignProblem& p, const CoilTexts& texts,
                           SolveReference& reference, double& wireLength) {
  SolveCase solveCase;
  solveCase.lengthScale = p.millimetres ? MILLIMETRES.scale : INCHES.scale;
  solveCase.solveMode = SOLVE_FOR_INDUCTANCE;
  solveCase.seeds = {
      {IDC_DIAMETER, texts.diameter}, {IDC_HEIGHT, texts.height}, {IDC_TURNS, texts.turns}};
  RunSolveCase(solveCase);
  // A message, such as the turns raised to the least, means the dialog did not take the coil
  // as it stands.
  if (!SolveCompleted()) return false;
  for (const TraceEntry& entry : HeadlessTrace()) {
    if (entry.isMessage) return false;
  }
  const DesignWire& wire = p.wires[texts.wire];
  WireRequest request{.wanted = true};
  std::string error;
  if (wire.byGauge) {
    request.hasGauge = true;
    request.gauge = wire.gauge;
  } else {
    request.hasDiameter = true;
    if (!ReadWireDiameter(wire.text, request.diameter, error)) return false;
  }
  request.hasFrequency = true;
  if (!ReadFrequency(p.frequencyText, request.frequency, error)) return false;
  request.celsius = p.celsius;
  wireLength = ResultLineNumber(wireLengthText);
  return ComputeSolveReference(request, reference);
}

bool DialogFigures(const DesignProblem& p, const CoilTexts& texts, CoilFigures& figures) {
  CoilRow row;
  if (!CoilRowOf(p, texts, row)) return false;
  const SolveReference& r = row.reference;
  figures = {row.diameter,
             row.height,
             row.turns,
             InUnit(r.wire, *r.unit),
             row.pitch,
             r.frequency.apparentInductance,
             r.frequency.apparentQ,
             r.physics.selfResonance};
  return true;
}

DesignOutcome DesignWithDialog(const DesignProblem& problem) {
  return DesignCoils(problem, DialogFigures);
}

bool AppendDesignAnswer(std::string& out, const DesignProblem& p, const DesignOutcome& outcome) {
  if (outcome.coils.empty()) {
    AppendErrorLine(out, DesignStopText(outcome.stop));
    return false;
  }
  out += "{\"design\":{\"coils\":[";
  for (const DesignedCoil& coil : outcome.coils) {
    CoilRow row;
    if (!CoilRowOf(p, coil.texts, row)) continue;  // never: the designer took only such coils
    const SolveReference& r = row.reference;
    AppendJsonComma(out);
    out += '{';
    const std::pair<const char*, double> shape[] = {
        {"diameter", row.diameter}, {"height", row.height}, {"turns", row.turns}};
    for (const auto& [name, value] : shape) {
      AppendJsonKey(out, name, name == shape[0].first);
      AppendJsonNumber(out, value);
    }
    AppendWireGauge(out, r);
    const std::pair<const char*, double> values[] = {
        {"wire_diameter", InUnit(r.wire, *r.unit)},
        {"pitch", row.pitch},
        {"wire_length", row.wireLength},
        {"inductance_uH", r.physics.inductance * 1e6},
        {"apparent_inductance_uH", r.frequency.apparentInductance * 1e6},
        {"q", r.frequency.q},
        {"apparent_q", r.frequency.apparentQ},
        {"self_resonance_MHz", r.physics.selfResonance * 1e-6},
        {"ac_resistance_ohm", r.frequency.acResistance},
        {"tuning_capacitance_pF", r.frequency.tuningCapacitance * 1e12},
    };
    for (const auto& [name, value] : values) {
      AppendJsonKey(out, name);
      AppendJsonNumber(out, value);
    }
    out += '}';
  }
  out += "]}}\n";
  return true;
}

std::string DesignTable(const DesignProblem& p, const DesignOutcome& outcome) {
  std::vector<std::vector<std::string>> rows;
  if (outcome.coils.empty()) return DesignStopText(outcome.stop) + "\n";
  Rows(p, outcome, rows);
  constexpr std::size_t COLUMN_COUNT = std::size(COLUMNS);
  std::size_t width[COLUMN_COUNT];
  for (std::size_t c = 0; c < COLUMN_COUNT; ++c) {
    width[c] = std::string(COLUMNS[c].heading).size();
    for (const auto& cells : rows) width[c] = std::max(width[c], cells[c].size());
  }
  const auto line = [&](auto cell) {
    std::string text;
    for (std::size_t c = 0; c < COLUMN_COUNT; ++c) {
      const std::string value = cell(c);
      if (c > 0) text += "  ";
      text += c + 1 == COLUMN_COUNT ? value : std::string(width[c] - value.size(), ' ') + value;
    }
    return text + "\n";
  };
  std::string table =
      "Lengths in " + std::string(p.millimetres ? "mm" : "inches") + ", best first (apparent Q):\n";
  table += line([](std::size_t c) { return std::string(COLUMNS[c].heading); });
  for (const auto& cells : rows) table += line([&](std::size_t c) { return cells[c]; });
  return table;
}

void AppendDesignPanel(std::string& out, const DesignProblem& p, const DesignOutcome& outcome) {
  std::vector<std::vector<std::string>> rows;
  if (outcome.coils.empty() || !Rows(p, outcome, rows)) {
    out += '{';
    AppendJsonKey(out, "error", true);
    AppendJsonString(out, DesignStopText(outcome.stop));
    out += '}';
    return;
  }
  out += "{\"columns\":[";
  for (const Column& column : COLUMNS) {
    AppendJsonComma(out);
    AppendJsonString(out, column.heading);
  }
  out += "],\"rows\":[";
  for (const auto& cells : rows) {
    AppendJsonComma(out);
    out += '[';
    for (const std::string& cell : cells) {
      AppendJsonComma(out);
      AppendJsonString(out, cell);
    }
    out += ']';
  }
  out += "],\"unitOption\":";
  AppendJsonInteger(out, (p.millimetres ? MILLIMETRES : INCHES).optionId);
  out += ",\"coils\":[";
  for (const DesignedCoil& coil : outcome.coils) {
    AppendJsonComma(out);
    out += '[';
    const std::pair<int, const std::string&> fields[] = {{IDC_DIAMETER, coil.texts.diameter},
                                                         {IDC_HEIGHT, coil.texts.height},
                                                         {IDC_TURNS, coil.texts.turns}};
    for (const auto& [id, text] : fields) {
      AppendJsonComma(out);
      out += '[';
      AppendJsonInteger(out, id);
      out += ',';
      AppendJsonString(out, text);
      out += ']';
    }
    out += ']';
  }
  out += "]}";
}
