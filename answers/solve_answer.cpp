// The solve's answer written from the in-memory dialog's trace and texts, with no JSON tree.
#include "solve_answer.h"

#include <cstdint>
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

// Writes into room made in the answer beforehand for its pieces as they stand: the string's
// own appends are calls, and an answer has over a hundred pieces. A text that needs escapes,
// which is rare, makes room for its escaped form first.
struct AnswerWriter {
  std::string& out;
  char* next;

  // A short piece with a few overlapping moves rather than a call: nearly every piece of an
  // answer is under sixteen bytes.
  void Put(std::string_view piece) {
    const char* const p = piece.data();
    const std::size_t n = piece.size();
    if (n >= 8 && n <= 16) {
      std::uint64_t first, last;
      std::memcpy(&first, p, 8);
      std::memcpy(&last, p + n - 8, 8);
      std::memcpy(next, &first, 8);
      std::memcpy(next + n - 8, &last, 8);
    } else if (n >= 4 && n < 8) {
      std::uint32_t first, last;
      std::memcpy(&first, p, 4);
      std::memcpy(&last, p + n - 4, 4);
      std::memcpy(next, &first, 4);
      std::memcpy(next + n - 4, &last, 4);
    } else if (n > 0 && n < 4) {
      next[0] = p[0];
      next[n / 2] = p[n / 2];
      next[n - 1] = p[n - 1];
    } else if (n > 16) {
      std::memcpy(next, p, n);
    }
    next += n;
  }
  void PutText(std::string_view text) {
    if (PlainJsonLength(text) != text.size()) return PutEscaped(text);
    *next++ = '"';
    Put(text);
    *next++ = '"';
  }
  // Apart, so that the plain case stays small enough to be inlined.
  [[gnu::noinline]] void PutEscaped(std::string_view text) {
    thread_local std::string escaped;
    escaped.clear();
    AppendJsonString(escaped, text);
    const auto at = static_cast<std::size_t>(next - out.data());
    out.resize(out.size() + escaped.size());
    next = out.data() + at;
    Put(escaped);
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

}  // namespace

void BeginSolveAnswer(std::string& out) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  // Room for every piece as it stands: each row's texts (twice for a message: in both lists)
  // and at most 16 bytes of punctuation around them, each field's text after its key.
  std::size_t room = MESSAGES_OPEN.size() + FIELDS_OPEN.size() + TRACE_OPEN.size() + 1;
  for (const TraceEntry& entry : trace) room += 2 * (entry.subject.size() + entry.text.size() + 16);
  std::array<std::string_view, RESULT_CONTROLS.size()> fieldTexts;
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i) {
    fieldTexts[i] = PeekControlText(RESULT_CONTROLS[i]);
    room += FIELD_KEYS[i].size() + fieldTexts[i].size() + 2;
  }
  const std::size_t start = out.size();
  out.resize(start + room);
  AnswerWriter writer{out, out.data() + start};
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
    writer.PutText(fieldTexts[i]);
  }
  writer.Put(TRACE_OPEN);
  first = true;
  for (const TraceEntry& entry : trace) {
    writer.PutRow(first, entry.isMessage ? MESSAGE_EVENT : SET_EVENT, entry);
    first = false;
  }
  writer.Put("]");
  out.resize(static_cast<std::size_t>(writer.next - out.data()));
}

void AppendSolveAnswer(std::string& out) {
  BeginSolveAnswer(out);
  out += '}';
}
