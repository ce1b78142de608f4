// End-to-end tests of coilcalc-cli: options, text and JSON answers, batch streams, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "expected_texts.h"
#include "run_program.h"

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

using expected::CoilNamed;
using expected::MessageNamed;

// A message as the command line writes it to stderr: "CAPTION: TEXT", each line on its own.
std::string StderrLines(const std::string& name) {
  const expected::Message& message = MessageNamed(name);
  std::string text = message.text;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, "\n");
  return message.caption + ": " + text + "\n";
}

const std::string BAD_DIMENSIONS = StderrLines("BAD_DIMENSIONS");
const std::string TOO_FEW_TURNS = StderrLines("TOO_FEW_TURNS");
const std::string NO_SOLUTION = StderrLines("NO_SOLUTION");

// ---- Single solves, text answers -------------------------------------------------------

struct TextCase {
  const char* name;
  std::vector<std::string> args;
  std::string err;                 // everything expected on stderr
  std::vector<std::string> lines;  // the six result lines; an empty one is not checked
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class CompletedSolve : public testing::TestWithParam<TextCase> {};

TEST_P(CompletedSolve, PrintsTheSixResultLines) {
  const TextCase& c = GetParam();
  const ProgramRun run = RunCli(c.args);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, c.err);
  const std::vector<std::string> lines = SplitLines(run.out);
  ASSERT_EQ(lines.size(), 6u) << run.out;
  ASSERT_EQ(run.out.back(), '\n');
  for (std::size_t i = 0; i < 6; ++i) {
    if (!c.lines[i].empty()) {
      EXPECT_EQ(lines[i], c.lines[i]) << "line " << i + 1;
    }
  }
}

// The six lines of a completed solve: the inductance and turns as their fields hold them, then
// the four result lines.
std::vector<std::string> TextLines(const expected::Coil& coil) {
  const expected::Lines& r = coil.results;
  return {"Inductance:" + r[0] + " " + r[1], "Turns:" + r[2], r[3], r[4], r[5], r[6]};
}
const std::vector<std::string> ONE_BY_ONE_TEN = TextLines(CoilNamed("OneByOneInchTenTurns"));
const std::vector<std::string> SMALL_COIL = TextLines(CoilNamed("SmallCoilInNanohenries"));
// 10 uH on a form of 2 by 1 inches: 13.397 turns.
std::vector<std::string> TenMicrohenries(const std::string& inductanceLine) {
  std::vector<std::string> lines = TextLines(CoilNamed("TurnsForTenMicrohenries"));
  lines[0] = inductanceLine;
  return lines;
}
std::vector<std::string> SmallCoil(const std::string& turns) {
  return {"--diameter", "0.25", "--height", "0.5", "--turns", turns};
}
std::vector<std::string> TurnsFor(const std::string& inductance, const std::string& unit) {
  return {"--mode",       "turns",    "--diameter",        "2", "--height", "1",
          "--inductance", inductance, "--inductance-unit", unit};
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CompletedSolve,
    testing::Values(
        TextCase{"OneByOneInchTenTurns",
                 {"--diameter", "1", "--height", "1", "--turns", "10"},
                 "",
                 ONE_BY_ONE_TEN},
        TextCase{"OneByOneInchTenTurnsInchesNamed",
                 {"--unit", "in", "--mode", "inductance", "--diameter", "1", "--height", "1",
                  "--turns", "10", "--inductance-unit", "mH"},
                 "",
                 ONE_BY_ONE_TEN},
        TextCase{"OneByOneInchTenTurnsMillimetres",
                 {"--unit", "mm", "--diameter", "25.4", "--height", "25.4", "--turns", "10"},
                 "",
                 TextLines(CoilNamed("OneByOneInchTenTurnsInMillimetres"))},
        TextCase{"MillimetreWheelerCoil",
                 {"--unit=mm", "--diameter=10", "--height=20", "--turns=15"},
                 "",
                 TextLines(CoilNamed("MillimetreWheelerCoil"))},
        TextCase{"SmallCoilInNanohenries", SmallCoil("2"), "", SMALL_COIL},
        TextCase{"OneTurnIsCorrectedToTwo", SmallCoil("1"), TOO_FEW_TURNS, SMALL_COIL},
        TextCase{"NegativeTurns", SmallCoil("-3"), TOO_FEW_TURNS, SMALL_COIL},
        TextCase{"EmptyTurns", SmallCoil(""), TOO_FEW_TURNS, SMALL_COIL},
        TextCase{
            "TurnsNotGiven", {"--diameter", "0.25", "--height", "0.5"}, TOO_FEW_TURNS, SMALL_COIL},
        TextCase{"MostTurnsInMillihenries",
                 {"--diameter", "1", "--height", "0.1", "--turns", "16384"},
                 "",
                 {"Inductance: 1.354E+4 mH", "Turns: 1.64E+4", "", "Maximum wire size:  95  AWG",
                  "", ""}},
        TextCase{"TurnsForTenMicrohenries", TurnsFor("10", "uH"), "",
                 TenMicrohenries("Inductance:10 uH")},
        TextCase{"TurnsForNanohenries", TurnsFor("10000", "nH"), "",
                 TenMicrohenries("Inductance:10000 nH")},
        TextCase{"TurnsForMillihenries", TurnsFor("0.01", "mH"), "",
                 TenMicrohenries("Inductance:0.01 mH")},
        TextCase{"BlankBeforeUnitMeansMicrohenries", TurnsFor("10", " nH"), "",
                 TenMicrohenries("Inductance:10  nH")},
        TextCase{"InductanceTextKeptAsTyped",
                 TurnsFor("2.5uH", "uH"),
                 "",
                 {"Inductance:2.5uH uH", "", "", "", "", ""}}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct StoppedCase {
  const char* name;
  std::vector<std::string> args;
  std::string err;
};

void PrintTo(const StoppedCase& c, std::ostream* os) { *os << c.name; }

class StoppedSolve : public testing::TestWithParam<StoppedCase> {};

TEST_P(StoppedSolve, ShowsTheMessageAndNoResults) {
  const StoppedCase& c = GetParam();
  const ProgramRun run = RunCli(c.args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.out, "");
}

const std::string TOO_FLAT = StderrLines("TOO_FLAT");
const std::string TOO_LONG = StderrLines("TOO_LONG");

INSTANTIATE_TEST_SUITE_P(
    Cli, StoppedSolve,
    testing::Values(
        StoppedCase{"NothingGiven", {}, BAD_DIMENSIONS},
        StoppedCase{"NoHeightSolvingTurns",
                    {"--mode", "turns", "--diameter", "1", "--inductance", "10"},
                    BAD_DIMENSIONS},
        StoppedCase{"NegativeHeight", {"--diameter", "1", "--height=-1"}, BAD_DIMENSIONS},
        StoppedCase{"InfiniteSizes", {"--diameter", "1e40", "--height", "1e40"}, BAD_DIMENSIONS},
        StoppedCase{"TooFlat", {"--diameter", "10.01", "--height", "1", "--turns", "10"}, TOO_FLAT},
        StoppedCase{"TooLong", {"--diameter", "1", "--height", "10.01", "--turns", "10"}, TOO_LONG},
        // The ratio is checked before the turns are read: no minimum-turns correction.
        StoppedCase{
            "RatioBeforeTurns", {"--diameter", "1", "--height", "11", "--turns", "1"}, TOO_LONG},
        StoppedCase{"TooManyTurns",
                    {"--diameter", "1", "--height", "1", "--turns", "16385"},
                    StderrLines("TOO_MANY_TURNS")},
        StoppedCase{"InductanceTooLarge",
                    {"--mode", "turns", "--diameter", "1", "--height", "1", "--inductance",
                     "65536.5", "--inductance-unit", "nH"},
                    StderrLines("INDUCTANCE_TOO_LARGE")},
        StoppedCase{
            "NoInductance", {"--mode", "turns", "--diameter", "1", "--height", "1"}, NO_SOLUTION}),
    [](const testing::TestParamInfo<StoppedCase>& info) { return std::string(info.param.name); });

// ---- The command line itself -----------------------------------------------------------

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class UsageError : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, ExitsWithTwoAndSaysWhy) {
  const ProgramRun run = RunCli(GetParam().args);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, UsageError,
    testing::Values(UsageCase{"UnknownUnit", {"--unit", "cm", "--diameter", "1"}},
                    UsageCase{"UnknownMode", {"--mode", "both"}},
                    UsageCase{"UnknownOption", {"--colour", "red"}},
                    UsageCase{"StrayArgument", {"--diameter", "1", "10"}},
                    UsageCase{"MissingValue", {"--height", "1", "--diameter"}},
                    UsageCase{"BatchWithJson", {"--batch", "--json"}},
                    UsageCase{"BatchWithEntries", {"--batch", "--diameter", "1"}},
                    UsageCase{"BatchWithUnit", {"--batch", "--unit", "mm"}}),
    [](const testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

TEST(Cli, VersionPrintsTheProgramAndItsVersion) {
  const ProgramRun run = RunCli({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "coilcalc-cli 1.05\n");
}

TEST(Cli, HelpListsTheOptionsAndPointsToTheManual) {
  const ProgramRun run = RunCli({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* word :
       {"--unit", "--mode", "--diameter", "--height", "--turns", "--inductance",
        "--inductance-unit", "--json", "--batch", "--version", "Exit status", "man coilcalc-cli"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

// ---- JSON answers ----------------------------------------------------------------------

Json StartUpFields() {
  return {{"inductance", ""},
          {"inductance_unit", "uH"},
          {"turns", ""},
          {"wire_length", "Wire Length: "},
          {"wire_size", "Maximum wire size (AWG):"},
          {"capacitance", "Stray Capacitance:"},
          {"resonance", "Self-resonant at approximately:"}};
}

// The answer of a completed solve: no messages, the seven fields, written in their order.
Json CompletedAnswer(const std::string& coilName) {
  const expected::Coil& coil = CoilNamed(coilName);
  Json fields = Json::object();
  for (std::size_t i = 0; i < coil.results.size(); ++i) {
    fields[expected::Results()[i]] = coil.results[i];
  }
  Json trace = Json::array();
  for (const auto& [name, text] : fields.items()) trace.push_back({"set", name, text});
  return {{"messages", Json::array()}, {"fields", fields}, {"trace", trace}};
}

Json MessagePair(const expected::Message& message) {
  // Two-element arrays are built explicitly: in a braced list they would read as objects.
  return Json::array({message.caption, message.text});
}

// The small coil after the minimum-turns correction: the "2" is written before the results.
Json CorrectedSmallCoilAnswer() {
  const expected::Message& tooFew = MessageNamed("TOO_FEW_TURNS");
  Json answer = CompletedAnswer("SmallCoilInNanohenries");
  answer["messages"].push_back(MessagePair(tooFew));
  answer["trace"].insert(answer["trace"].begin(),
                         {{"message", tooFew.caption, tooFew.text}, {"set", "turns", "2"}});
  return answer;
}

Json StoppedAnswer(const std::string& messageName, Json fields = StartUpFields()) {
  const expected::Message& message = MessageNamed(messageName);
  return {{"messages", Json::array({MessagePair(message)})},
          {"fields", std::move(fields)},
          {"trace", {{"message", message.caption, message.text}}}};
}

// Parses each output line; a line that is not JSON becomes a string, so that it fails to match.
std::vector<Json> AnswerLines(const std::string& out) {
  std::vector<Json> answers;
  for (const std::string& line : SplitLines(out)) {
    Json answer = Json::parse(line, nullptr, false);
    answers.push_back(answer.is_discarded() ? Json(line) : answer);
  }
  return answers;
}

bool IsError(const Json& answer) {
  return answer.is_object() && answer.size() == 1 && answer.contains("error") &&
         answer["error"].is_string() && !answer["error"].get<std::string>().empty();
}

TEST(CliJson, OneByOneInchTenTurnsAsOneObject) {
  const ProgramRun run = RunCli({"--json", "--diameter", "1", "--height", "1", "--turns", "10"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], CompletedAnswer("OneByOneInchTenTurns"));
}

TEST(CliJson, MinimumTurnsCorrectionInTheTrace) {
  const ProgramRun run =
      RunCli({"--json", "--diameter", "0.25", "--height", "0.5", "--turns", "1"});
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], CorrectedSmallCoilAnswer());
}

TEST(CliJson, StoppedSolveKeepsTheMessageJoinedByCrLf) {
  const ProgramRun run = RunCli({"--json", "--diameter", "10.01", "--height", "1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 1u);
  Json fields = StartUpFields();
  EXPECT_EQ(answers[0], StoppedAnswer("TOO_FLAT", fields));
}

TEST(CliJson, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  const ProgramRun run = RunCli({"--json", "--mode", "turns", "--diameter", "2", "--height", "1",
                                 "--inductance", "10\xff", "--inductance-unit", "\xc3H"});
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 1u);
  ASSERT_TRUE(answers[0].is_object()) << run.out;
  EXPECT_EQ(answers[0]["fields"]["inductance"], "10\xEF\xBF\xBD");
  EXPECT_EQ(answers[0]["fields"]["inductance_unit"], "\xEF\xBF\xBDH");
  EXPECT_EQ(answers[0]["fields"]["turns"], " 13.4");
}

// ---- Batch -----------------------------------------------------------------------------

struct BatchLine {
  std::string request;
  // The expected answer, or the text of the expected error; a text ending in ": " is followed
  // by the JSON parser's own words.
  Json answer;
};

std::string JoinLines(const std::vector<BatchLine>& lines) {
  std::string input;
  for (const BatchLine& line : lines) input += line.request + "\n";
  return input;
}

void ExpectAnswers(const std::vector<BatchLine>& lines, const std::string& out) {
  const std::vector<Json> answers = AnswerLines(out);
  ASSERT_EQ(answers.size(), lines.size()) << out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].answer.is_string()) {
      const std::string want = lines[i].answer.get<std::string>();
      ASSERT_TRUE(IsError(answers[i])) << "line " << i + 1 << ": " << answers[i].dump();
      const std::string got = answers[i]["error"].get<std::string>();
      EXPECT_EQ(want.ends_with(": ") ? got.substr(0, want.size()) : got, want) << "line " << i + 1;
    } else {
      EXPECT_EQ(answers[i], lines[i].answer) << "line " << i + 1 << ": " << lines[i].request;
    }
  }
}

const char* const ONE_BY_ONE_TEN_REQUEST =
    R"({"unit": "in", "mode": "inductance", "fields": {"diameter": "1", "height": "1", "turns": "10"}})";
const char* const ONE_BY_ONE_TEN_REQUEST_MM =
    R"({"unit": "mm", "fields": {"diameter": "25.4", "height": "25.4", "turns": "10"}})";

TEST(CliBatch, BadLinesGetErrorsAndTheRestAreAnswered) {
  const std::vector<BatchLine> lines = {
      {ONE_BY_ONE_TEN_REQUEST, CompletedAnswer("OneByOneInchTenTurns")},
      {"this is not JSON", "not valid JSON at column 1: expected '{', found 'this'"},
      {ONE_BY_ONE_TEN_REQUEST_MM, CompletedAnswer("OneByOneInchTenTurnsInMillimetres")},
      {R"(["diameter", "1"])", "a request must be a JSON object"},
      {R"("diameter")", "a request must be a JSON object"},
      {R"({"unit": "cm"})", R"("unit" must be "in" or "mm")"},
      {R"({"unit": 25.4})", R"("unit" must be "in" or "mm")"},
      {R"({"mode": "Turns"})", R"("mode" must be "inductance" or "turns")"},
      {R"({"colour": "red"})", R"(unknown key "colour")"},
      {R"({"fields": {"turn": "10"}})", R"(unknown field "turn")"},
      {R"({"fields": {"turns": 10}})", R"(the text of field "turns" must be a string)"},
      {R"({"fields": {"diameter": null}})", R"(the text of field "diameter" must be a string)"},
      {R"({"fields": {"height": ["1"]}})", R"(the text of field "height" must be a string)"},
      {R"({"fields": "1"})", R"("fields" must be an object of texts)"},
      {R"({"fields": {"diameter": "1"}} {})",
       "not valid JSON at column 31: expected the end of the line, found '{'"},
      {R"({"fields": {"diameter": "1")",
       "not valid JSON at column 28: expected ',' or '}', found the end of the line"},
      {R"({"fields": {"diameter": "1)", "not valid JSON at column 25: a text is not closed"},
      {R"({"fields": {"diameter" "1"}})",
       "not valid JSON at column 24: expected ':', found a text"},
      {R"({"fields": {"diameter": "1",}})",
       "not valid JSON at column 29: expected a key in quotes, found '}'"},
      {R"({fields: {}})",
       "not valid JSON at column 2: expected a key in quotes or '}', found 'fields'"},
      {R"({"fields": {"turns": "1\q"}})",
       "not valid JSON at column 25: an escape in a text that JSON does not have"},
      {"{\"fields\": {\"turns\": \"\x01\"}}",
       "not valid JSON at column 23: a control character in a text"},
      {R"({"fields": tru})", "not valid JSON at column 12: expected a value, found 'tru'"},
      {R"({"reference": true, "fields": {"turns": "10"})",
       "not valid JSON at column 46: expected ',' or '}', found the end of the line"},
      {R"({"fields": {"turns": 1e400}})", R"(the text of field "turns" must be a string)"},
      {"", "empty line"},
      {"{\"fields\": {\"diameter\": \"\xff\"}}",
       "not valid JSON at column 26: a byte in a text that is not UTF-8"},
      {R"({"fields": {"diameter": "0.25", "height": "0.5", "turns": "1"}})",
       CorrectedSmallCoilAnswer()},
  };
  const ProgramRun run = RunCli({"--batch"}, JoinLines(lines));
  EXPECT_EQ(run.exitCode, 1);
  ExpectAnswers(lines, run.out);
}

TEST(CliBatch, AllGoodLinesExitZero) {
  const std::vector<BatchLine> lines = {
      {ONE_BY_ONE_TEN_REQUEST_MM, CompletedAnswer("OneByOneInchTenTurnsInMillimetres")},
      // A stopped solve is an answer, not an error.
      {R"({"fields": {"diameter": "1"}})", StoppedAnswer("BAD_DIMENSIONS")},
      {ONE_BY_ONE_TEN_REQUEST, CompletedAnswer("OneByOneInchTenTurns")},
  };
  const ProgramRun run = RunCli({"--batch"}, JoinLines(lines));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  ExpectAnswers(lines, run.out);
}

TEST(CliBatch, MissingNamesKeepTheirStartUpTexts) {
  Json kept = StartUpFields();
  kept["turns"] = "5";
  kept["wire_length"] = "Wire Length:  34.557  inches";
  kept["resonance"] = "";
  Json unitKept = StartUpFields();
  unitKept["inductance_unit"] = "mH";
  const std::vector<BatchLine> lines = {
      {"{}", StoppedAnswer("BAD_DIMENSIONS")},
      {R"({"mode": "turns", "fields": {}})", StoppedAnswer("BAD_DIMENSIONS")},
      // No unit option is clicked, so the result lines keep whatever the request gave them.
      {R"({"unit": "mm", "fields": {"diameter": "25.4", "height": "508", "turns": "5",)"
       R"( "wire_length": "Wire Length:  34.557  inches", "resonance": ""}})",
       StoppedAnswer("TOO_LONG", kept)},
      {R"({"mode": "turns", "fields": {"diameter": "1", "height": "1", "inductance_unit": "mH"}})",
       StoppedAnswer("NO_SOLUTION", unitKept)},
      // The turns field starts empty, which reads as 0 turns.
      {R"({"fields": {"diameter": "0.25", "height": "0.5"}})", CorrectedSmallCoilAnswer()},
  };
  const ProgramRun run = RunCli({"--batch"}, JoinLines(lines));
  EXPECT_EQ(run.exitCode, 0);
  ExpectAnswers(lines, run.out);
}

TEST(CliBatch, TextsPassThroughByteForByte) {
  const std::string request = R"({"mode": "turns", "fields": {"diameter": "2", "height": "1",)"
                              R"( "inductance": "10 µH ✓", "inductance_unit": "\u00b5H"}})";
  const ProgramRun run = RunCli({"--batch"}, request + "\n");
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 1u);
  ASSERT_TRUE(answers[0].is_object()) << run.out;
  EXPECT_EQ(answers[0]["fields"]["inductance"], "10 \xC2\xB5H \xE2\x9C\x93");
  EXPECT_EQ(answers[0]["fields"]["inductance_unit"], "\xC2\xB5H");
  EXPECT_EQ(answers[0]["fields"]["turns"], " 13.4");
  EXPECT_EQ(answers[0]["fields"]["resonance"], "Self-resonant at approximately:   36.5  MHz");
}

TEST(CliBatch, LineEndingsAndLastLineWithoutLineFeed) {
  const Json worked = CompletedAnswer("OneByOneInchTenTurns");
  const ProgramRun run =
      RunCli({"--batch"}, std::string(ONE_BY_ONE_TEN_REQUEST) + "\r\n" + ONE_BY_ONE_TEN_REQUEST_MM +
                              "\n" + ONE_BY_ONE_TEN_REQUEST);
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0], worked);
  EXPECT_EQ(answers[1], CompletedAnswer("OneByOneInchTenTurnsInMillimetres"));
  EXPECT_EQ(answers[2], worked);
  EXPECT_EQ(run.out.back(), '\n');
}

TEST(CliBatch, EmptyInputGivesNoAnswers) {
  const ProgramRun run = RunCli({"--batch"}, "");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
}

TEST(CliBatch, OverLongLineIsSkippedAndAnsweredWithAnError) {
  // A line of exactly 16 MiB is still read (its diameter of 1s saturates, the height is
  // missing); one byte more is not.
  const std::string head = R"({"fields": {"diameter": ")", tail = R"("}})";
  const std::string longest =
      head + std::string((16u << 20) - head.size() - tail.size(), '1') + tail;
  const std::vector<BatchLine> lines = {
      {ONE_BY_ONE_TEN_REQUEST, CompletedAnswer("OneByOneInchTenTurns")},
      {longest, StoppedAnswer("BAD_DIMENSIONS")},
      {head + "1" + longest.substr(head.size()), "line longer than 16777216 bytes, skipped"},
      {ONE_BY_ONE_TEN_REQUEST_MM, CompletedAnswer("OneByOneInchTenTurnsInMillimetres")},
  };
  const ProgramRun run = RunCli({"--batch"}, JoinLines(lines));
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 1);
  ExpectAnswers(lines, run.out);
}

TEST(Cli, FailedWriteToStandardOutputExitsOne) {
  const std::string cli = std::string(COILCALC_CLI_EMULATOR) + " " + COILCALC_CLI_PATH;
  for (const std::string& command :
       {cli + " --diameter 1 --height 1 --turns 10 >/dev/full 2>/dev/null",
        "echo '{}' | " + cli + " --batch >/dev/full 2>/dev/null"}) {
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1) << command;
  }
}

TEST(CliBatch, ManyLinesKeepTheirOrder) {
  // Enough answers to fill several output blocks; each line's turns make it recognisable.
  std::string input;
  for (int turns = 2; turns < 1000; ++turns) {
    input += R"({"fields": {"diameter": "1", "height": "1", "turns": ")" + std::to_string(turns) +
             "\"}}\n";
  }
  const ProgramRun run = RunCli({"--batch"}, input);
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<Json> answers = AnswerLines(run.out);
  ASSERT_EQ(answers.size(), 998u);
  for (int turns = 2; turns < 1000; ++turns) {
    const Json& answer = answers[static_cast<std::size_t>(turns - 2)];
    ASSERT_TRUE(answer.is_object());
    ASSERT_EQ(answer["fields"]["turns"], " " + std::to_string(turns));
  }
}

TEST(CliBatch, AnswersBeforeTheInputEnds) {
  LiveProgram program = StartCli({"--batch"});
  ASSERT_GT(program.pid, 0);
  const std::string request = std::string(ONE_BY_ONE_TEN_REQUEST) + "\n";
  ASSERT_EQ(write(program.in, request.data(), request.size()),
            static_cast<ssize_t>(request.size()));
  const std::string first = ReadLineFrom(program, 10000);
  EXPECT_EQ(Json::parse(first, nullptr, false), CompletedAnswer("OneByOneInchTenTurns"));
  ASSERT_EQ(write(program.in, "[]\n", 3), 3);
  EXPECT_TRUE(IsError(Json::parse(ReadLineFrom(program, 10000), nullptr, false)));
  EXPECT_EQ(FinishCli(program), 1);
}

}  // namespace
