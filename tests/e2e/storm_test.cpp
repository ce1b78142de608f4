// A seeded storm of random user actions on the real program: it must stay alive and
// answering, show only its own messages, and end cleanly with "Quit!".
//   COILCALC_STORM_SEED     the seed (default 20261208); a failure names it and the step
//   COILCALC_STORM_STEPS    the number of actions (default 2000)
//   COILCALC_STORM_VERBOSE  1: print every action
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "control_ids.h"
#include "driver.h"
#include "expected_texts.h"
#include "user_input.h"

namespace {

// splitmix64: the same actions for the same seed with every compiler and library.
struct Random {
  std::uint64_t state;
};

std::uint64_t NextRandom(Random& random) {
  std::uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int Below(Random& random, int n) {
  return static_cast<int>(NextRandom(random) % static_cast<std::uint64_t>(n));
}

bool Chance(Random& random, int percent) { return Below(random, 100) < percent; }

template <typename T, size_t n>
const T& Pick(Random& random, const T (&items)[n]) {
  return items[Below(random, static_cast<int>(n))];
}

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

// Every box the program may show, text to caption: the solve's seven messages, the About
// text and the help texts.
std::map<std::string, std::string> KnownBoxes() {
  std::map<std::string, std::string> known = {
      {expected::JoinCrLf(expected::AboutLines()), "About this program"}};
  for (const expected::Message& message : expected::AllMessages()) {
    known[message.text] = message.caption;
  }
  for (const expected::Help& help : expected::HelpTexts()) {
    known[expected::JoinCrLf(help.lines)] = "What's This?";
  }
  return known;
}

const int entryIds[] = {IDC_DIAMETER, IDC_HEIGHT, IDC_TURNS, IDC_INDUCTANCE, IDC_INDUCTANCE_UNIT};
// The solve buttons come up twice as often as the others.
const int buttonIds[] = {
    IDC_SOLVE_INDUCTANCE, IDC_SOLVE_TURNS, IDC_SOLVE_INDUCTANCE, IDC_SOLVE_TURNS, IDC_UNIT_MM,
    IDC_UNIT_INCHES,      IDC_ABOUT};
const int focusIds[] = {IDC_DIAMETER,         IDC_HEIGHT,    IDC_TURNS,       IDC_INDUCTANCE,
                        IDC_WIRE_LENGTH,      IDC_WIRE_SIZE, IDC_CAPACITANCE, IDC_RESONANCE,
                        IDC_INDUCTANCE_UNIT,  IDC_UNIT_MM,   IDC_UNIT_INCHES, IDC_SOLVE_TURNS,
                        IDC_SOLVE_INDUCTANCE, IDC_ABOUT,     IDC_QUIT};
const char* const fixedTexts[] = {
    "",      "0",    "-1",    "1",     "2",    "10",  "16384", "16385", "65535",
    "65536", "1e40", "-1e40", "1e-40", "1E+4", "nan", "inf",   "-0",    " 1",
    "1 ",    "0.1",  ".5",    "5.",    "1,5",  "abc", "nH",    "uH",    "mH",
    "pH",    " nH",  "NH",    "1e",    "--1",  "+3",  "0x10",  "\xB5H", "1.0.0"};
// The unit box's edit takes no more than it can show, so only short words are typed there.
const char* const unitWords[] = {"nH", "uH", "mH", "pH", "H", "1"};

std::string NumberText(Random& random) {
  // Sizes and turns around the program's limits, inductances of every scale.
  const double mantissa = static_cast<double>(Below(random, 100000)) / 1000.0;
  char text[64];
  switch (Below(random, 3)) {
    case 0:
      snprintf(text, sizeof text, "%d", Below(random, 20000));
      break;
    case 1:
      snprintf(text, sizeof text, "%g", mantissa);
      break;
    default:
      snprintf(text, sizeof text, "%s%.3fe%d", Chance(random, 10) ? "-" : "", mantissa,
               Below(random, 9) - 4);
      break;
  }
  return text;
}

std::string GarbageText(Random& random, int length) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    // Printable ASCII and the upper half of the code page; no NUL, which would end the text.
    text +=
        static_cast<char>(Chance(random, 85) ? 32 + Below(random, 95) : 128 + Below(random, 128));
  }
  return text;
}

std::string EntryText(Random& random) {
  switch (Below(random, 10)) {
    case 0:
    case 1:
    case 2:
    case 3:
      return NumberText(random);
    case 4:
    case 5:
      return Pick(random, fixedTexts);
    case 6:
      return GarbageText(random, 1 + Below(random, 20));
    case 7:
      return std::string(1000, static_cast<char>('0' + Below(random, 10)));
    case 8:
      return GarbageText(random, 1000);
    default:
      return "1" + std::string(Below(random, 60), '0');
  }
}

struct Storm {
  Random random;
  const Program* program;
  std::map<std::string, std::string> knownBoxes;
  std::string action;  // what the current step does, for the failure report
  std::string why;     // what went wrong
  int boxesSeen = 0;
};

HWND ControlIn(const Storm& storm, int id) { return ControlOf(*storm.program, id); }

bool Fail(Storm& storm, const std::string& why) {
  storm.why = why;
  return false;
}

std::string FocusReport(const Storm& storm) {
  const HWND focus = FocusedWindow(*storm.program);
  char name[64] = "nothing";
  if (focus != nullptr) GetClassNameA(focus, name, sizeof name);
  return std::string(", the focus is on ") + name + " " +
         std::to_string(focus != nullptr ? GetDlgCtrlID(focus) : 0) +
         (IsWindowEnabled(storm.program->dialog) ? "" : ", the dialog is disabled");
}

// Focuses a control as a user does: a click into a field or line; on a button or option a
// press that slides off, so that nothing is clicked.
bool Focus(Storm& storm, int id) {
  SetForegroundWindow(storm.program->dialog);
  const HWND control = ControlIn(storm, id);
  if (id >= IDC_QUIT) {
    PressAndSlideOff(control);
  } else {
    ClickMiddle(control);
  }
  const DWORD start = GetTickCount();
  while (FocusedControl(*storm.program) != control) {
    if (GetTickCount() - start > 5000) {
      return Fail(storm, "no focus on " + std::to_string(id) + FocusReport(storm));
    }
    Sleep(2);
  }
  return true;
}

bool SetRandomText(Storm& storm) {
  const int id = Pick(storm.random, entryIds);
  const std::string text = EntryText(storm.random);
  storm.action = "set " + std::to_string(id) + " to \"" + text.substr(0, 40) +
                 (text.size() > 40 ? "...\"" : "\"");
  return WriteText(ControlIn(storm, id), text) || Fail(storm, "the text was not taken");
}

// Selects the whole text of a field and types over it.
bool TypeIntoField(Storm& storm) {
  const int id = Pick(storm.random, entryIds);
  std::string typed;
  if (id == IDC_INDUCTANCE_UNIT) {
    typed = Pick(storm.random, unitWords);
  } else if (Chance(storm.random, 50)) {
    typed = NumberText(storm.random);
  } else {
    for (int n = 1 + Below(storm.random, 8); n > 0; --n) {
      typed += static_cast<char>(33 + Below(storm.random, 94));
    }
  }
  storm.action = "type \"" + typed + "\" into " + std::to_string(id);
  if (!Focus(storm, id)) return false;
  PressKey(VK_HOME);
  PressChord(VK_SHIFT, VK_END);
  for (char c : typed) PressKey(static_cast<unsigned char>(c), true);
  if (!WaitForText(ControlIn(storm, id), typed)) {
    return Fail(storm, "the field shows \"" + ReadText(ControlIn(storm, id)) + "\"");
  }
  return true;
}

// Up or down through the unit box's list with the arrow keys.
bool StepThroughUnits(Storm& storm) {
  const bool down = Chance(storm.random, 50);
  storm.action = down ? "Down in the unit box" : "Up in the unit box";
  if (!Focus(storm, IDC_INDUCTANCE_UNIT)) return false;
  PressKey(down ? VK_DOWN : VK_UP);
  return true;
}

bool ClickRandomButton(Storm& storm) {
  const int id = Pick(storm.random, buttonIds);
  storm.action = "click " + std::to_string(id);
  if (!Chance(storm.random, 25)) {
    Click(ControlIn(storm, id));
    return true;
  }
  storm.action += " with the mouse";
  SetForegroundWindow(storm.program->dialog);
  return ClickButtonWithMouse(ControlIn(storm, id)) ||
         Fail(storm, "the button did not take the click");
}

// F1 on a focused control shows exactly that control's help, or nothing.
bool HelpOnFocus(Storm& storm) {
  const int id = Pick(storm.random, focusIds);
  storm.action = "F1 on " + std::to_string(id);
  if (!Focus(storm, id)) return false;
  PressKey(VK_F1);
  const expected::Lines* help = expected::HelpLinesOf(id);
  if (help == nullptr) return true;
  MessageBoxInfo box;
  if (!WaitForMessageBox(*storm.program, box)) return Fail(storm, "no help box");
  if (box.text != expected::JoinCrLf(*help) || box.caption != "What's This?") {
    return Fail(storm, "the help box shows \"" + box.text + "\"");
  }
  return true;
}

bool PressRandomKey(Storm& storm) {
  // Escape must leave the dialog open; Tab only moves the focus.
  const bool tab = Chance(storm.random, 70);
  storm.action = tab ? "Tab" : "Escape";
  SetForegroundWindow(storm.program->dialog);
  PressKey(tab ? VK_TAB : VK_ESCAPE);
  return true;
}

// Closes every box the step opened, each checked against the program's own texts.
bool CloseEveryBox(Storm& storm) {
  for (;;) {
    if (!WaitUntilIdle(*storm.program)) return Fail(storm, "the program stopped taking messages");
    MessageBoxInfo box;
    if (OpenBoxes(*storm.program).empty()) return true;
    if (!WaitForMessageBox(*storm.program, box)) return Fail(storm, "a message box never showed");
    const auto known = storm.knownBoxes.find(box.text);
    if (known == storm.knownBoxes.end() || known->second != box.caption) {
      return Fail(storm, "unknown message box \"" + box.caption + "\": \"" + box.text + "\"");
    }
    if (box.buttons != 1 || box.okButtons != 1 || !box.icon) {
      return Fail(storm, "a message box without its one OK button and icon");
    }
    ++storm.boxesSeen;
    if (!DismissMessageBox(*storm.program, box)) return Fail(storm, "a message box stays open");
  }
}

// The program is running, answers at once, and its unit labels and result lines are sane.
bool CheckProgram(Storm& storm) {
  if (WaitForSingleObject(storm.program->info.hProcess, 0) == WAIT_OBJECT_0) {
    return Fail(storm, "the program has ended");
  }
  if (!IsResponsive(*storm.program, 5000)) return Fail(storm, "the program does not answer");
  const std::string unit = ReadText(ControlIn(storm, IDC_DIAMETER_UNIT));
  if ((unit != " inches" && unit != " mm") || ReadText(ControlIn(storm, IDC_HEIGHT_UNIT)) != unit) {
    return Fail(storm, "unit labels \"" + unit + "\"");
  }
  const std::pair<int, const char*> lineStarts[] = {
      {IDC_WIRE_LENGTH, "Wire Length: "},
      {IDC_WIRE_SIZE, "Maximum wire size"},
      {IDC_CAPACITANCE, "Stray Capacitance:"},
      {IDC_RESONANCE, "Self-resonant at approximately:"}};
  for (const auto& [id, start] : lineStarts) {
    const std::string line = ReadText(ControlIn(storm, id));
    if (!line.starts_with(start)) return Fail(storm, "a result line reads \"" + line + "\"");
  }
  return true;
}

// One random action and everything it brings up.
bool StormStep(Storm& storm) {
  const int kind = Below(storm.random, 100);
  bool done = false;
  if (kind < 35) {
    done = SetRandomText(storm);
  } else if (kind < 42) {
    done = TypeIntoField(storm);
  } else if (kind < 47) {
    done = StepThroughUnits(storm);
  } else if (kind < 77) {
    done = ClickRandomButton(storm);
  } else if (kind < 92) {
    done = HelpOnFocus(storm);
  } else {
    done = PressRandomKey(storm);
  }
  return done && CloseEveryBox(storm) && CheckProgram(storm);
}

TEST(Storm, RandomUserActionsLeaveTheProgramAliveAndItQuitsCleanly) {
  const std::uint64_t seed = EnvNumber("COILCALC_STORM_SEED", 20261208);
  const std::uint64_t steps = EnvNumber("COILCALC_STORM_STEPS", 2000);
  const bool verbose = EnvNumber("COILCALC_STORM_VERBOSE", 0) != 0;
  Program program;
  ASSERT_TRUE(StartProgram(program)) << "no dialog from " << ProgramPath();
  Storm storm{Random{seed}, &program, KnownBoxes(), {}, {}, 0};
  const DWORD start = GetTickCount();
  for (std::uint64_t step = 1; step <= steps; ++step) {
    const bool done = StormStep(storm);
    if (verbose) printf("%llu %s\n", static_cast<unsigned long long>(step), storm.action.c_str());
    if (!done) {
      StopProgram(program);
      FAIL() << "seed " << seed << ", step " << step << " (" << storm.action << "): " << storm.why
             << "; again with COILCALC_STORM_SEED=" << seed;
    }
  }
  printf("storm: seed %llu, %llu actions, %d message boxes closed, %.1f s\n",
         static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps),
         storm.boxesSeen, (GetTickCount() - start) / 1000.0);
  EXPECT_TRUE(OpenBoxes(program).empty());
  Click(ControlOf(program, IDC_QUIT));
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(program, 10000, &exitCode)) << "seed " << seed;
  EXPECT_EQ(exitCode, 0u) << "seed " << seed;
  StopProgram(program);
}

}  // namespace
