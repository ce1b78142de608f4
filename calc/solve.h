// The solve behind both solve buttons, and the program-wide values it works from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialog_controls.h"

// The in-memory dialog's build (COILCALC_DIALOG_PER_THREAD) gives every thread its own copy of
// the program-wide values below, so that the command line's batch can solve on several threads
// at once, each over a dialog of its own. The Windows program has one thread and plain globals.
#if COILCALC_DIALOG_PER_THREAD
#define DIALOG_VALUE thread_local
#else
#define DIALOG_VALUE
#endif

// Length units of the selected unit per inch: 1.0 for inches, 25.4f for millimetres.
extern DIALOG_VALUE float lengthScale;
// What the next solve finds: SOLVE_FOR_INDUCTANCE, or the number of turns for any other value.
extern DIALOG_VALUE std::int16_t solveMode;
inline constexpr std::int16_t SOLVE_FOR_INDUCTANCE = 1;
inline constexpr std::int16_t SOLVE_FOR_TURNS = 0;

// The four result lines; they hold the start-up captions until the first solve completes.
extern DIALOG_VALUE std::string wireLengthText;
extern DIALOG_VALUE std::string wireSizeText;
extern DIALOG_VALUE std::string capacitanceText;
extern DIALOG_VALUE std::string resonanceText;

// The numbers behind the last completed solve, as the solve stored them: inches, microhenries,
// picofarads, megahertz, with the mode it solved in and the unit selected then. The dialog never
// reads them; the physics reference set beside a solve starts from them, so that it describes
// that solve whole however the mode and unit change after it.
struct SolvedCoil {
  float D, H, N, L, C, F, gauge;
  std::int16_t mode = SOLVE_FOR_INDUCTANCE;
  const LengthUnit* unit = &INCHES;
};
extern DIALOG_VALUE SolvedCoil lastSolvedCoil;

// The unit lengthScale stands for: inches when it is exactly 1, millimetres otherwise.
const LengthUnit& SelectedLengthUnit();
// The unit of a command-line name ("in", "mm"), or nullptr.
const LengthUnit* FindLengthUnit(std::string_view name);

// The names of the two solve modes on the command line and in batch requests.
struct SolveModeName {
  const char* name;
  std::int16_t mode;
};
inline constexpr SolveModeName SOLVE_MODE_NAMES[2] = {{"inductance", SOLVE_FOR_INDUCTANCE},
                                                      {"turns", SOLVE_FOR_TURNS}};
// The mode of a name, or nullptr.
const std::int16_t* FindSolveMode(std::string_view name);

// Puts the four result lines back to their start-up captions.
void ResetResultLines();

// Reads the entry fields, checks them, and writes the solved value and the four result
// lines back, or shows the first failed check's message and changes nothing.
void SolveCoil();
