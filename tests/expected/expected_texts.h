// The texts the tests expect, read once from expected_texts.json beside this file, which the
// browser tests read too: messages, About and help texts, and a few example coils.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace expected {

using Lines = std::vector<std::string>;

struct Message {
  std::string caption;
  std::string text;  // two-line texts joined by CR LF, as a message box shows them
};

struct Help {
  std::string name;
  std::vector<int> ids;  // the controls that show it
  Lines lines;
};

// A coil with every result a completed solve writes, in the order of Results().
struct Coil {
  std::string name;
  bool millimetres;
  bool forTurns;                                             // solved for turns, not inductance
  std::vector<std::pair<std::string, std::string>> entries;  // field name, text
  Lines results;
};

std::string JoinCrLf(const Lines& lines);

// A message by its name in the file: BAD_DIMENSIONS, TOO_FLAT, TOO_LONG, TOO_FEW_TURNS,
// TOO_MANY_TURNS, INDUCTANCE_TOO_LARGE, NO_SOLUTION.
const Message& MessageNamed(const std::string& name);
const std::vector<Message>& AllMessages();

const Lines& AboutLines();
const std::vector<Help>& HelpTexts();
// The help lines a control shows, or nullptr when it has none.
const Lines* HelpLinesOf(int id);
const std::vector<int>& IdsWithoutHelp();

// The control id of a field of the batch format ("diameter", "wire_length", ...); all nine.
int FieldId(const std::string& name);
const std::map<std::string, int>& FieldIds();
// The names of the seven fields a completed solve writes, in the order it writes them.
const std::vector<std::string>& Results();

const std::vector<Coil>& Coils();

// Frequency texts the physics reference refuses, each with its error.
const std::vector<std::pair<std::string, std::string>>& FrequencyErrors();
// Base heights a reference cannot take, each with the error that refuses it.
const std::vector<std::pair<std::string, std::string>>& BaseHeightErrors();
const Coil& CoilNamed(const std::string& name);

}  // namespace expected
