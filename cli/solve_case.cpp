// One solve of the command line: seeding the in-memory dialog, running the solve, reading it back.
#include "solve_case.h"

#include "control_ids.h"
#include "headless_window.h"
#include "solve.h"

const int RESULT_CONTROLS[7] = {IDC_INDUCTANCE, IDC_INDUCTANCE_UNIT, IDC_TURNS,    IDC_WIRE_LENGTH,
                                IDC_WIRE_SIZE,  IDC_CAPACITANCE,     IDC_RESONANCE};

void RunSolveCase(const SolveCase& solveCase) {
  ResetHeadlessDialog();
  for (const auto& [id, text] : solveCase.seeds) SeedControlText(id, text);
  // Set directly, as the solve buttons and unit options would leave them; clicking a unit
  // option would also reset the result lines, which a request may have given on purpose.
  lengthScale = solveCase.lengthScale;
  solveMode = solveCase.solveMode;
  SolveCoil();
}

bool SolveCompleted() {
  // A completed solve always ends with the write of the self-resonance line.
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  return !trace.empty() && !trace.back().isMessage && trace.back().subject == "resonance";
}

nlohmann::ordered_json SolveAnswer() {
  nlohmann::ordered_json messages = nlohmann::ordered_json::array();
  nlohmann::ordered_json trace = nlohmann::ordered_json::array();
  for (const TraceEntry& entry : HeadlessTrace()) {
    if (entry.isMessage) {
      messages.push_back({entry.subject, entry.text});
      trace.push_back({"message", entry.subject, entry.text});
    } else {
      trace.push_back({"set", entry.subject, entry.text});
    }
  }
  nlohmann::ordered_json fields = nlohmann::ordered_json::object();
  for (int id : RESULT_CONTROLS) fields[FieldName(id)] = PeekControlText(id);

  nlohmann::ordered_json answer = nlohmann::ordered_json::object();
  answer["messages"] = std::move(messages);
  answer["fields"] = std::move(fields);
  answer["trace"] = std::move(trace);
  return answer;
}

namespace {

bool ReadChoice(const nlohmann::json& value, const char* key, const char* first, const char* second,
                int& choice, std::string& error) {
  if (value.is_string()) {
    const std::string& text = value.get_ref<const std::string&>();
    if (text == first) {
      choice = 0;
      return true;
    }
    if (text == second) {
      choice = 1;
      return true;
    }
  }
  error = std::string("\"") + key + "\" must be \"" + first + "\" or \"" + second + "\"";
  return false;
}

}  // namespace

bool ReadSolveCase(const nlohmann::json& request, SolveCase& solveCase, std::string& error) {
  solveCase = SolveCase{};
  if (!request.is_object()) {
    error = "a request must be a JSON object";
    return false;
  }
  for (const auto& [key, value] : request.items()) {
    int choice = 0;
    if (key == "unit") {
      if (!ReadChoice(value, "unit", "in", "mm", choice, error)) return false;
      solveCase.lengthScale = choice == 0 ? 1.0f : MILLIMETRES_PER_INCH;
    } else if (key == "mode") {
      if (!ReadChoice(value, "mode", "turns", "inductance", choice, error)) return false;
      solveCase.solveMode = static_cast<std::int16_t>(choice);
    } else if (key == "fields") {
      if (!value.is_object()) {
        error = "\"fields\" must be an object of texts";
        return false;
      }
      for (const auto& [name, text] : value.items()) {
        const int id = FieldId(name);
        if (id == 0) {
          error = "unknown field \"" + name + "\"";
          return false;
        }
        if (!text.is_string()) {
          error = "the text of field \"" + name + "\" must be a string";
          return false;
        }
        solveCase.seeds.emplace_back(id, text.get_ref<const std::string&>());
      }
    } else {
      error = "unknown key \"" + key + "\"";
      return false;
    }
  }
  return true;
}

std::string DumpLine(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
