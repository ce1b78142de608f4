// What the dialog's buttons and help requests do, run natively as every face runs them: the unit
// switch, a solve in the mode of its button, the help and About boxes, the page's physics panel,
// and the wire diameter a batch request may name.
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "control_ids.h"
#include "dialog_actions.h"
#include "expected_texts.h"
#include "headless_window.h"
#include "help_boxes.h"
#include "reference_format.h"
#include "solve.h"
#include "solve_reference.h"

namespace {

void ExpectOneBox(const std::string& caption, const expected::Lines& lines, int id) {
  const std::vector<TraceEntry>& trace = HeadlessTrace();
  ASSERT_EQ(trace.size(), 1u) << "help on " << id;
  EXPECT_TRUE(trace[0].isMessage) << "help on " << id;
  EXPECT_EQ(trace[0].subject, caption) << "help on " << id;
  EXPECT_EQ(trace[0].text, expected::JoinCrLf(lines)) << "help on " << id;
}

TEST(Faces, HelpAndAboutBoxesWithTheirCaptions) {
  for (const expected::Help& help : expected::HelpTexts()) {
    for (const int id : help.ids) {
      ResetHeadlessDialog();
      ShowContextHelp(id);
      ExpectOneBox("What's This?", help.lines, id);
    }
  }
  for (const int id : expected::IdsWithoutHelp()) {
    ResetHeadlessDialog();
    ShowContextHelp(id);
    EXPECT_TRUE(HeadlessTrace().empty()) << "help on " << id;
  }
  ResetHeadlessDialog();
  ShowAboutBox();
  ExpectOneBox("About this program", expected::AboutLines(), IDC_ABOUT);
}

TEST(Faces, UnitSwitchWritesBothLabelsAndClearsTheResults) {
  struct Case {
    int option;
    const char* label;
    float scale;
  };
  for (const Case& c : {Case{IDC_UNIT_MM, " mm", 25.4f}, Case{IDC_UNIT_INCHES, " inches", 1.0f},
                        Case{IDC_UNIT_MM, " mm", 25.4f}}) {
    const expected::Coil& coil = expected::CoilNamed("OneByOneInchTenTurns");
    for (std::size_t i = 0; i < coil.results.size(); ++i)
      SeedControlText(expected::FieldId(expected::Results()[i]), coil.results[i]);
    SwitchLengthUnit(c.option);
    EXPECT_EQ(PeekControlText(IDC_DIAMETER_UNIT), c.label);
    EXPECT_EQ(PeekControlText(IDC_HEIGHT_UNIT), c.label);
    EXPECT_EQ(lengthScale, c.scale);
    EXPECT_EQ(PeekControlText(IDC_WIRE_LENGTH), "Wire Length: ");
    EXPECT_EQ(PeekControlText(IDC_WIRE_SIZE), "Maximum wire size (AWG):");
    EXPECT_EQ(PeekControlText(IDC_CAPACITANCE), "Stray Capacitance:  ");
    EXPECT_EQ(PeekControlText(IDC_RESONANCE), "Self-resonant at approximately:  ");
  }
}

TEST(Faces, EachSolveButtonSolvesInItsModeWhateverTheModeBefore) {
  for (const expected::Coil& coil : expected::Coils()) {
    for (const std::int16_t before : {SOLVE_FOR_INDUCTANCE, SOLVE_FOR_TURNS}) {
      ResetHeadlessDialog();
      SwitchLengthUnit(coil.millimetres ? IDC_UNIT_MM : IDC_UNIT_INCHES);
      for (const auto& [name, text] : coil.entries) SeedControlText(expected::FieldId(name), text);
      solveMode = before;
      SolveInMode(coil.forTurns ? SOLVE_FOR_TURNS : SOLVE_FOR_INDUCTANCE);
      for (std::size_t i = 0; i < coil.results.size(); ++i) {
        EXPECT_EQ(PeekControlText(expected::FieldId(expected::Results()[i])), coil.results[i])
            << coil.name << ", mode before " << before;
      }
    }
  }
}

// The panel beside the page's dialog: one JSON object whose rows are all as wide as the heads,
// a difference only beside a reference: a coil of the turns mode whose reference finds no turns
// shows "none" and no difference.
TEST(Faces, PagePhysicsPanelIsJsonOfEvenRows) {
  for (const expected::Coil& coil : expected::Coils()) {
    ResetHeadlessDialog();
    SwitchLengthUnit(coil.millimetres ? IDC_UNIT_MM : IDC_UNIT_INCHES);
    for (const auto& [name, text] : coil.entries) SeedControlText(expected::FieldId(name), text);
    SolveInMode(coil.forTurns ? SOLVE_FOR_TURNS : SOLVE_FOR_INDUCTANCE);
    SolveReference reference;
    const bool worked = ComputeSolveReference(WireRequest{.wanted = true}, reference);
    EXPECT_TRUE(worked) << coil.name;
    if (coil.forTurns) {
      reference.turns = std::numeric_limits<double>::quiet_NaN();
      std::string panel;
      AppendReferencePanel(panel, reference, true);
      const nlohmann::json rows = nlohmann::json::parse(panel)["rows"];
      ASSERT_GE(rows.size(), 7u) << panel;
      EXPECT_EQ(rows[6][0].get<std::string>().rfind("Turns for ", 0), 0u) << panel;
      EXPECT_EQ(rows[6][1], "none") << panel;
      EXPECT_EQ(rows[6][3], "") << panel;
    }
    for (const bool shown : {worked, false}) {
      std::string panel;
      AppendReferencePanel(panel, reference, shown);
      const nlohmann::json json = nlohmann::json::parse(panel, nullptr, false);
      ASSERT_TRUE(json.is_object()) << coil.name << ": " << panel;
      EXPECT_TRUE(json["heading"].is_string()) << panel;
      const nlohmann::json& columns = json["columns"];
      const nlohmann::json& rows = json["rows"];
      ASSERT_TRUE(columns.is_array() && rows.is_array()) << panel;
      EXPECT_EQ(rows.empty(), !shown) << panel;
      EXPECT_EQ(columns.empty(), !shown) << panel;
      for (const nlohmann::json& row : rows) {
        EXPECT_TRUE(row.is_array() && row.size() == columns.size()) << panel;
        for (const nlohmann::json& cell : row) EXPECT_TRUE(cell.is_string()) << panel;
      }
    }
  }
}

// The reference describes the last completed solve whole: neither a turns solve stopped by its
// message nor a unit switch after it brings the other mode's rows or unit into its block.
TEST(Faces, ReferenceKeepsTheModeAndUnitOfTheLastCompletedSolve) {
  const WireRequest atFrequency{.wanted = true, .hasFrequency = true, .frequency = 7.1e6};
  for (const bool forTurns : {false, true}) {
    ResetHeadlessDialog();
    SeedControlText(IDC_DIAMETER, "25.4");
    SeedControlText(IDC_HEIGHT, "25.4");
    SeedControlText(IDC_TURNS, "10");
    SeedControlText(IDC_INDUCTANCE, "2.02");
    SwitchLengthUnit(IDC_UNIT_MM);
    SolveInMode(forTurns ? SOLVE_FOR_TURNS : SOLVE_FOR_INDUCTANCE);
    SolveReference reference;
    ASSERT_TRUE(ComputeSolveReference(atFrequency, reference));
    const std::string solved = ReferenceBlock(reference);
    EXPECT_EQ(solved.find("Turns for") != std::string::npos, forTurns) << solved;
    SwitchLengthUnit(IDC_UNIT_INCHES);
    SeedControlText(IDC_DIAMETER, "0");  // the next solve stops at its first check
    SolveInMode(forTurns ? SOLVE_FOR_INDUCTANCE : SOLVE_FOR_TURNS);
    ASSERT_TRUE(ComputeSolveReference(atFrequency, reference));
    EXPECT_EQ(ReferenceBlock(reference), solved);
  }
}

TEST(Faces, WireDiameterOfARequest) {
  struct Case {
    const char* text;
    double value;  // 0: refused
  };
  const Case cases[] = {
      {"0.5", 0.5},  {"1e-3", 1e-3}, {"5E-2", 0.05}, {".25", 0.25}, {"3.", 3},     {"+2", 2},
      {"0.05.1", 0}, {"5e-2e", 0},   {"1e", 0},      {"", 0},       {"0", 0},      {"-1", 0},
      {"1e999", 0},  {"inf", 0},     {"nan", 0},     {" 1", 0},     {"1 ", 0},     {"0x1p-3", 0},
      {"1,5", 0},    {"1e-400", 0},  {"--1", 0},     {".", 0},      {"1e+2.5", 0}, {"2mm", 0},
  };
  for (const Case& c : cases) {
    double diameter = -1;
    std::string error;
    const bool read = ReadWireDiameter(c.text, diameter, error);
    EXPECT_EQ(read, c.value > 0) << '"' << c.text << '"';
    if (read) {
      EXPECT_EQ(diameter, c.value) << c.text;
    } else {
      EXPECT_EQ(error,
                "the wire diameter must be a number above 0, not \"" + std::string(c.text) + "\"");
    }
  }
}

}  // namespace
