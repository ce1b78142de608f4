// Unit tests of the About text and the context help: every byte, every id, every line break.
#include "help_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_ids.h"

namespace {

using Lines = std::vector<std::string>;

std::string JoinCrLf(const Lines& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// Splits at CR LF only, so a stray CR or LF stays inside a line and shows up in a comparison.
Lines SplitCrLf(const std::string& text) {
  Lines lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

const Lines aboutLines = {
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

const Lines diameterHelp = {"Enter outside diameter of the coil form."};
const Lines heightHelp = {
    "Enter end-to-end height of the coil winding (See sketch).",
    "The wire is assumed to be solid copper enamel-covered",
    " magnet wire, with turns spaced as closely as possible.",
};
const Lines turnsHelp = {"Enter number of turns.", "", "Must be less than 16384 and more than 2."};
const Lines inductanceHelp = {
    "Enter desired inductance. Use the pull-down menu to select",
    "units (nanohenries, microhenries or millihenries).",
};
const Lines wireLengthHelp = {
    "Total length of wire required to wind the inductor.",
    "Does not include external lead length.",
};
const Lines wireSizeHelp = {
    "Maximum wire size based on the specified number of turns",
    "and winding height. The wire is assumed to be solid copper",
    "enamel-covered magnet wire, with turns spaced as closely",
    "as possible. In calculating the inductance, a small",
    "correction is made to account for the thickness of the",
    "enamel insulation and for irregularities due to",
    "hand-winding the coil.",
};
const Lines strayHelp = {
    "Stray capacitance and self-resonant frequency are only",
    " rough approximations, as these depend strongly on factors",
    " like coil form material and proximity to nearby conductors.",
};

struct HelpCase {
  int id;
  const Lines* lines;
};

const HelpCase helpCases[] = {
    {2001, &diameterHelp},   {2050, &diameterHelp},   {2002, &heightHelp},
    {2052, &heightHelp},     {2003, &turnsHelp},      {2054, &turnsHelp},
    {2057, &inductanceHelp}, {2011, &inductanceHelp}, {2005, &wireLengthHelp},
    {2006, &wireSizeHelp},   {2007, &strayHelp},      {2008, &strayHelp},
};

TEST(AboutText, IsTheManualByteForByte) {
  EXPECT_EQ(AboutText(), JoinCrLf(aboutLines));
  EXPECT_EQ(SplitCrLf(AboutText()), aboutLines);
}

TEST(AboutText, HasTwentyNineLinesWithFiveSeparatorsAndNoBreakAtTheEnd) {
  const std::string text = AboutText();
  const Lines lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 29u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool separator = i + 1 == 3 || i + 1 == 11 || i + 1 == 17 || i + 1 == 22 || i + 1 == 26;
    EXPECT_EQ(lines[i].empty(), separator) << "line " << i + 1;
  }
  EXPECT_FALSE(text.ends_with("\r\n"));
  EXPECT_FALSE(text.ends_with("\n"));
  EXPECT_EQ(text.find_first_of("\r\n"), text.find("\r\n"));
}

TEST(AboutText, NumberedStepsKeepTheirIndent) {
  const Lines lines = SplitCrLf(AboutText());
  ASSERT_EQ(lines.size(), 29u);
  for (int step : {5, 6, 7, 9}) {
    EXPECT_TRUE(lines[step - 1].starts_with("      ") && lines[step - 1][6] != ' ') << step;
  }
  for (int continuation : {8, 10}) {
    EXPECT_TRUE(lines[continuation - 1].starts_with("         ") &&
                lines[continuation - 1][9] != ' ')
        << continuation;
  }
}

TEST(AboutText, IsTheSameOnEveryCall) { EXPECT_STREQ(AboutText(), AboutText()); }

TEST(ContextHelp, EachOfTheTwelveIdsGivesItsTextByteForByte) {
  for (const HelpCase& c : helpCases) {
    const char* text = ContextHelpText(c.id);
    ASSERT_NE(text, nullptr) << c.id;
    EXPECT_EQ(text, JoinCrLf(*c.lines)) << c.id;
    EXPECT_EQ(SplitCrLf(text).size(), c.lines->size()) << c.id;
    EXPECT_FALSE(std::string(text).ends_with("\r\n")) << c.id;
  }
}

TEST(ContextHelp, UsesTheDialogsIdNames) {
  EXPECT_STREQ(ContextHelpText(IDC_DIAMETER), ContextHelpText(IDC_DIAMETER_LABEL));
  EXPECT_STREQ(ContextHelpText(IDC_HEIGHT), ContextHelpText(IDC_HEIGHT_LABEL));
  EXPECT_STREQ(ContextHelpText(IDC_TURNS), ContextHelpText(IDC_TURNS_LABEL));
  EXPECT_STREQ(ContextHelpText(IDC_INDUCTANCE), ContextHelpText(IDC_INDUCTANCE_LABEL));
  EXPECT_STREQ(ContextHelpText(IDC_CAPACITANCE), ContextHelpText(IDC_RESONANCE));
  EXPECT_STRNE(ContextHelpText(IDC_WIRE_SIZE), ContextHelpText(IDC_WIRE_LENGTH));
  EXPECT_STRNE(ContextHelpText(IDC_WIRE_SIZE), ContextHelpText(IDC_CAPACITANCE));
}

TEST(ContextHelp, HasSevenDistinctTexts) {
  std::vector<std::string> distinct;
  for (const HelpCase& c : helpCases) {
    const std::string text = ContextHelpText(c.id);
    if (std::find(distinct.begin(), distinct.end(), text) == distinct.end()) {
      distinct.push_back(text);
    }
  }
  EXPECT_EQ(distinct.size(), 7u);
}

TEST(ContextHelp, IdsWithoutHelpGiveNothing) {
  // The other thirteen controls of the dialog, then ids no control has.
  const int withoutHelp[] = {2004, 2009, 2010, 2012, 2051, 2053, 2100, 2200,  2201, 2202,
                             2203, 2204, 2205, 0,    -1,   1,    2,    2000,  2013, 2049,
                             2055, 2056, 2058, 2099, 2101, 2199, 2206, 65535, -2001};
  for (int id : withoutHelp) EXPECT_EQ(ContextHelpText(id), nullptr) << id;
}

TEST(ContextHelp, ExactlyTheTwelveIdsOfTheirBandsHaveHelp) {
  int withHelp = 0;
  for (int id = 1900; id < 2300; ++id) {
    if (ContextHelpText(id) != nullptr) ++withHelp;
  }
  EXPECT_EQ(withHelp, 12);
}

}  // namespace
