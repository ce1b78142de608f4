// One solve of the command line: seeding the in-memory dialog, running the solve, reading it back.
#include "solve_case.h"

#include "dialog_controls.h"
#include "request_scan.h"

const int RESULT_CONTROLS[7] = {IDC_INDUCTANCE, IDC_INDUCTANCE_UNIT, IDC_TURNS,    IDC_WIRE_LENGTH,
                                IDC_WIRE_SIZE,  IDC_CAPACITANCE,     IDC_RESONANCE};

const std::int16_t* FindSolveMode(std::string_view name) {
  for (const SolveModeName& entry : SOLVE_MODE_NAMES) {
    if (name == entry.name) return &entry.mode;
  }
  return nullptr;
}

namespace {

using Json = nlohmann::ordered_json;

// Rows of the answer's lists that are not in use at the moment, kept with their strings'
// storage: a batch of a million cases then allocates almost nothing per case.
thread_local std::vector<Json> spareRows;

void SetText(Json& cell, const std::string& text) {
  if (!cell.is_string()) cell = std::string();
  cell.get_ref<std::string&>().assign(text);
}

// Row `index` of `list`, made an array of `width` strings.
Json::array_t& Row(Json::array_t& list, std::size_t index, std::size_t width) {
  while (list.size() <= index) {
    if (spareRows.empty()) {
      list.emplace_back(Json::array());
    } else {
      list.push_back(std::move(spareRows.back()));
      spareRows.pop_back();
    }
  }
  Json::array_t& row = list[index].get_ref<Json::array_t&>();
  row.resize(width);
  return row;
}

void TrimRows(Json::array_t& list, std::size_t used) {
  while (list.size() > used) {
    spareRows.push_back(std::move(list.back()));
    list.pop_back();
  }
}

Json MakeAnswer() {
  Json answer = Json::object();
  answer["messages"] = Json::array();
  answer["fields"] = Json::object();
  for (int id : RESULT_CONTROLS) answer["fields"][FieldName(id)] = std::string();
  answer["trace"] = Json::array();
  return answer;
}

}  // namespace

const nlohmann::ordered_json& SolveAnswer() {
  thread_local Json answer = MakeAnswer();
  Json::array_t& messages = answer["messages"].get_ref<Json::array_t&>();
  Json::array_t& trace = answer["trace"].get_ref<Json::array_t&>();
  std::size_t messageCount = 0;
  std::size_t traceCount = 0;
  for (const TraceEntry& entry : HeadlessTrace()) {
    if (entry.isMessage) {
      Json::array_t& message = Row(messages, messageCount++, 2);
      SetText(message[0], entry.subject);
      SetText(message[1], entry.text);
    }
    Json::array_t& event = Row(trace, traceCount++, 3);
    static const std::string MESSAGE = "message", SET = "set";
    SetText(event[0], entry.isMessage ? MESSAGE : SET);
    SetText(event[1], entry.subject);
    SetText(event[2], entry.text);
  }
  TrimRows(messages, messageCount);
  TrimRows(trace, traceCount);
  // The fields object was built in RESULT_CONTROLS order and keeps it.
  Json& fields = answer["fields"];
  std::size_t index = 0;
  for (auto& [name, text] : fields.items()) {
    SetText(text, PeekControlText(RESULT_CONTROLS[index++]));
    static_cast<void>(name);
  }
  return answer;
}

namespace {

// Reads a request as the parser meets it, without building a document: the handler that
// nlohmann::json::sax_parse calls for each key and value. Parsing stops at the first problem.
struct RequestReader {
  SolveCase* solveCase = nullptr;
  std::string* error = nullptr;
  int depth = 0;       // 1 inside the request, 2 inside "fields"
  std::string topKey;  // the last key at depth 1
  int fieldId = 0;     // the field of the last key at depth 2

  using number_integer_t = Json::number_integer_t;
  using number_unsigned_t = Json::number_unsigned_t;
  using number_float_t = Json::number_float_t;
  using string_t = Json::string_t;
  using binary_t = Json::binary_t;

  bool Fail(std::string reason) {
    if (error->empty()) *error = std::move(reason);
    return false;
  }
  // Any value that is not a string or the "fields" object.
  bool WrongValue() {
    if (depth == 0) return Fail("a request must be a JSON object");
    if (depth == 1 && topKey == "fields") return Fail("\"fields\" must be an object of texts");
    if (depth == 1 && topKey == "unit")
      return Fail(std::string("\"unit\" must be \"") + INCHES.name + "\" or \"" + MILLIMETRES.name +
                  "\"");
    if (depth == 1)
      return Fail(std::string("\"mode\" must be \"") + SOLVE_MODE_NAMES[0].name + "\" or \"" +
                  SOLVE_MODE_NAMES[1].name + "\"");
    return Fail("the text of field \"" + FieldName(fieldId) + "\" must be a string");
  }

  bool null() { return WrongValue(); }
  bool boolean(bool) { return WrongValue(); }
  bool number_integer(number_integer_t) { return WrongValue(); }
  bool number_unsigned(number_unsigned_t) { return WrongValue(); }
  bool number_float(number_float_t, const string_t&) { return WrongValue(); }
  bool binary(binary_t&) { return WrongValue(); }
  bool start_array(std::size_t) { return WrongValue(); }
  bool end_array() { return false; }

  bool start_object(std::size_t) {
    if (depth == 0 || (depth == 1 && topKey == "fields")) {
      ++depth;
      return true;
    }
    return WrongValue();
  }
  bool end_object() {
    --depth;
    return true;
  }
  bool key(string_t& name) {
    if (depth == 1) {
      if (name != "unit" && name != "mode" && name != "fields")
        return Fail("unknown key \"" + name + "\"");
      topKey = name;
      return true;
    }
    fieldId = FieldId(name);
    if (fieldId == 0) return Fail("unknown field \"" + name + "\"");
    return true;
  }
  bool string(string_t& text) {
    if (depth == 2) {
      solveCase->seeds.emplace_back(fieldId, std::move(text));
      return true;
    }
    if (depth == 1 && topKey == "unit") {
      if (const LengthUnit* unit = FindLengthUnit(text)) {
        solveCase->lengthScale = unit->scale;
        return true;
      }
    }
    if (depth == 1 && topKey == "mode") {
      if (const std::int16_t* mode = FindSolveMode(text)) {
        solveCase->solveMode = *mode;
        return true;
      }
    }
    return WrongValue();
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
    return Fail(std::string("not valid JSON: ") + e.what());
  }
};

}  // namespace

namespace {

void ClearSolveCase(SolveCase& solveCase) {
  solveCase.lengthScale = SolveCase{}.lengthScale;
  solveCase.solveMode = SolveCase{}.solveMode;
  solveCase.seeds.clear();
}

}  // namespace

bool ReadSolveCase(std::string_view line, SolveCase& solveCase, std::string& error) {
  error.clear();
  ClearSolveCase(solveCase);
  if (ScanPlainRequest(line, solveCase)) return true;
  return ParseSolveCase(line, solveCase, error);
}

bool ParseSolveCase(std::string_view line, SolveCase& solveCase, std::string& error) {
  error.clear();
  ClearSolveCase(solveCase);
  if (line.empty()) {
    error = "empty line";
    return false;
  }
  RequestReader reader;
  reader.solveCase = &solveCase;
  reader.error = &error;
  if (Json::sax_parse(line.begin(), line.end(), &reader)) return true;
  if (error.empty()) error = "not a request";
  return false;
}

std::string DumpLine(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
