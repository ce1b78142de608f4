// The solve's answer written from the in-memory dialog's trace and texts, with no JSON tree.
#include "solve_answer.h"

#include "headless_window.h"
#include "json_writer.h"

void BeginSolveAnswer(std::string& out) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  out += "{\"messages\":[";
  bool first = true;
  for (const TraceEntry& entry : trace) {
    if (!entry.isMessage) continue;
    out += first ? "[" : ",[";
    first = false;
    AppendJsonString(out, entry.subject);
    out += ',';
    AppendJsonString(out, entry.text);
    out += ']';
  }
  out += "],\"fields\":{";
  first = true;
  for (int id : RESULT_CONTROLS) {
    AppendJsonKey(out, FieldName(id), first);
    first = false;
    AppendJsonString(out, PeekControlText(id));
  }
  out += "},\"trace\":[";
  first = true;
  for (const TraceEntry& entry : trace) {
    out += first ? "[" : ",[";
    first = false;
    out += entry.isMessage ? "\"message\"," : "\"set\",";
    AppendJsonString(out, entry.subject);
    out += ',';
    AppendJsonString(out, entry.text);
    out += ']';
  }
  out += ']';
}

void AppendSolveAnswer(std::string& out) {
  BeginSolveAnswer(out);
  out += '}';
}
