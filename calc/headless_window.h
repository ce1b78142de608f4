// An in-memory dialog for the solve: control texts in a table, every write and message logged.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "solve.h"

// One event of a solve, in the order the program made it.
struct TraceEntry {
  bool isMessage;       // a message box, otherwise a control write
  std::string subject;  // the message caption, or the control's field name
  std::string text;     // the message text, or the text written
  int id = 0;           // the control written, also one without a field name; 0 for a message
};

// What one headless solve starts from: the length unit and mode set directly, and the
// control texts that replace the start-up texts before the solve. A text is a view into the
// request it was read from, or into `kept`, until the dialog's table copies it: a copy of a
// case views the texts of the case it was copied from.
struct SolveCase {
  float lengthScale = INCHES.scale;
  std::int16_t solveMode = SOLVE_FOR_INDUCTANCE;
  std::vector<std::pair<int, std::string_view>> seeds;  // control id, text
  // Texts that are no stretch of the request (a deque: none moves as more are added).
  std::deque<std::string> kept = {};
};

// Puts every control back to its start-up text and clears the trace.
void ResetHeadlessDialog();

// Resets the dialog, seeds the case's texts, sets the unit and mode as the options and solve
// buttons leave them (without a unit click, which would also reset result lines that a case
// may seed on purpose) and runs SolveCoil. The trace then holds what the solve did.
void RunSolveCase(const SolveCase& solveCase);

// Whether the last solve completed. A check that stops a solve shows its message and writes
// nothing after it, while a completed solve always ends by writing the self-resonance line:
// so the solve completed exactly when the trace ends with that write.
bool SolveCompleted();

// The field name of a control that a solve reads or writes ("diameter", "wire_length", ...),
// or an empty string for any other id.
std::string FieldName(int id);

// Direct access to a control's text, without logging (for seeding and reading back).
void SeedControlText(int id, std::string_view text);
const std::string& PeekControlText(int id);

// Messages and writes since the last ResetHeadlessDialog() or ClearHeadlessTrace().
const std::vector<TraceEntry>& HeadlessTrace();
void ClearHeadlessTrace();
