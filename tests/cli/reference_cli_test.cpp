// End-to-end tests of the physics reference in coilcalc-cli: text block, JSON, batch, bad wires.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "expected_texts.h"
#include "run_program.h"

namespace {

using Json = nlohmann::ordered_json;

const char* const BAD_REFERENCE =
    R"("reference" must be true, false, or an object of "wire_gauge": N or "wire_diameter": )"
    R"("X", "frequency": "F", "sweep": {...}, "temperature": C and "base_height": "B", )"
    R"(each optional)";

// 30-digit values (tests/reference/physics_vectors.py --cli), to 12 digits.
struct ReferenceCase {
  const char* name;
  std::vector<std::string> coil;
  std::vector<std::string> wire;
  std::vector<std::pair<const char*, double>> values;
};

const ReferenceCase CASES[] = {
    {"1 x 1 inch, 10 turns, the dialog's AWG 11",
     {"--diameter", "1", "--height", "1", "--turns", "10"},
     {"--reference"},
     {{"wire_diameter", 0.0907420016905},
      {"wire_gauge", 11},
      {"sheet_inductance_uH", 1.99590908219},
      {"inductance_uH", 1.86951152466},
      {"self_capacitance_pF", 1.28887569617},
      {"self_resonance_MHz", 116.982317882},
      {"lumped_resonance_MHz", 102.529901715}}},
    {"1 x 1 inch, 10 turns, 0.05 inch wire",
     {"--diameter", "1", "--height", "1", "--turns", "10"},
     {"--wire-diameter", "0.05"},
     {{"wire_diameter", 0.05},
      {"sheet_inductance_uH", 1.87304024248},
      {"inductance_uH", 1.85123675020},
      {"self_capacitance_pF", 1.23723667771},
      {"self_resonance_MHz", 147.715788892},
      {"lumped_resonance_MHz", 105.162949198}}},
    {"50.8 x 25.4 mm for 10 uH: 13.397 turns, the dialog's AWG 13",
     {"--unit", "mm", "--mode", "turns", "--diameter", "50.8", "--height", "25.4", "--inductance",
      "10"},
     {"--reference"},
     {{"wire_diameter", 1.82782664423},
      {"wire_gauge", 13},
      {"sheet_inductance_uH", 9.98532009755},
      {"inductance_uH", 9.63043073570},
      {"self_capacitance_pF", 2.75238802887},
      {"self_resonance_MHz", 35.2526144831},
      {"lumped_resonance_MHz", 30.9130919355},
      {"turns", 13.6530111628}}},
};

TEST(ReferenceCli, JsonAnswerCarriesTheReferenceNumbers) {
  for (const ReferenceCase& c : CASES) {
    std::vector<std::string> args = c.coil;
    args.push_back("--json");
    args.insert(args.end(), c.wire.begin(), c.wire.end());
    const ProgramRun run = RunCli(args);
    ASSERT_EQ(run.exitCode, 0) << c.name << "\n" << run.err;
    const Json answer = Json::parse(run.out);
    ASSERT_TRUE(answer.contains("reference")) << c.name;
    const Json& reference = answer["reference"];
    ASSERT_EQ(reference.size(), c.values.size() + (c.values.size() == 6 ? 1 : 0)) << run.out;
    for (const auto& [key, want] : c.values) {
      ASSERT_TRUE(reference[key].is_number()) << c.name << ": " << key;
      EXPECT_NEAR(reference[key].get<double>() / want, 1, 1e-9) << c.name << ": " << key;
    }
    if (c.values.size() == 6) {
      EXPECT_TRUE(reference["wire_gauge"].is_null()) << c.name;
    }
    // The dialog's part of the answer is the one it gives without the reference.
    std::vector<std::string> plain = c.coil;
    plain.push_back("--json");
    Json withoutReference = answer;
    withoutReference.erase("reference");
    EXPECT_EQ(withoutReference.dump(), Json::parse(RunCli(plain).out).dump()) << c.name;
  }
}

TEST(ReferenceCli, TextBlockFollowsTheDialogLines) {
  const ProgramRun run = RunCli(
      {"--mode", "turns", "--diameter", "2", "--height", "1", "--inductance", "10", "--reference"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const std::string block =
      "Self-resonant at approximately:   36.5  MHz\n"
      "Reference, round copper wire AWG 13, 0.0719617 inches:\n"
      "                                          reference            dialog dialog vs\n"
      "  Inductance, current sheet            9.98532 uH             10 uH      +0.15%\n"
      "  Inductance, round wire               9.63043 uH             10 uH      +3.84%\n"
      "  Self-capacitance (Medhurst)          2.75239 pF        1.90612 pF     -30.75%\n"
      "  Self-resonance, sheath helix         35.2526 MHz       36.4643 MHz     +3.44%\n"
      "  Self-resonance, Kandoian-Sichak      63.6891 MHz       36.4643 MHz    -42.75%\n"
      "  Self-resonance, lumped L and C       30.9131 MHz       36.4643 MHz    +17.96%\n"
      "  Turns for 10 uH                       13.653            13.397         -1.88%\n";
  ASSERT_GE(run.out.size(), block.size());
  EXPECT_EQ(run.out.substr(run.out.size() - block.size()), block);
}

// Wires that do not fit or cannot be read: a message, and the exit status of a stop (1) or of
// a command line that was not understood (2). The dialog's own lines still come first.
TEST(ReferenceCli, BadWires) {
  const std::vector<std::string> coil = {"--unit",   "mm",   "--diameter", "25.4",
                                         "--height", "25.4", "--turns",    "10"};
  const struct {
    std::vector<std::string> wire;
    int exitCode;
    const char* err;
  } rows[] = {
      {{"--wire-diameter", "3"},
       1,
       "Reference: the wire (3 mm) is thicker than the pitch of the winding (2.54 mm)\n"},
      {{"--wire-gauge", "-4"}, 2, "--wire-gauge: Value -4 not in range -3 to 200\n"},
      {{"--wire-gauge", "2.5"}, 2, "--wire-gauge: Value 2.5 not in range -3 to 200\n"},
      {{"--wire-diameter", "0"}, 2, "the wire diameter must be a number above 0, not \"0\""},
      {{"--wire-diameter", "inf"}, 2, "the wire diameter must be a number above 0, not \"inf\""},
      {{"--wire-diameter", "0x1p-3"}, 2, "must be a number above 0, not \"0x1p-3\""},
      {{"--wire-gauge", "20", "--wire-diameter", "1"}, 2, "--wire-gauge excludes --wire-diameter"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = coil;
    args.insert(args.end(), row.wire.begin(), row.wire.end());
    const ProgramRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, row.exitCode) << row.wire[1];
    EXPECT_NE(run.err.find(row.err), std::string::npos) << row.wire[1] << ": " << run.err;
  }
}

TEST(ReferenceCli, BatchLinesAnswerEachOnTheirOwn) {
  const std::string coil = R"("fields":{"diameter":"1","height":"1","turns":"10"})";
  const std::string input =
      "{" + coil + R"(,"reference":{"wire_gauge":20}})" + "\n" + "{" + coil +
      R"(,"reference":{"wire_diameter":"0.2"}})" + "\n" +  // thicker than 0.1
      "{" + coil + R"(,"reference":{"wire_gauge":2.5}})" + "\n" + "{" + coil +
      R"(,"reference":{"wire_diameter":1}})" + "\n" + "{" + coil +
      R"(,"reference":{"wire":"thin"}})" + "\n" + "{" + coil + R"(,"reference":"yes"})" + "\n" +
      "{" + coil + R"(,"reference":false})" + "\n" +
      R"({"fields":{"diameter":"0","height":"1"},"reference":true})" + "\n" + "{" + coil + "}\n" +
      R"({"fields":{"diameter":"1e-44","height":"1e-44","turns":"16384"},"reference":true})";
  const ProgramRun run = RunCli({"--batch"}, input);
  EXPECT_EQ(run.exitCode, 1);
  std::vector<Json> answers;
  for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1)
    answers.push_back(Json::parse(run.out.substr(at, end - at)));
  ASSERT_EQ(answers.size(), 10u) << run.out;
  EXPECT_NEAR(answers[0]["reference"]["wire_diameter"].get<double>(), 0.0319615, 1e-7);
  const char* const errors[] = {
      "reference: the wire (0.2 inches) is thicker than the pitch of the winding (0.1 inches)",
      "\"wire_gauge\" must be a whole number from -3 (0000) to 200",
      "\"wire_diameter\" must be a text, such as \"0.5\"", BAD_REFERENCE, BAD_REFERENCE};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(answers[1 + i], Json({{"error", errors[i]}})) << i;
  // "reference": false is the plain answer; a stopped solve has no reference object.
  EXPECT_EQ(answers[6], answers[8]);
  EXPECT_FALSE(answers[7].contains("reference"));
  EXPECT_EQ(answers[7]["messages"].size(), 1u);
  // A pitch below any float has no gauge to take the wire from.
  EXPECT_EQ(answers[9], Json({{"error",
                               "reference: the winding's pitch is too fine for any wire gauge: "
                               "name a wire diameter"}}));
}

const std::vector<std::string> ONE_INCH = {"--diameter", "1", "--height", "1", "--turns", "10"};
const char* const ONE_INCH_FIELDS = R"("fields":{"diameter":"1","height":"1","turns":"10"})";

Json ReferenceOf(std::vector<std::string> args) {
  args.insert(args.end(), ONE_INCH.begin(), ONE_INCH.end());
  args.push_back("--json");
  const ProgramRun run = RunCli(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return Json::parse(run.out).value("reference", Json());
}

// Every spelling of one frequency reads alike, on the command line and in a batch line.
TEST(ReferenceCli, FrequencySpellings) {
  const char* const spellings[] = {"7.1MHz",  "7100kHz",  "7.1e6",     "7100000Hz",
                                   "7.1 MHz", "7.1\tmhz", "0.0071GHz", "+7.1E+6 HZ"};
  std::string input;
  for (const char* text : spellings) {
    const Json reference = ReferenceOf({"--frequency", text});
    EXPECT_NEAR(reference.value("frequency_Hz", 0.0), 7.1e6, 1e-8) << text;
    input += "{" + std::string(ONE_INCH_FIELDS) + R"(,"reference":)" +
             Json({{"frequency", text}}).dump() + "}\n";
  }
  const ProgramRun batch = RunCli({"--batch"}, input);
  ASSERT_EQ(batch.exitCode, 0) << batch.out;
  const Json single = ReferenceOf({"--frequency", "7.1MHz"});
  for (std::size_t at = 0, end; (end = batch.out.find('\n', at)) != std::string::npos; at = end + 1)
    EXPECT_EQ(Json::parse(batch.out.substr(at, end - at))["reference"], single) << at;
}

// A frequency is shown in the largest unit that keeps it 1 or more: 1 kHz, not 1000 Hz.
TEST(ReferenceCli, FrequencyRowInItsUnit) {
  const struct {
    const char *text, *value, *unit;
  } cases[] = {{"999.5Hz", "999.5", "Hz"},   {"1000Hz", "1", "kHz"}, {"1MHz", "1", "MHz"},
               {"999.5kHz", "999.5", "kHz"}, {"1e9", "1", "GHz"},    {"12GHz", "12", "GHz"}};
  for (const auto& c : cases) {
    std::vector<std::string> args = ONE_INCH;
    args.insert(args.end(), {"--frequency", c.text});
    char line[80];
    std::snprintf(line, sizeof line, "\n  %-31s %12s %s\n", "Frequency", c.value, c.unit);
    const std::string out = RunCli(args).out;
    EXPECT_NE(out.find(line), std::string::npos) << c.text << ":\n" << out;
  }
}

// The block's rows at a frequency carry the JSON answer's numbers, to six digits, with their
// units; "none" where the JSON has null: above the self-resonance there is no apparent value
// and no tuning capacitor. The copper's temperature reaches the DC resistance.
TEST(ReferenceCli, FrequencyRowsMatchTheJsonNumbers) {
  const struct {
    const char* label;
    const char* key;
    const char* unit;
  } rows[] = {{"Resistance, DC", "dc_resistance_ohm", " ohm"},
              {"Resistance, skin and proximity", "ac_resistance_ohm", " ohm"},
              {"Q", "q", ""},
              {"Inductance, apparent", "apparent_inductance_uH", " uH"},
              {"Q, apparent", "apparent_q", ""},
              {"Tuning capacitance", "tuning_capacitance_pF", " pF"}};
  const std::vector<std::vector<std::string>> options = {
      {"--frequency", "3.5MHz", "--wire-gauge", "18"},
      {"--frequency", "300MHz"},
      {"--frequency", "455kHz", "--temperature", "60"}};
  for (const std::vector<std::string>& option : options) {
    std::vector<std::string> args = ONE_INCH;
    args.insert(args.end(), option.begin(), option.end());
    const ProgramRun run = RunCli(args);
    const Json reference = ReferenceOf(option);
    for (const auto& row : rows) {
      const Json& value = reference[row.key];
      char number[40], line[120];
      std::snprintf(number, sizeof number, "%.6g", value.is_null() ? 0 : value.get<double>());
      std::snprintf(line, sizeof line, "\n  %-31s %12s%s\n", row.label,
                    value.is_null() ? "none" : number, value.is_null() ? "" : row.unit);
      EXPECT_NE(run.out.find(line), std::string::npos) << option[1] << ": " << line << run.out;
    }
  }
  const double hot =
      ReferenceOf({"--frequency", "1Hz", "--temperature", "60"})["dc_resistance_ohm"];
  const double room = ReferenceOf({"--frequency", "1Hz"})["dc_resistance_ohm"];
  EXPECT_NEAR(hot / room, 1 + 0.00393 * 40, 1e-12);
}

// Base heights that cannot be read: the same words on the command line (2) and in a batch line;
// one far above the coil stops the reference (1) with the coil's own figures.
TEST(ReferenceCli, BadBaseHeights) {
  std::string input;
  for (const auto& [text, error] : expected::BaseHeightErrors()) {
    std::vector<std::string> args = ONE_INCH;
    args.insert(args.end(), {"--base-height", text});
    const ProgramRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << text;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "--base-height: " + error);
    input += "{" + std::string(ONE_INCH_FIELDS) + R"(,"reference":)" +
             Json({{"base_height", text}}).dump() + "}\n";
  }
  input += "{" + std::string(ONE_INCH_FIELDS) + R"(,"reference":{"base_height":1})" + "}\n";
  const ProgramRun batch = RunCli({"--batch"}, input);
  std::vector<std::string> expected;
  for (const auto& row : expected::BaseHeightErrors())
    expected.push_back(Json({{"error", row.second}}).dump());
  expected.push_back(R"({"error":"\"base_height\" must be a text, such as \"2.5\""})");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = batch.out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(batch.out.substr(at, end - at));
  EXPECT_EQ(lines, expected);
  std::vector<std::string> high = ONE_INCH;
  high.insert(high.end(), {"--base-height", "1005"});
  const ProgramRun tooHigh = RunCli(high);
  EXPECT_EQ(tooHigh.exitCode, 1);
  EXPECT_EQ(tooHigh.err,
            "Reference: the base height (1005 inches) is more than 1000 times the winding's "
            "height (1 inches)\n");
  high.back() = "1000";
  EXPECT_EQ(RunCli(high).exitCode, 0);
}

// Frequencies that cannot be read: the same words on the command line, which stops (2), and
// in a batch line; a frequency whose figures leave the doubles stops the reference (1).
TEST(ReferenceCli, BadFrequencies) {
  std::string input;
  for (const auto& [text, error] : expected::FrequencyErrors()) {
    std::vector<std::string> args = ONE_INCH;
    args.insert(args.end(), {"--frequency", text});
    const ProgramRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << text;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "--frequency: " + error);
    input += "{" + std::string(ONE_INCH_FIELDS) + R"(,"reference":)" +
             Json({{"frequency", text}}).dump() + "}\n";
  }
  const ProgramRun batch = RunCli({"--batch"}, input);
  std::size_t row = 0;
  for (std::size_t at = 0, end; (end = batch.out.find('\n', at)) != std::string::npos;
       at = end + 1, ++row) {
    ASSERT_LT(row, expected::FrequencyErrors().size());
    EXPECT_EQ(batch.out.substr(at, end - at),
              Json({{"error", expected::FrequencyErrors()[row].second}}).dump());
  }
  EXPECT_EQ(row, expected::FrequencyErrors().size());
  // What only a batch line can get wrong.
  const std::pair<const char*, const char*> objects[] = {
      {R"({"frequency":7100000})", R"("frequency" must be a text, such as "7.1MHz")"},
      {R"({"temperature":30})", R"("temperature" needs "frequency" or "sweep")"},
      {R"({"frequency":"1MHz","temperature":"30"})",
       R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
      {R"({"frequency":"1MHz","temperature":201})",
       R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
      {R"({"frequency":"1MHz","wire_gauge":20,"wire_diameter":"0.01"})", BAD_REFERENCE},
      {R"({"frequency":"1MHz","wire_gauge":20.5})",
       R"("wire_gauge" must be a whole number from -3 (0000) to 200)"}};
  for (const auto& [object, error] : objects) {
    const ProgramRun line =
        RunCli({"--batch"}, "{" + std::string(ONE_INCH_FIELDS) + ",\"reference\":" + object + "}");
    EXPECT_EQ(line.out, Json({{"error", error}}).dump() + "\n") << object;
  }
  std::vector<std::string> args = ONE_INCH;
  args.insert(args.end(), {"--frequency", "1e307"});
  const ProgramRun run = RunCli(args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "Reference: the frequency is too high or too low for the reference's arithmetic\n");
}

}  // namespace
