// Unit tests of the About text and the context help: every byte, every id, every line break.
#include "help_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "coil_model.h"
#include "control_ids.h"
#include "expected_texts.h"

namespace {

using expected::JoinCrLf;
using expected::Lines;

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

TEST(AboutText, IsTheUsageTextByteForByte) {
  EXPECT_EQ(AboutText(), JoinCrLf(expected::AboutLines()));
  EXPECT_EQ(SplitCrLf(AboutText()), expected::AboutLines());
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

// The limits of the turns the About text tells are those the solve holds to, so that neither
// changes alone.
TEST(AboutText, TellsTheTurnsLimitsOfTheSolve) {
  const std::string text = AboutText(), phrase = "number of turns is ";
  std::vector<float> told;
  for (auto at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at + 1))
    told.push_back(std::stof(text.substr(at + phrase.size())));
  EXPECT_EQ(told, (std::vector<float>{MIN_TURNS, MAX_TURNS}));
}

TEST(ContextHelp, EachOfTheTwelveIdsGivesItsTextByteForByte) {
  int ids = 0;
  for (const expected::Help& help : expected::HelpTexts()) {
    for (int id : help.ids) {
      ++ids;
      const char* text = ContextHelpText(id);
      ASSERT_NE(text, nullptr) << id;
      EXPECT_EQ(text, JoinCrLf(help.lines)) << id;
      EXPECT_EQ(SplitCrLf(text).size(), help.lines.size()) << id;
      EXPECT_FALSE(std::string(text).ends_with("\r\n")) << id;
    }
  }
  EXPECT_EQ(ids, 12);
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
  for (const expected::Help& help : expected::HelpTexts()) {
    for (int id : help.ids) {
      const std::string text = ContextHelpText(id);
      if (std::find(distinct.begin(), distinct.end(), text) == distinct.end()) {
        distinct.push_back(text);
      }
    }
  }
  EXPECT_EQ(distinct.size(), 7u);
}

TEST(ContextHelp, IdsWithoutHelpGiveNothing) {
  for (int id : expected::IdsWithoutHelp()) EXPECT_EQ(ContextHelpText(id), nullptr) << id;
  // Ids that no control has, next to the bands and far from them.
  for (int id :
       {0, -1, 1, 2, 2000, 2013, 2049, 2055, 2056, 2058, 2099, 2101, 2199, 2206, 65535, -2001}) {
    EXPECT_EQ(ContextHelpText(id), nullptr) << id;
  }
}

TEST(ContextHelp, ExactlyTheTwelveIdsOfTheirBandsHaveHelp) {
  int withHelp = 0;
  for (int id = 1900; id < 2300; ++id) {
    if (ContextHelpText(id) != nullptr) ++withHelp;
  }
  EXPECT_EQ(withHelp, 12);
}

}  // namespace
