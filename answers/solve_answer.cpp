// The solve's answer written from the in-memory dialog's trace and texts, with no JSON tree.
#include "solve_answer.h"

#include <cstring>

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

// A write's subject goes out unchecked: every field name is plain.
constexpr bool FIELD_NAMES_ARE_PLAIN = [] {
  for (const DialogControl& control : DIALOG_CONTROLS) {
    for (const char* c = control.fieldName; *c != '\0'; ++c) {
      if (!((*c >= 'a' && *c <= 'z') || *c == '_')) return false;
    }
  }
  return true;
}();
static_assert(FIELD_NAMES_ARE_PLAIN, "a field name needs no escape in JSON");

constexpr std::string_view MESSAGE_ROW = ",[";
constexpr std::string_view MESSAGE_EVENT = ",[\"message\",";
constexpr std::string_view SET_EVENT = ",[\"set\",";
constexpr std::string_view MESSAGES_OPEN = "{\"messages\":[";
constexpr std::string_view FIELDS_OPEN = "],\"fields\":{";
constexpr std::string_view TRACE_OPEN = "},\"trace\":[";

// Writes into an answer that has been given room enough; stops at a text that needs escapes.
struct PlainWriter {
  char* next;
  bool plain = true;

  void Put(std::string_view piece) {
    std::memcpy(next, piece.data(), piece.size());
    next += piece.size();
  }
  void PutText(std::string_view text) {
    plain = plain && PlainJsonLength(text) == text.size();
    if (!plain) return;
    *next++ = '"';
    Put(text);
    *next++ = '"';
  }
  void PutRow(bool first, std::string_view head, const TraceEntry& entry) {
    Put(first ? head.substr(1) : head);
    if (entry.isMessage) {
      PutText(entry.subject);
    } else {  // a field name of the control table, plain by its check
      *next++ = '"';
      Put(entry.subject);
      *next++ = '"';
    }
    *next++ = ',';
    PutText(entry.text);
    *next++ = ']';
  }
};

// The answer in one growth of `out` when none of its texts needs an escape, as nearly always:
// the string's own appends are calls, and an answer has over a hundred pieces. False, with
// `out` as it was, otherwise.
bool BeginPlainSolveAnswer(std::string& out) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  // Room for every piece: each row's texts (twice for a message: in both lists) and at most 16
  // bytes of punctuation around them, each field's text after its key.
  std::size_t room = MESSAGES_OPEN.size() + FIELDS_OPEN.size() + TRACE_OPEN.size() + 1;
  for (const TraceEntry& entry : trace) room += 2 * (entry.subject.size() + entry.text.size() + 16);
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i)
    room += FIELD_KEYS[i].size() + PeekControlText(RESULT_CONTROLS[i]).size() + 2;
  const std::size_t start = out.size();
  out.resize(start + room);
  PlainWriter writer{out.data() + start};
  writer.Put(MESSAGES_OPEN);
  bool first = true;
  for (const TraceEntry& entry : trace) {
    if (!entry.isMessage) continue;
    writer.PutRow(first, MESSAGE_ROW, entry);
    first = false;
  }
  writer.Put(FIELDS_OPEN);
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i) {
    writer.Put(FIELD_KEYS[i]);
    writer.PutText(PeekControlText(RESULT_CONTROLS[i]));
  }
  writer.Put(TRACE_OPEN);
  first = true;
  for (const TraceEntry& entry : trace) {
    writer.PutRow(first, entry.isMessage ? MESSAGE_EVENT : SET_EVENT, entry);
    first = false;
  }
  writer.Put("]");
  out.resize(writer.plain ? static_cast<std::size_t>(writer.next - out.data()) : start);
  return writer.plain;
}

}  // namespace

void BeginSolveAnswer(std::string& out) {
  if (BeginPlainSolveAnswer(out)) return;
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  out += MESSAGES_OPEN;
  bool first = true;
  for (const TraceEntry& entry : trace) {
    if (!entry.isMessage) continue;
    AppendRow(out, first, MESSAGE_ROW, entry);
    first = false;
  }
  out += FIELDS_OPEN;
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i)
    AppendJsonStringBetween(out, FIELD_KEYS[i], PeekControlText(RESULT_CONTROLS[i]), {});
  out += TRACE_OPEN;
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
