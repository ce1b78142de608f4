// The reader of a batch request line: a plain line scanned, any other parsed into a tree and
// checked in the order of the line.
#include "solve_case.h"

#include <algorithm>
#include <cmath>

#include "answer_line.h"
#include "design_answer.h"
#include "dialog_controls.h"
#include "json_writer.h"
#include "request_scan.h"
#include "request_tree.h"

namespace {

using Node = RequestNode;

const char* const BAD_REFERENCE =
    "\"reference\" must be true, false, or an object of \"wire_gauge\": N or \"wire_diameter\": "
    "\"X\", \"frequency\": \"F\", \"sweep\": {...}, \"temperature\": C and \"base_height\": "
    "\"B\", each optional";

const char* const BAD_SWEEP =
    "\"sweep\" must be an object of \"from\": \"F\", \"to\": \"F\" and, optional, \"points\": N";

// The value of the last `key` of an object, or none when the key is not there.
const Node* LastValue(const Node& object, std::string_view key) {
  const auto last = std::find_if(object.members.rbegin(), object.members.rend(),
                                 [key](const Node& member) { return member.key == key; });
  return last == object.members.rend() ? nullptr : &*last;
}

// The fault of a "reference" object's wire, its last value for each key counting.
std::string CheckReferenceWire(const Node* gauge, const Node* diameter, WireRequest& wire) {
  std::string problem;
  if (gauge) {
    const double number = gauge->kind == Node::NUMBER ? gauge->number : std::nan("");
    if (!(number >= MIN_WIRE_GAUGE && number <= MAX_WIRE_GAUGE) || number != std::floor(number))
      return "\"wire_gauge\" must be a whole number from " + std::to_string(MIN_WIRE_GAUGE) +
             " (0000) to " + std::to_string(MAX_WIRE_GAUGE);
    wire.hasGauge = true;
    wire.gauge = static_cast<int>(number);
  } else if (diameter) {
    if (diameter->kind != Node::TEXT) return "\"wire_diameter\" must be a text, such as \"0.5\"";
    wire.hasDiameter = true;
    ReadWireDiameter(diameter->text, wire.diameter, problem);
  }
  return problem;
}

// The fault of a "sweep" object, or none with the band in `wire`.
std::string CheckSweep(const Node& sweep, WireRequest& wire) {
  const auto known = [](const Node& member) {
    return member.key == "from" || member.key == "to" || member.key == "points";
  };
  const Node* from = LastValue(sweep, "from");
  const Node* to = LastValue(sweep, "to");
  const Node* points = LastValue(sweep, "points");
  if (sweep.kind != Node::OBJECT ||
      !std::all_of(sweep.members.begin(), sweep.members.end(), known) || !from || !to ||
      from->kind != Node::TEXT || to->kind != Node::TEXT ||
      (points && points->kind != Node::NUMBER))
    return BAD_SWEEP;
  std::string problem;
  wire.hasSweep = true;
  ReadSweepParts(from->text, to->text, points ? points->number : DEFAULT_SWEEP_POINTS, wire.sweep,
                 problem);
  return problem;
}

// The fault of a "reference" value, checked in the order its faults rank, or none with `wire`
// filled from it.
std::string CheckReference(const Node& value, WireRequest& wire) {
  wire = WireRequest();
  wire.wanted = value.kind != Node::BOOLEAN || value.number != 0;
  if (value.kind == Node::BOOLEAN) return "";
  const auto known = [](const Node& member) {
    return member.key == "wire_gauge" || member.key == "wire_diameter" ||
           member.key == "frequency" || member.key == "temperature" || member.key == "sweep" ||
           member.key == "base_height";
  };
  const Node* gauge = LastValue(value, "wire_gauge");
  const Node* diameter = LastValue(value, "wire_diameter");
  if (value.kind != Node::OBJECT ||
      !std::all_of(value.members.begin(), value.members.end(), known) || (gauge && diameter))
    return BAD_REFERENCE;
  std::string problem = CheckReferenceWire(gauge, diameter, wire);
  const Node* frequency = LastValue(value, "frequency");
  const Node* temperature = LastValue(value, "temperature");
  const Node* sweep = LastValue(value, "sweep");
  const Node* base = LastValue(value, "base_height");
  if (!problem.empty()) return problem;
  if (base) {
    if (base->kind != Node::TEXT) return "\"base_height\" must be a text, such as \"2.5\"";
    wire.hasBaseHeight = true;
    if (!ReadBaseHeight(base->text, wire.baseHeight, problem)) return problem;
  }
  if (temperature && !frequency && !sweep)
    return "\"temperature\" needs \"frequency\" or \"sweep\"";
  if (frequency) {
    if (frequency->kind != Node::TEXT) return "\"frequency\" must be a text, such as \"7.1MHz\"";
    wire.hasFrequency = true;
    if (!ReadFrequency(frequency->text, wire.frequency, problem)) return problem;
  }
  if (sweep) problem = CheckSweep(*sweep, wire);
  if (!problem.empty()) return problem;
  if (temperature &&
      (temperature->kind != Node::NUMBER || !IsCopperTemperature(temperature->number)))
    return "\"temperature\" must be " + CopperTemperatureRange();
  if (temperature) wire.celsius = temperature->number;
  return "";
}

// The fault of the "fields" object, or none with its texts seeded in the case.
std::string CheckFields(Node& fields, SolveCase& solveCase) {
  if (fields.kind != Node::OBJECT) return "\"fields\" must be an object of texts";
  for (Node& field : fields.members) {
    const int id = FieldId(field.key);
    if (id == 0) return "unknown field \"" + field.key + "\"";
    if (field.kind == Node::TEXT) {
      solveCase.kept.push_back(std::move(field.text));
      solveCase.seeds.emplace_back(id, solveCase.kept.back());
    } else if (field.kind != Node::MISSING) {
      return "the text of field \"" + FieldName(id) + "\" must be a string";
    }
  }
  return "";
}

// The fault of one key of the request and its value, "reference" aside, or none with the case
// set from them. A key whose value the line did not reach is checked alone.
std::string CheckMember(Node& member, SolveCase& solveCase) {
  const std::string& key = member.key;
  if (key != "unit" && key != "mode" && key != "fields" && key != "reference")
    return "unknown key \"" + key + "\"";
  if (key == "reference" || member.kind == Node::MISSING) return "";
  const bool text = member.kind == Node::TEXT;
  if (key == "unit") {
    const LengthUnit* unit = text ? FindLengthUnit(member.text) : nullptr;
    if (unit) solveCase.lengthScale = unit->scale;
    return unit ? ""
                : std::string("\"unit\" must be \"") + INCHES.name + "\" or \"" + MILLIMETRES.name +
                      "\"";
  }
  if (key == "mode") {
    const std::int16_t* mode = text ? FindSolveMode(member.text) : nullptr;
    if (mode) solveCase.solveMode = *mode;
    return mode ? ""
                : std::string("\"mode\" must be \"") + SOLVE_MODE_NAMES[0].name + "\" or \"" +
                      SOLVE_MODE_NAMES[1].name + "\"";
  }
  return CheckFields(member, solveCase);
}

// The error of a parsed request line, or none with the case and wire set from it. On a line of
// valid JSON a fault of the last "reference" value comes first, then the first fault in the
// line. On any other line the first fault of a key or value before the syntax fault, else the
// syntax fault: which "reference" value counts is not known before the line's end.
std::string CheckRequest(Node& root, bool valid, const std::string& syntaxError,
                         SolveCase& solveCase, WireRequest& wire) {
  if (root.kind == Node::MISSING) return syntaxError;
  if (root.kind != Node::OBJECT) return "a request must be a JSON object";
  std::string fault;
  for (Node& member : root.members) {
    fault = CheckMember(member, solveCase);
    if (!fault.empty()) break;
  }
  if (!valid) return fault.empty() ? syntaxError : fault;
  const Node* reference = LastValue(root, "reference");
  std::string referenceFault = reference ? CheckReference(*reference, wire) : "";
  return referenceFault.empty() ? fault : referenceFault;
}

// A value of a design's key as the designer takes it.
DesignValue DesignValueOf(const Node& node) {
  DesignValue value;
  value.kind = node.kind == Node::TEXT     ? DesignValue::TEXT
               : node.kind == Node::NUMBER ? DesignValue::NUMBER
                                           : DesignValue::OTHER;
  value.text = node.text;
  value.number = node.number;
  return value;
}

// {"min": ..., "max": ...}, each once, into `low` and `high`.
bool ReadMinMax(const Node& node, DesignValue& low, DesignValue& high) {
  low = high = DesignValue();
  if (node.kind != Node::OBJECT) return false;
  for (const Node& member : node.members) {
    DesignValue& value = member.key == "min" ? low : high;
    if ((member.key != "min" && member.key != "max") || value.kind != DesignValue::ABSENT)
      return false;
    value = DesignValueOf(member);
  }
  return low.kind != DesignValue::ABSENT && high.kind != DesignValue::ABSENT;
}

// The error of a design line: its "design" alone, then the design's keys.
std::string CheckDesign(const Node& root, bool valid, const std::string& syntaxError,
                        DesignCase& design) {
  if (!valid) return syntaxError;
  if (root.members.size() != 1) return DESIGN_NOT_ALONE;
  DesignInput input;
  std::string error = ReadDesignNode(root.members[0], input);
  if (error.empty() && CheckDesignInput(input, design.problem, error)) design.wanted = true;
  return error;
}

bool IsDesignLine(const Node& root) {
  return root.kind == Node::OBJECT &&
         std::any_of(root.members.begin(), root.members.end(),
                     [](const Node& member) { return member.key == "design"; });
}

void ClearRequest(SolveCase& solveCase, WireRequest& wire, std::string& error) {
  static const SolveCase start;  // once: a case's deque allocates when made
  solveCase.lengthScale = start.lengthScale;
  solveCase.solveMode = start.solveMode;
  solveCase.seeds.clear();
  solveCase.kept.clear();
  wire = WireRequest();
  error.clear();
}

}  // namespace

std::string ReadDesignNode(const RequestNode& design, DesignInput& input) {
  input = DesignInput();
  if (design.kind != Node::OBJECT) return DESIGN_NOT_OBJECT;
  for (const Node& member : design.members) {
    const DesignKeyRule* rule = FindDesignKey(member.key);
    if (!rule) return "unknown key \"" + member.key + "\" in \"design\"";
    bool good = true;
    switch (rule->key) {
      case DesignKey::UNIT:
        input.unit = DesignValueOf(member);
        break;
      case DesignKey::INDUCTANCE:
        input.inductance = DesignValueOf(member);
        break;
      case DesignKey::FREQUENCY:
        input.frequency = DesignValueOf(member);
        break;
      case DesignKey::DIAMETER:
        input.diameterRange = member.kind == Node::OBJECT;
        input.diameter = DesignValueOf(member);
        good = !input.diameterRange || ReadMinMax(member, input.diameterMin, input.diameterMax);
        break;
      case DesignKey::HEIGHT_MAX:
        input.heightMax = DesignValueOf(member);
        break;
      case DesignKey::WIRE_GAUGES:
        input.hasGauges = true;
        good = ReadMinMax(member, input.gaugeMin, input.gaugeMax);
        break;
      case DesignKey::WIRE_DIAMETERS:
        input.hasWireDiameters = true;
        input.wireDiameters.clear();
        good = member.kind == Node::ARRAY;
        for (const Node& wire : member.members) input.wireDiameters.push_back(DesignValueOf(wire));
        break;
      case DesignKey::PITCH_MIN:
        input.pitchMin = DesignValueOf(member);
        break;
      case DesignKey::RESONANCE_MARGIN:
        input.margin = DesignValueOf(member);
        break;
      case DesignKey::TOLERANCE:
        input.tolerance = DesignValueOf(member);
        break;
      case DesignKey::TEMPERATURE:
        input.temperature = DesignValueOf(member);
        break;
      case DesignKey::COUNT:
        input.count = DesignValueOf(member);
        break;
    }
    if (!good) return DesignKeyError(rule->key);
  }
  return "";
}

bool ReadSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                   std::string& error, DesignCase* design) {
  ClearRequest(solveCase, wire, error);
  if (design) design->wanted = false;
  if (ScanPlainRequest(line, solveCase, wire)) return true;
  return ParseSolveCase(line, solveCase, wire, error, design);
}

bool ParseSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                    std::string& error, DesignCase* design) {
  ClearRequest(solveCase, wire, error);
  DesignCase unused;
  DesignCase& asked = design ? *design : unused;
  asked.wanted = false;
  if (line.empty()) {
    error = "empty line";
    return false;
  }
  RequestNode root;
  std::string syntaxError;
  const bool valid = ParseRequestTree(line, root, syntaxError);
  if (IsDesignLine(root)) {
    error = CheckDesign(root, valid, syntaxError, asked);
    return error.empty();
  }
  error = CheckRequest(root, valid, syntaxError, solveCase, wire);
  if (!error.empty()) wire = WireRequest();
  return error.empty();
}

bool AnswerRequestLine(std::string_view line, std::string& answer) {
  thread_local SolveCase solveCase;  // kept, so that its vectors and texts reuse their storage
  thread_local std::string error;
  thread_local DesignCase design;
  WireRequest wire;
  if (!ReadSolveCase(line, solveCase, wire, error, &design)) {
    AppendErrorLine(answer, error);
    return false;
  }
  if (design.wanted)
    return AppendDesignAnswer(answer, design.problem, DesignWithDialog(design.problem));
  RunSolveCase(solveCase);
  return AppendAnswerLine(answer, wire);
}
