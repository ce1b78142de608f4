// The solve behind both solve buttons, and the program-wide values it works from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialog_controls.h"

// Length units of the selected unit per inch: 1.0 for inches, 25.4f for millimetres.
extern float lengthScale;
// What the next solve finds: SOLVE_FOR_INDUCTANCE, or the number of turns for any other value.
extern std::int16_t solveMode;
inline constexpr std::int16_t SOLVE_FOR_INDUCTANCE = 1;
inline constexpr std::int16_t SOLVE_FOR_TURNS = 0;

// The four result lines; they hold the start-up captions until the first solve completes.
extern std::string wireLengthText;
extern std::string wireSizeText;
extern std::string capacitanceText;
extern std::string resonanceText;

// The numbers behind the last completed solve, as the solve stored them: inches, microhenries,
// picofarads, megahertz. The dialog never reads them; the physics reference set beside a
// solve starts from them.
struct SolvedCoil {
  float D, H, N, L, C, F, gauge;
};
extern SolvedCoil lastSolvedCoil;

// The unit lengthScale stands for: inches when it is exactly 1, millimetres otherwise.
const LengthUnit& SelectedLengthUnit();
// The unit of a command-line name ("in", "mm"), or nullptr.
const LengthUnit* FindLengthUnit(std::string_view name);

// Puts the four result lines back to their start-up captions.
void ResetResultLines();

// Reads the entry fields, checks them, and writes the solved value and the four result
// lines back, or shows the first failed check's message and changes nothing.
void SolveCoil();
