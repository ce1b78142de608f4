// The help texts as the user must see them, line by line, written out apart from the program.
#pragma once

#include <string>
#include <vector>

namespace expected {

using Lines = std::vector<std::string>;

inline std::string JoinCrLf(const Lines& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

inline const Lines aboutLines = {
    "This program calculates the inductance or required number of",
    "turns for a single-layer air-core unshielded cylindrical coil.",
    "",
    "To use the program:",
    "      1) Select units of length (millimeters or inches)",
    "      2) Enter coil form diameter and winding height.",
    "      3) Enter either number of turns, or value of",
    "         inductance (or both).",
    "      4) Next, click on the 'Solve for ...' button",
    "         for the parameter you want to find.",
    "",
    "The program displays inductance, number of turns, rough",
    "estimates of stray capacitance and self-resonant frequency, wire",
    "size, and length of wire required to wind the coil. Wire size is",
    "the heaviest gauge that can be used, assuming enamel-coated",
    "solid copper wire, with turns spaced as closely as possible.",
    "",
    "Inductance values are most accurate at frequencies well",
    "below the self-resonant frequency. Due to the effect",
    "of stray capacitance, the impedance of the inductor will increase",
    "rapidly as the operating frequency approaches self-resonance.",
    "",
    "Program limitations: Coil diameter/height ratio must be",
    "less than 10 and greater than 0.1. The minimum allowable",
    "number of turns is 2. The maximum number of turns is 16384.",
    "",
    "NOTE: For detailed information on individual items,",
    "click on the question mark (?) in the title bar and then",
    "on an item in the dialog box.",
};

inline const Lines diameterHelp = {"Enter outside diameter of the coil form."};
inline const Lines heightHelp = {
    "Enter end-to-end height of the coil winding (See sketch).",
    "The wire is assumed to be solid copper enamel-covered",
    " magnet wire, with turns spaced as closely as possible.",
};
inline const Lines turnsHelp = {"Enter number of turns.", "",
                                "Must be less than 16384 and more than 2."};
inline const Lines inductanceHelp = {
    "Enter desired inductance. Use the pull-down menu to select",
    "units (nanohenries, microhenries or millihenries).",
};
inline const Lines wireLengthHelp = {
    "Total length of wire required to wind the inductor.",
    "Does not include external lead length.",
};
inline const Lines wireSizeHelp = {
    "Maximum wire size based on the specified number of turns",
    "and winding height. The wire is assumed to be solid copper",
    "enamel-covered magnet wire, with turns spaced as closely",
    "as possible. In calculating the inductance, a small",
    "correction is made to account for the thickness of the",
    "enamel insulation and for irregularities due to",
    "hand-winding the coil.",
};
inline const Lines strayHelp = {
    "Stray capacitance and self-resonant frequency are only",
    " rough approximations, as these depend strongly on factors",
    " like coil form material and proximity to nearby conductors.",
};

struct HelpCase {
  int id;
  const Lines* lines;
};

// The twelve controls with help, each with its text.
inline const HelpCase helpCases[] = {
    {2001, &diameterHelp},   {2050, &diameterHelp},   {2002, &heightHelp},
    {2052, &heightHelp},     {2003, &turnsHelp},      {2054, &turnsHelp},
    {2057, &inductanceHelp}, {2011, &inductanceHelp}, {2005, &wireLengthHelp},
    {2006, &wireSizeHelp},   {2007, &strayHelp},      {2008, &strayHelp},
};

// The other thirteen controls of the dialog: a help request on them shows nothing.
inline const int idsWithoutHelp[] = {2004, 2009, 2010, 2012, 2051, 2053, 2100,
                                     2200, 2201, 2202, 2203, 2204, 2205};

}  // namespace expected
