// The solve behind both solve buttons, and the program-wide values it works from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "control_ids.h"

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

// A length unit the user can choose, with the texts that name it.
struct LengthUnit {
  const char* name;  // "in" or "mm": the unit's name on the command line and in batch requests
  float scale;       // lengthScale while the unit is selected
  const char* fieldLabel;    // the label beside the diameter and height fields
  const char* resultSuffix;  // what follows the wire length
  int optionId;              // its option button
};
// The millimetre factor is the float nearest to 25.4.
inline constexpr LengthUnit INCHES = {"in", 1.0f, " inches", "  inches", IDC_UNIT_INCHES};
inline constexpr LengthUnit MILLIMETRES = {"mm", 25.4f, " mm", "  mm", IDC_UNIT_MM};
inline constexpr std::array<const LengthUnit*, 2> LENGTH_UNITS = {&INCHES, &MILLIMETRES};

// The unit lengthScale stands for: inches when it is exactly 1, millimetres otherwise.
const LengthUnit& SelectedLengthUnit();
// The unit of a command-line name ("in", "mm"), or nullptr.
const LengthUnit* FindLengthUnit(std::string_view name);

// Puts the four result lines back to their start-up captions.
void ResetResultLines();

// Reads the entry fields, checks them, and writes the solved value and the four result
// lines back, or shows the first failed check's message and changes nothing.
void SolveCoil();
