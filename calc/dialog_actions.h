// What the dialog's buttons do, portably: the unit switch and the two solves, over the window
// operations. Each face only decodes its own events and calls these.
#pragma once

#include <cstdint>

// A click on the option button `optionId`: selects its length unit, writes its label beside
// the diameter and the height, and clears the four result lines (the old results belong to
// the old unit). Any other id still clears the result lines.
void SwitchLengthUnit(int optionId);

// A click on a solve button: sets the program-wide solve mode, then solves.
void SolveInMode(std::int16_t mode);
