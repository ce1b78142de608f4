// An in-memory dialog for the solve: control texts in a table, every write and message logged.
#pragma once

#include <string>
#include <vector>

// One event of a solve, in the order the program made it.
struct TraceEntry {
  bool isMessage;       // a message box, otherwise a control write
  std::string subject;  // the message caption, or the control's field name
  std::string text;     // the message text, or the text written
};

// Puts every control back to its start-up text and clears the trace.
void ResetHeadlessDialog();

// The field name of a control that a solve reads or writes ("diameter", "wire_length", ...),
// or an empty string for any other id.
std::string FieldName(int id);
// The control id of a field name, or 0 when the name is unknown.
int FieldId(const std::string& name);
// The names of the nine solve fields, in control-id order.
const std::vector<std::string>& FieldNames();

// Direct access to a control's text, without logging (for seeding and reading back).
void SeedControlText(int id, const std::string& text);
const std::string& PeekControlText(int id);

// Messages and writes since the last ResetHeadlessDialog() or ClearHeadlessTrace().
const std::vector<TraceEntry>& HeadlessTrace();
void ClearHeadlessTrace();
