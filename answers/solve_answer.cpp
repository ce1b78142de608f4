// The solve's answer written from the in-memory dialog's trace and texts, with no JSON tree.
#include "solve_answer.h"

#include <algorithm>
#include <cassert>
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

// The room the answer's pieces take, as they stand: a text that needs escapes makes room for
// its escaped form when it is written.
struct RoomCounter {
  std::size_t room = 0;

  void Put(std::string_view piece) { room += piece.size(); }
  void PutByte(char) { ++room; }
  void PutText(std::string_view text) { room += text.size() + 2; }
  void PutPlainText(std::string_view text) { room += text.size() + 2; }
};

// Writes into the room the counter found: the string's own appends are calls, and an answer has
// over a hundred pieces. A debug build checks every piece against the room left.
struct AnswerWriter {
  std::string& out;
  char* next;
  char* end;

  void Check([[maybe_unused]] std::size_t n) const {
    assert(n <= static_cast<std::size_t>(end - next) && "a piece of the answer without room");
  }
  // A short piece with a few overlapping moves rather than a call: nearly every piece of an
  // answer is under sixteen bytes.
  void Put(std::string_view piece) {
    const char* const p = piece.data();
    const std::size_t n = piece.size();
    Check(n);
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
  void PutByte(char c) {
    Check(1);
    *next++ = c;
  }
  void PutPlainText(std::string_view text) {
    PutByte('"');
    Put(text);
    PutByte('"');
  }
  void PutText(std::string_view text) {
    if (PlainJsonLength(text) != text.size()) return PutEscaped(text);
    PutPlainText(text);
  }
  // Apart, so that the plain case stays small enough to be inlined.
  // The counter gave the text its room as it stands, in quotes; escapes only lengthen it.
  [[gnu::noinline]] void PutEscaped(std::string_view text) {
    thread_local std::string escaped;
    escaped.clear();
    AppendJsonString(escaped, text);
    const std::size_t more = escaped.size() - std::min(escaped.size(), text.size() + 2);
    const auto at = static_cast<std::size_t>(next - out.data());
    const auto left = static_cast<std::size_t>(end - next);
    out.resize(out.size() + more);
    next = out.data() + at;
    end = next + left + more;
    Put(escaped);
  }
};

// One row of the messages or the trace.
template <typename Sink>
[[gnu::always_inline]] inline void PutRow(Sink& sink, bool first, std::string_view head,
                                          const TraceEntry& entry) {
  sink.Put(first ? head.substr(1) : head);
  if (entry.isMessage) {
    sink.PutText(entry.subject);
  } else {  // a field name of the control table, plain by its check
    sink.PutPlainText(entry.subject);
  }
  sink.PutByte(',');
  sink.PutText(entry.text);
  sink.PutByte(']');
}

// Every piece of the answer in order, handed once to the counter and once to the writer: one
// list of pieces, so that no piece is written without the room it takes.
template <typename Sink>
[[gnu::always_inline]] inline void PutAnswer(
    Sink& sink, const std::vector<TraceEntry>& trace,
    const std::array<std::string_view, RESULT_CONTROLS.size()>& fieldTexts) {
  sink.Put(MESSAGES_OPEN);
  bool first = true;
  for (const TraceEntry& entry : trace) {
    if (!entry.isMessage) continue;
    PutRow(sink, first, MESSAGE_ROW, entry);
    first = false;
  }
  sink.Put(FIELDS_OPEN);
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i) {
    sink.Put(FIELD_KEYS[i]);
    sink.PutText(fieldTexts[i]);
  }
  sink.Put(TRACE_OPEN);
  first = true;
  for (const TraceEntry& entry : trace) {
    PutRow(sink, first, entry.isMessage ? MESSAGE_EVENT : SET_EVENT, entry);
    first = false;
  }
  sink.PutByte(']');
}

}  // namespace

void BeginSolveAnswer(std::string& out) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  std::array<std::string_view, RESULT_CONTROLS.size()> fieldTexts;
  for (std::size_t i = 0; i < RESULT_CONTROLS.size(); ++i)
    fieldTexts[i] = PeekControlText(RESULT_CONTROLS[i]);
  RoomCounter counter;
  PutAnswer(counter, trace, fieldTexts);
  const std::size_t start = out.size();
  out.resize(start + counter.room);
  AnswerWriter writer{out, out.data() + start, out.data() + out.size()};
  PutAnswer(writer, trace, fieldTexts);
  assert(writer.next == writer.end && "the answer took other room than counted");
  out.resize(static_cast<std::size_t>(writer.next - out.data()));
}

void AppendSolveAnswer(std::string& out) {
  BeginSolveAnswer(out);
  out += '}';
}
