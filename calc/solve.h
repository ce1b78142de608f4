// The solve behind both solve buttons, and the program-wide values it works from.
#pragma once

#include <cstdint>
#include <string>

// Length units of the selected unit per inch: 1.0 for inches, 25.4f for millimetres.
extern float lengthScale;
// 1 = solve for inductance; any other value solves for the number of turns.
extern std::int16_t solveMode;

// The four result lines; they hold the start-up captions until the first solve completes.
extern std::string wireLengthText;
extern std::string wireSizeText;
extern std::string capacitanceText;
extern std::string resonanceText;

// The millimetre factor: the float nearest to 25.4.
constexpr float MILLIMETRES_PER_INCH = 25.4f;

// Reads the entry fields, checks them, and writes the solved value and the four result
// lines back, or shows the first failed check's message and changes nothing.
void SolveCoil();
