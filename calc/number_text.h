// Text to number and number to text, as every field of the dialog reads and writes them.
//
// FormatNumber(value, n): n significant digits (1..18, anything else means 18), always a
// sign position first (a blank for 0 and above), no leading 0 before the point:
//   5,7 -> " 5"   -0.05,7 -> "-.05"   12345678,7 -> " 1.234568E+7"   12.3456,4 -> " 12.34"
//   12.3556,4 -> " 12.36"   0.00012345,4 -> " 1.234E-4"   999.5,3 -> " 1E+3"   16384,3 ->
//   " 1.64E+4"
// ParseNumber(text): the leading number of the text, 0 when there is none:
//   "12abc" -> 12   "1,5" -> 1   "- 5" -> -0   "1D2" -> 100   "&H10" -> 16   "&HFFFF" -> -1   "&17"
//   -> 15
#pragma once

#include <string>
#include <string_view>

#include "x87_extended.h"

// The value in the x87 80-bit extended type, computed in the same portable integer arithmetic
// by every compiler, whatever its long double.
Extended ParseNumber(std::string_view text);

std::string FormatNumber(double value, int n);
// The same text appended to `text`, so that a line is composed in the storage it already has.
void AppendFormattedNumber(std::string& text, double value, int n);
