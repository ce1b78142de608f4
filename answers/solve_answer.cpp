// The solve's answer written from the in-memory dialog's trace and texts, with no JSON tree.
#include "solve_answer.h"

#include "dialog_controls.h"
#include "headless_window.h"
#include "json_writer.h"

namespace {

// The members of the fields object up to each text: `"inductance":`, `,"inductance_unit":`, ...
const std::array<std::string, RESULT_CONTROLS.size()> FIELD_KEYS = [] {
  std::array<std::string, RESULT_CONTROLS.size()> keys;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    AppendJsonKey(keys[i], FindDialogControl(RESULT_CONTROLS[i])->fieldName, i == 0);
  }
  return keys;
}();

// One [CAPTION,TEXT] of the messages, or one ["message"|"set",SUBJECT,TEXT] of the trace;
// `head` starts with the comma that the first row of a list leaves out.
void AppendRow(std::string& out, bool first, std::string_view head, const TraceEntry& entry) {
  AppendJsonStringBetween(out, first ? head.substr(1) : head, entry.subject, ",");
  AppendJsonStringBetween(out, {}, entry.text, "]");
}

}  // namespace

void BeginSolveAnswer(std::string& out) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  static constexpr std::string_view MESSAGE_ROW = ",[";
  static constexpr std::string_view MESSAGE_EVENT = ",[\"message\",";
  static constexpr std::string_view SET_EVENT = ",[\"set\",";
  out += "{\"messages\":[";
  bool first = true;
  for (const TraceEntry& entry : trace) {
    if (!entry.isMessage) continue;
    AppendRow(out, first, MESSAGE_ROW, entry);
    first = false;
  }
  out += "],\"fields\":{";
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i)
    AppendJsonStringBetween(out, FIELD_KEYS[i], PeekControlText(RESULT_CONTROLS[i]), {});
  out += "},\"trace\":[";
  first = true;
  for (const TraceEntry& entry : trace) {
    AppendRow(out, first, entry.isMessage ? MESSAGE_EVENT : SET_EVENT, entry);
    first = false;
  }
  out += ']';
}

void AppendSolveAnswer(std::string& out) {
  BeginSolveAnswer(out);
  out += '}';
}
