// End-to-end tests of coilcalc-cli --design: the same answer as a batch's design line, the
// table, and the exit status of a bad option and of a design no coil fits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "coil_design.h"
#include "design_request.h"
#include "run_program.h"

namespace {

const std::vector<std::string> TANK_COIL = {"--design", "--unit",       "mm",     "--inductance",
                                            "2.2uH",    "--frequency",  "7.1MHz", "--diameter",
                                            "15:40",    "--height-max", "60",     "--wire-gauges",
                                            "14:20",    "--count",      "3"};

TEST(DesignCli, JsonIsTheBatchAnswerOfTheSameDesign) {
  std::vector<std::string> args = TANK_COIL;
  args.push_back("--json");
  const ProgramRun single = RunCli(args);
  const ProgramRun batch = RunCli(
      {"--batch"},
      R"({"design":{"unit":"mm","inductance":"2.2uH","frequency":"7.1MHz","diameter":)"
      R"({"min":"15","max":"40"},"height_max":"60","wire_gauges":{"min":14,"max":20},"count":3}})"
      "\n");
  EXPECT_EQ(single.exitCode, 0) << single.err;
  EXPECT_EQ(batch.exitCode, 0);
  EXPECT_EQ(single.out, batch.out);
  EXPECT_NE(single.out.find("{\"design\":{\"coils\":[{\"diameter\":"), std::string::npos);
}

TEST(DesignCli, TableHasAHeadingAndARowForEachCoil) {
  const ProgramRun run = RunCli(TANK_COIL);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(run.out.substr(at, end - at));
  ASSERT_EQ(lines.size(), 5u) << run.out;
  EXPECT_EQ(lines[0], "Lengths in mm, best first (apparent Q):");
  for (const char* heading : {"diameter", "height", "turns", "wire", "Q apparent", "held by"})
    EXPECT_NE(lines[1].find(heading), std::string::npos) << heading;
  EXPECT_NE(lines[2].find("AWG 14"), std::string::npos) << "the thickest wire is best here";
}

TEST(DesignCli, BadOptionsAndImpossibleDesigns) {
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  } cases[] = {
      {{"--design", "--inductance", "2.2", "--frequency", "7MHz", "--diameter", "20"},
       2,
       DesignKeyError(DesignKey::INDUCTANCE)},
      {{"--design", "--inductance", "2.2uH", "--frequency", "7MHz", "--diameter", "20", "--count",
        "x"},
       2,
       DesignKeyError(DesignKey::COUNT)},
      {{"--design", "--unit", "mm", "--inductance", "1mH", "--frequency", "100kHz", "--diameter",
        "10", "--height-max", "5", "--wire-gauges", "10:12"},
       1,
       DesignStopText(DesignStop::WIRE_TOO_THICK)},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunCli(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "coilcalc-cli --design: " + c.err + "\n");
  }
}

}  // namespace
