// A seeded storm of random user actions on the real program: it must stay alive and
// answering, show only its own messages, and end cleanly with "Quit!".
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "control_ids.h"
#include "help_texts.h"
#include "user_input.h"

namespace {

// splitmix64: the same actions for the same seed with every compiler and library.
struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, size_t n>
  const T& Pick(const T (&items)[n]) {
    return items[Below(static_cast<int>(n))];
  }
};

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

// Every box the program may show, text to caption.
std::map<std::string, std::string> KnownBoxes() {
  std::map<std::string, std::string> known = {
      {"Diameter and Height must be numbers greater than zero", "Invalid data"},
      {"Diameter/Height ratio must be less than 10.\r\n   Reduce diameter or increase height",
       "Invalid data"},
      {"Ratio of Height/Diameter must be less than 10.\r\n  Increase diameter or reduce height",
       "Invalid data"},
      {"# of turns has been set to 2 (minimum legal value)", "Invalid data"},
      {"Number of turns must be 16384 or less", "Invalid data"},
      {"Number in inductance box must be\r\nless than 65536", "Invalid data"},
      {"# of turns being asked for is out of range.", "Invalid Data"},
      {AboutText(), "About this program"},
  };
  for (int id = 2001; id <= 2060; ++id) {
    if (const char* help = ContextHelpText(id)) known[help] = "What's This?";
  }
  return known;
}

const int entryIds[] = {IDC_DIAMETER, IDC_HEIGHT, IDC_TURNS, IDC_INDUCTANCE, IDC_INDUCTANCE_UNIT};
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

std::string NumberText(Random& random) {
  // Sizes and turns around the program's limits, inductances of every scale.
  const double mantissa = static_cast<double>(random.Below(100000)) / 1000.0;
  const int exponent = random.Below(9) - 4;
  char text[64];
  switch (random.Below(3)) {
    case 0:
      snprintf(text, sizeof text, "%d", random.Below(20000));
      break;
    case 1:
      snprintf(text, sizeof text, "%g", mantissa);
      break;
    default:
      snprintf(text, sizeof text, "%s%.3fe%d", random.Chance(10) ? "-" : "", mantissa, exponent);
      break;
  }
  return text;
}

std::string GarbageText(Random& random, int length) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    // Printable ASCII and the upper half of the code page; no NUL, which would end the text.
    text += static_cast<char>(random.Chance(85) ? 32 + random.Below(95) : 128 + random.Below(128));
  }
  return text;
}

std::string EntryText(Random& random) {
  switch (random.Below(10)) {
    case 0:
    case 1:
    case 2:
    case 3:
      return NumberText(random);
    case 4:
    case 5:
      return random.Pick(fixedTexts);
    case 6:
      return GarbageText(random, 1 + random.Below(20));
    case 7:
      return std::string(1000, static_cast<char>('0' + random.Below(10)));
    case 8:
      return GarbageText(random, 1000);
    default:
      return "1" + std::string(random.Below(60), '0');
  }
}

class Storm {
 public:
  Storm(std::uint64_t seed, const RunningProgram& program)
      : random_{seed}, program_(program), known_(KnownBoxes()) {}

  // One random action and everything it brings up; false with `why` set on a failure.
  bool Step(std::string& why) {
    const int kind = random_.Below(100);
    if (kind < 35) {
      const int id = random_.Pick(entryIds);
      const std::string text = EntryText(random_);
      action_ = "set " + std::to_string(id) + " to \"" + text.substr(0, 40) +
                (text.size() > 40 ? "...\"" : "\"");
      SetControlText(Control(id), text);
    } else if (kind < 42) {
      if (!TypeIntoField(why)) return false;
    } else if (kind < 47) {
      PickUnitWithKeys();
    } else if (kind < 77) {
      const int id = random_.Pick(buttonIds);
      action_ = "clicked " + std::to_string(id);
      if (random_.Chance(25)) {
        action_ += " with the mouse";
        BringToFront(program_.dialog);
        if (!ClickButtonWithMouse(Control(id))) {
          why = "the button did not take the mouse click";
          return false;
        }
      } else {
        ClickButton(Control(id));
      }
    } else if (kind < 92) {
      if (!HelpOnFocus(why)) return false;
    } else if (kind < 97) {
      action_ = "Tab";
      BringToFront(program_.dialog);
      PressKey(VK_TAB);
      Sleep(10);
    } else {
      // Escape must leave the dialog open.
      action_ = "Escape";
      BringToFront(program_.dialog);
      PressKey(VK_ESCAPE);
      Sleep(10);
    }
    return CloseEveryBox(why) && Check(why);
  }

  int boxesSeen = 0;
  // What the last step did, for the failure report.
  std::string action_;

 private:
  HWND Control(int id) const { return GetDlgItem(program_.dialog, id); }

  // Focuses a field the way a user does (a click into it), selects its text and types over it.
  bool TypeIntoField(std::string& why) {
    const int id = random_.Pick(entryIds);
    action_ = "typing into " + std::to_string(id);
    if (!Focus(id)) {
      why = "no focus on " + std::to_string(id) + FocusReport();
      return false;
    }
    PressKey(VK_HOME);
    PressChord(VK_SHIFT, VK_END);
    // The unit box's edit takes no more than it can show, so it gets short words only.
    const char* const unitWords[] = {"nH", "uH", "mH", "pH", "H", "1"};
    std::string typed;
    if (id == IDC_INDUCTANCE_UNIT) {
      typed = random_.Pick(unitWords);
    } else if (random_.Chance(50)) {
      typed = NumberText(random_);
    } else {
      for (int n = 1 + random_.Below(8); n > 0; --n)
        typed += static_cast<char>(33 + random_.Below(94));
    }
    action_ = "typed \"" + typed + "\" into " + std::to_string(id);
    for (char c : typed) PressKey(static_cast<unsigned char>(c), true);
    const std::string& expected = typed;
    const DWORD start = GetTickCount();
    while (ControlText(Control(id)) != expected) {
      if (GetTickCount() - start > 5000) {
        why = "typed \"" + expected + "\" into " + std::to_string(id) + ", the field shows \"" +
              ControlText(Control(id)) + "\"";
        return false;
      }
      Sleep(2);
    }
    return true;
  }

  // Up or down in the unit box's list, as with the arrow keys.
  void PickUnitWithKeys() {
    const bool down = random_.Chance(50);
    action_ = down ? "Down in the unit box" : "Up in the unit box";
    if (!Focus(IDC_INDUCTANCE_UNIT)) return;
    PressKey(down ? VK_DOWN : VK_UP);
    Sleep(10);
  }

  // F1 on a focused control shows exactly that control's help, or nothing.
  bool HelpOnFocus(std::string& why) {
    const int id = random_.Pick(focusIds);
    action_ = "F1 on " + std::to_string(id);
    if (!Focus(id)) {
      why = "no focus on " + std::to_string(id) + FocusReport();
      return false;
    }
    PressKey(VK_F1);
    const char* help = ContextHelpText(id);
    if (help == nullptr) {
      Sleep(20);
      return true;
    }
    const HWND box = WaitForBox(program_, 5000);
    if (box == nullptr) {
      why = "F1 on " + std::to_string(id) + " showed no help";
      return false;
    }
    const MessageBoxView view = ReadBox(box);
    if (view.text != help || view.caption != "What's This?") {
      why = "F1 on " + std::to_string(id) + " showed \"" + view.text + "\"";
      return false;
    }
    return true;
  }

  std::string FocusReport() const {
    const HWND focus = FocusedWindow(program_.dialog);
    char name[64] = {};
    GetClassNameA(focus, name, sizeof name);
    return std::string(", the focus is on ") + (focus != nullptr ? name : "nothing") + " " +
           std::to_string(focus != nullptr ? GetDlgCtrlID(focus) : 0) +
           (GetForegroundWindow() == program_.dialog ? "" : ", the dialog is not in front") +
           (IsWindowEnabled(program_.dialog) ? "" : ", the dialog is disabled") +
           ", boxes open: " + std::to_string(OpenBoxes(program_).size());
  }

  bool Focus(int id) {
    BringToFront(program_.dialog);
    const HWND control = Control(id);
    if (id >= IDC_QUIT) {
      PressAndSlideOff(control);
    } else {
      ClickMiddle(control);
    }
    const DWORD start = GetTickCount();
    while (FocusedChild(program_.dialog) != control) {
      if (GetTickCount() - start > 5000) return false;
      Sleep(2);
    }
    return true;
  }

  // Closes every box the last action opened, each checked against the program's own texts.
  bool CloseEveryBox(std::string& why) {
    for (;;) {
      if (!WaitUntilIdle(program_)) {
        why = "the program stopped handling messages";
        return false;
      }
      const std::vector<HWND> boxes = OpenBoxes(program_);
      if (boxes.empty()) return true;
      for (HWND box : boxes) {
        if (WaitForBox(program_, 5000) == nullptr) {
          why = "a message box never showed";
          return false;
        }
        const MessageBoxView view = ReadBox(box);
        const auto known = known_.find(view.text);
        if (known == known_.end() || known->second != view.caption) {
          why = "unknown message box \"" + view.caption + "\": \"" + view.text + "\"";
          return false;
        }
        if (view.buttons != std::vector<std::string>{"OK"}) {
          why = "message box without its one OK button";
          return false;
        }
        ++boxesSeen;
        if (!CloseBox(box, 5000)) {
          why = "message box does not close";
          return false;
        }
      }
    }
  }

  bool Check(std::string& why) {
    if (WaitForSingleObject(program_.process.hProcess, 0) == WAIT_OBJECT_0) {
      why = "the program has ended";
      return false;
    }
    if (!IsResponsive(program_, 5000)) {
      why = "the program does not answer";
      return false;
    }
    const std::string unit = ControlText(Control(IDC_DIAMETER_UNIT));
    if ((unit != " inches" && unit != " mm") || ControlText(Control(IDC_HEIGHT_UNIT)) != unit) {
      why = "unit labels \"" + unit + "\"";
      return false;
    }
    const std::pair<int, const char*> lineStarts[] = {
        {IDC_WIRE_LENGTH, "Wire Length: "},
        {IDC_WIRE_SIZE, "Maximum wire size"},
        {IDC_CAPACITANCE, "Stray Capacitance:"},
        {IDC_RESONANCE, "Self-resonant at approximately:"}};
    for (const auto& [id, start] : lineStarts) {
      if (!ControlText(Control(id)).starts_with(start)) {
        why = "result line " + std::to_string(id) + " reads \"" + ControlText(Control(id)) + "\"";
        return false;
      }
    }
    return true;
  }

  Random random_;
  const RunningProgram& program_;
  std::map<std::string, std::string> known_;
};

TEST(Storm, RandomUserActionsLeaveTheProgramAliveAndItQuitsCleanly) {
  const std::uint64_t seed = EnvNumber("COILCALC_STORM_SEED", 20261208);
  const std::uint64_t steps = EnvNumber("COILCALC_STORM_STEPS", 2000);
  const bool verbose = EnvNumber("COILCALC_STORM_VERBOSE", 0) != 0;
  RunningProgram program;
  ASSERT_TRUE(StartProgram(COILCALC_EXE, program));
  Storm storm(seed, program);
  const DWORD start = GetTickCount();
  for (std::uint64_t step = 1; step <= steps; ++step) {
    std::string why;
    const bool done = storm.Step(why);
    if (verbose) printf("%llu %s\n", static_cast<unsigned long long>(step), storm.action_.c_str());
    if (!done) {
      TerminateProcess(program.process.hProcess, 99);
      FAIL() << "seed " << seed << ", step " << step << " (" << storm.action_ << "): " << why
             << "; again with COILCALC_STORM_SEED=" << seed;
    }
  }
  printf("storm: seed %llu, %llu actions, %d message boxes, %.1f s\n",
         static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps),
         storm.boxesSeen, (GetTickCount() - start) / 1000.0);
  EXPECT_TRUE(OpenBoxes(program).empty());
  DWORD exitCode = 1;
  EXPECT_TRUE(QuitProgram(program, exitCode)) << "seed " << seed;
  EXPECT_EQ(exitCode, 0u) << "seed " << seed;
}

}  // namespace
