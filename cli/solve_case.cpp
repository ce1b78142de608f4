// The reader of a batch request line: a plain line scanned, any other in one pass of nlohmann's
// SAX parser, no document built.
#include "solve_case.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

#include "answer_line.h"
#include "dialog_controls.h"
#include "json_syntax_error.h"
#include "json_writer.h"
#include "request_scan.h"

namespace {

using Json = nlohmann::json;

const char* const BAD_REFERENCE =
    "\"reference\" must be true, false, or an object of \"wire_gauge\": N or \"wire_diameter\": "
    "\"X\", \"frequency\": \"F\" and \"temperature\": C, each optional";
const char* const REFERENCE_KEYS[] = {"wire_gauge", "wire_diameter", "frequency", "temperature"};

// What a "reference" object names, as its last value for each key.
struct ReferenceObject {
  std::vector<std::string> keys;  // each key once, as a parsed object keeps them
  std::string lastKey;
  bool gaugeIsNumber = false;
  double gauge = 0;
  bool diameterIsText = false;
  std::string diameter;
  bool frequencyIsText = false;
  std::string frequency;
  bool temperatureIsNumber = false;
  double temperature = 0;

  bool Has(std::string_view key) const {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
  }
};

// Checks a "reference" object in the order its problems rank, and fills `wire` from it; `problem`
// is left empty when the object is one the reference takes.
void CheckReferenceObject(const ReferenceObject& r, WireRequest& wire, std::string& problem) {
  wire = WireRequest();
  problem.clear();
  const auto known = [](const std::string& key) {
    return std::find(std::begin(REFERENCE_KEYS), std::end(REFERENCE_KEYS), key) !=
           std::end(REFERENCE_KEYS);
  };
  if (!std::all_of(r.keys.begin(), r.keys.end(), known) ||
      (r.Has("wire_gauge") && r.Has("wire_diameter"))) {
    problem = BAD_REFERENCE;
    return;
  }
  wire.wanted = true;
  if (r.Has("wire_gauge")) {
    const double gauge = r.gaugeIsNumber ? r.gauge : std::nan("");
    if (!(gauge >= MIN_WIRE_GAUGE && gauge <= MAX_WIRE_GAUGE) || gauge != std::floor(gauge)) {
      problem = "\"wire_gauge\" must be a whole number from " + std::to_string(MIN_WIRE_GAUGE) +
                " (0000) to " + std::to_string(MAX_WIRE_GAUGE);
      return;
    }
    wire.hasGauge = true;
    wire.gauge = static_cast<int>(gauge);
  } else if (r.Has("wire_diameter")) {
    if (!r.diameterIsText) {
      problem = "\"wire_diameter\" must be a text, such as \"0.5\"";
      return;
    }
    wire.hasDiameter = true;
    if (!ReadWireDiameter(r.diameter, wire.diameter, problem)) return;
  }
  if (r.Has("frequency")) {
    if (!r.frequencyIsText) {
      problem = "\"frequency\" must be a text, such as \"7.1MHz\"";
      return;
    }
    wire.hasFrequency = true;
    if (!ReadFrequency(r.frequency, wire.frequency, problem)) return;
  }
  if (r.Has("temperature")) {
    if (!r.Has("frequency")) {
      problem = "\"temperature\" needs \"frequency\"";
    } else if (!r.temperatureIsNumber || !IsCopperTemperature(r.temperature)) {
      problem = "\"temperature\" must be " + CopperTemperatureRange();
    } else {
      wire.celsius = r.temperature;
    }
  }
}

// Keeps a value inside a "reference" object, at depth 2, under its last key.
void KeepReferenceValue(ReferenceObject& r, bool isNumber, double number, const std::string* text) {
  if (r.lastKey == "wire_gauge") {
    r.gaugeIsNumber = isNumber;
    r.gauge = number;
  } else if (r.lastKey == "wire_diameter") {
    r.diameterIsText = text != nullptr;
    if (text) r.diameter = *text;
  } else if (r.lastKey == "frequency") {
    r.frequencyIsText = text != nullptr;
    if (text) r.frequency = *text;
  } else if (r.lastKey == "temperature") {
    r.temperatureIsNumber = isNumber;
    r.temperature = number;
  }
}

// The handler that nlohmann::json::sax_parse calls for each key and value of a request.
//
// A request is read to its end even after a problem, because of how "reference" ranks: when
// the line is valid JSON with a "reference" key, a bad reference value is the answer (of the
// key's last value), then the first other problem. When the line is not valid JSON, or has no
// such key, the answer is the first problem in the line, where "reference" counts as an
// unknown key if the line is not valid JSON.
struct RequestReader {
  std::string_view line;
  SolveCase* solveCase = nullptr;
  WireRequest* wire = nullptr;

  int depth = 0;             // nesting of objects and arrays around the next event
  std::string topKey;        // the last key of the request object
  int fieldId = 0;           // the field of the last key inside "fields"
  int skipFrom = 0;          // > 0: inside a value nobody reads, opened at this depth
  bool inReference = false;  // inside the value of a "reference" key
  ReferenceObject referenceObject;

  std::string problem;  // the first problem, "reference" aside
  bool referenceBeforeProblem = false;
  bool hasReference = false;
  std::string referenceProblem;  // of the last "reference" value
  std::string syntaxError;

  using number_integer_t = Json::number_integer_t;
  using number_unsigned_t = Json::number_unsigned_t;
  using number_float_t = Json::number_float_t;
  using string_t = Json::string_t;
  using binary_t = Json::binary_t;

  void Note(std::string reason) {
    if (problem.empty()) problem = std::move(reason);
  }
  // The value at this place is not one the request takes.
  void WrongValue() {
    if (depth == 0) return Note("a request must be a JSON object");
    if (depth == 1 && topKey == "fields") return Note("\"fields\" must be an object of texts");
    if (depth == 1 && topKey == "unit")
      return Note(std::string("\"unit\" must be \"") + INCHES.name + "\" or \"" + MILLIMETRES.name +
                  "\"");
    if (depth == 1)
      return Note(std::string("\"mode\" must be \"") + SOLVE_MODE_NAMES[0].name + "\" or \"" +
                  SOLVE_MODE_NAMES[1].name + "\"");
    Note("the text of field \"" + FieldName(fieldId) + "\" must be a string");
  }

  // --- the value of "reference" ---
  void ReferenceScalar(bool isBool, bool value) {
    *wire = WireRequest();
    referenceProblem.clear();
    if (isBool) {
      wire->wanted = value;
    } else {
      referenceProblem = BAD_REFERENCE;
    }
  }
  void EndReferenceObject() { CheckReferenceObject(referenceObject, *wire, referenceProblem); }

  // Every scalar value comes here; `text` is set for strings, `number` for numbers.
  bool Scalar(bool isBool, bool boolean, bool isNumber, double number, std::string* text) {
    if (skipFrom > 0) return true;
    if (inReference) {
      if (depth == 1) {
        ReferenceScalar(isBool, boolean);
        inReference = false;
      } else if (depth == 2) {
        KeepReferenceValue(referenceObject, isNumber, number, text);
      }
      return true;
    }
    if (!problem.empty()) return true;
    if (text && depth == 2) {
      solveCase->seeds.emplace_back(fieldId, std::move(*text));
      return true;
    }
    if (text && depth == 1 && topKey == "unit") {
      if (const LengthUnit* unit = FindLengthUnit(*text)) {
        solveCase->lengthScale = unit->scale;
        return true;
      }
    }
    if (text && depth == 1 && topKey == "mode") {
      if (const std::int16_t* mode = FindSolveMode(*text)) {
        solveCase->solveMode = *mode;
        return true;
      }
    }
    WrongValue();
    return true;
  }

  bool null() { return Scalar(false, false, false, 0, nullptr); }
  bool boolean(bool value) { return Scalar(true, value, false, 0, nullptr); }
  bool number_integer(number_integer_t value) {
    return Scalar(false, false, true, static_cast<double>(value), nullptr);
  }
  bool number_unsigned(number_unsigned_t value) {
    return Scalar(false, false, true, static_cast<double>(value), nullptr);
  }
  bool number_float(number_float_t value, const string_t&) {
    return Scalar(false, false, true, value, nullptr);
  }
  bool string(string_t& text) { return Scalar(false, false, false, 0, &text); }
  bool binary(binary_t&) { return Scalar(false, false, false, 0, nullptr); }

  // An object or array opens at `depth`; returns whether its contents are read.
  bool Open(bool isObject) {
    if (skipFrom > 0) return false;
    if (inReference) {
      if (depth == 1 && isObject) {
        referenceObject = ReferenceObject();
        return true;
      }
      if (depth == 1) {
        ReferenceScalar(false, false);  // an array
        inReference = false;
      } else if (depth == 2) {
        KeepReferenceValue(referenceObject, false, 0, nullptr);
      }
      return false;
    }
    if (!problem.empty()) return depth == 0 && isObject;
    if (isObject && (depth == 0 || (depth == 1 && topKey == "fields"))) return true;
    WrongValue();
    return depth == 0 && isObject;
  }
  bool start_object(std::size_t) {
    if (!Open(true) && skipFrom == 0) skipFrom = depth + 1;
    ++depth;
    return true;
  }
  bool start_array(std::size_t) {
    if (!Open(false) && skipFrom == 0) skipFrom = depth + 1;
    ++depth;
    return true;
  }
  bool Close() {
    --depth;
    if (skipFrom > depth) skipFrom = 0;
    if (inReference && depth == 1) {
      if (skipFrom == 0) EndReferenceObject();
      inReference = false;
    }
    return true;
  }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(string_t& name) {
    if (skipFrom > 0) return true;
    if (inReference) {
      ReferenceObject& r = referenceObject;
      if (std::find(r.keys.begin(), r.keys.end(), name) == r.keys.end()) r.keys.push_back(name);
      r.lastKey = name;
      return true;
    }
    if (depth == 1) {
      topKey = name;
      if (name == "reference") {
        if (!hasReference) referenceBeforeProblem = problem.empty();
        hasReference = true;
        inReference = true;
        return true;
      }
      if (problem.empty() && name != "unit" && name != "mode" && name != "fields")
        Note("unknown key \"" + name + "\"");
      return true;
    }
    if (!problem.empty()) return true;
    fieldId = FieldId(name);
    if (fieldId == 0) Note("unknown field \"" + name + "\"");
    return true;
  }

  bool parse_error(std::size_t stop, const std::string&, const Json::exception&) {
    syntaxError = JsonSyntaxError(line, stop);
    return false;
  }
};

}  // namespace

namespace {

void ClearRequest(SolveCase& solveCase, WireRequest& wire, std::string& error) {
  solveCase.lengthScale = SolveCase{}.lengthScale;
  solveCase.solveMode = SolveCase{}.solveMode;
  solveCase.seeds.clear();
  wire = WireRequest();
  error.clear();
}

}  // namespace

bool ReadSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                   std::string& error) {
  ClearRequest(solveCase, wire, error);
  if (ScanPlainRequest(line, solveCase, wire)) return true;
  return ParseSolveCase(line, solveCase, wire, error);
}

bool ParseSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                    std::string& error) {
  ClearRequest(solveCase, wire, error);
  if (line.empty()) {
    error = "empty line";
    return false;
  }
  RequestReader reader;
  reader.line = line;
  reader.solveCase = &solveCase;
  reader.wire = &wire;
  const bool valid = Json::sax_parse(line.begin(), line.end(), &reader);
  if (valid && reader.hasReference) {
    error = !reader.referenceProblem.empty() ? reader.referenceProblem : reader.problem;
  } else if (reader.hasReference && reader.referenceBeforeProblem) {
    error = "unknown key \"reference\"";
  } else {
    error = !reader.problem.empty() ? reader.problem : reader.syntaxError;
  }
  if (!valid && error.empty()) error = "not a request";
  if (!error.empty()) wire = WireRequest();
  return error.empty();
}

bool AnswerRequestLine(std::string_view line, std::string& answer) {
  thread_local SolveCase solveCase;  // kept, so that its vectors and texts reuse their storage
  thread_local std::string error;
  WireRequest wire;
  if (!ReadSolveCase(line, solveCase, wire, error)) {
    AppendErrorLine(answer, error);
    return false;
  }
  RunSolveCase(solveCase);
  return AppendAnswerLine(answer, wire);
}
