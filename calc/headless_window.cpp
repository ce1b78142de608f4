// The in-memory dialog: the window operations of the solve over a table of control texts.
#include "headless_window.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "dialog_controls.h"
#include "window_ops.h"

namespace {

constexpr std::size_t CONTROL_COUNT = DIALOG_CONTROLS.size();

// The rows of the control table by id, so that a write finds its control without a search.
constexpr int LOWEST_ID = [] {
  int lowest = DIALOG_CONTROLS[0].id;
  for (const DialogControl& control : DIALOG_CONTROLS) lowest = std::min(lowest, control.id);
  return lowest;
}();
constexpr int HIGHEST_ID = [] {
  int highest = DIALOG_CONTROLS[0].id;
  for (const DialogControl& control : DIALOG_CONTROLS) highest = std::max(highest, control.id);
  return highest;
}();
constexpr auto ROW_OF_ID = [] {
  std::array<std::int8_t, HIGHEST_ID - LOWEST_ID + 1> rows{};
  for (std::int8_t& row : rows) row = -1;
  for (std::size_t i = 0; i < CONTROL_COUNT; ++i)
    rows[static_cast<std::size_t>(DIALOG_CONTROLS[i].id - LOWEST_ID)] = static_cast<std::int8_t>(i);
  return rows;
}();
static_assert(CONTROL_COUNT <= 32 && CONTROL_COUNT < 128, "a row's bit and number must fit");

// The start-up texts and field names with their lengths, so that they are copied without
// measuring them.
constexpr auto START_TEXTS = [] {
  std::array<std::string_view, CONTROL_COUNT> starts{};
  for (std::size_t i = 0; i < CONTROL_COUNT; ++i) starts[i] = DIALOG_CONTROLS[i].startText;
  return starts;
}();
constexpr auto FIELD_NAMES = [] {
  std::array<std::string_view, CONTROL_COUNT> names{};
  for (std::size_t i = 0; i < CONTROL_COUNT; ++i) names[i] = DIALOG_CONTROLS[i].fieldName;
  return names;
}();

// Each thread that solves has a dialog of its own (see DIALOG_VALUE in solve.h).
// The current text of each control, in the order of DIALOG_CONTROLS.
thread_local std::array<std::string, CONTROL_COUNT> texts;
// The controls whose text may differ from the start-up text, one bit per row: a reset puts
// back only these. At first none holds its start-up text.
thread_local std::uint32_t changedRows = ~std::uint32_t{0};

thread_local std::vector<TraceEntry> trace;
// Entries of earlier traces, kept with their texts' storage: a batch of a million solves then
// allocates almost nothing per solve.
thread_local std::vector<TraceEntry> spareEntries;

int RowOf(int id) {
  if (id < LOWEST_ID || id > HIGHEST_ID) return -1;
  return ROW_OF_ID[static_cast<std::size_t>(id - LOWEST_ID)];
}

// The row of a control whose text is about to be written, marked as changed; -1 for none.
int RowToWrite(int id) {
  const int row = RowOf(id);
  if (row >= 0) changedRows |= std::uint32_t{1} << row;
  return row;
}

void AddTraceEntry(bool isMessage, std::string_view subject, std::string_view text, int id = 0) {
  if (spareEntries.empty()) {
    trace.push_back({isMessage, std::string(subject), std::string(text), id});
    return;
  }
  TraceEntry& entry = trace.emplace_back(std::move(spareEntries.back()));
  spareEntries.pop_back();
  entry.isMessage = isMessage;
  entry.id = id;
  entry.subject.assign(subject);
  entry.text.assign(text);
}

}  // namespace

void ResetHeadlessDialog() {
  for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
    if (changedRows & (std::uint32_t{1} << i)) texts[i].assign(START_TEXTS[i]);
  }
  changedRows = 0;
  lengthScale = INCHES.scale;
  solveMode = SOLVE_FOR_TURNS;
  ResetResultLines();
  ClearHeadlessTrace();
}

void RunSolveCase(const SolveCase& solveCase) {
  ResetHeadlessDialog();
  for (const auto& [id, text] : solveCase.seeds) SeedControlText(id, text);
  lengthScale = solveCase.lengthScale;
  solveMode = solveCase.solveMode;
  SolveCoil();
}

bool SolveCompleted() {
  return !trace.empty() && !trace.back().isMessage &&
         trace.back().subject == FindDialogControl(IDC_RESONANCE)->fieldName;
}

std::string FieldName(int id) {
  const DialogControl* control = FindDialogControl(id);
  return control ? control->fieldName : "";
}

void SeedControlText(int id, std::string_view text) {
  const int row = RowToWrite(id);
  if (row >= 0) texts[static_cast<std::size_t>(row)].assign(text);
}

const std::string& PeekControlText(int id) {
  static const std::string none;
  const int row = RowOf(id);
  return row < 0 ? none : texts[static_cast<std::size_t>(row)];
}

const std::vector<TraceEntry>& HeadlessTrace() { return trace; }

void ClearHeadlessTrace() {
  if (spareEntries.empty()) {  // as after every solve that wrote as much as the one before
    trace.swap(spareEntries);
    return;
  }
  while (!trace.empty()) {
    spareEntries.push_back(std::move(trace.back()));
    trace.pop_back();
  }
}

std::string GetControlText(int id) { return PeekControlText(id); }

void SetControlText(int id, const std::string& text) {
  const int row = RowToWrite(id);
  if (row < 0) return;
  texts[static_cast<std::size_t>(row)] = text;
  AddTraceEntry(false, FIELD_NAMES[static_cast<std::size_t>(row)], text, id);
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  AddTraceEntry(true, caption, text);
}
