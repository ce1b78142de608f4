// The designer through a batch's design lines: its best coils against an exhaustive search,
// every coil against the limits and against a reference request for it, and the errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "coil_design.h"
#include "design_request.h"
#include "json_writer.h"
#include "solve_case.h"

namespace {

using Json = nlohmann::json;

std::vector<std::string> DesignProblems() {
  std::ifstream file(COILCALC_DESIGN_PROBLEMS);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

Json Answer(const std::string& line) {
  std::string answer;
  AnswerRequestLine(line, answer);
  return Json::parse(answer);
}

DesignProblem ProblemOf(const std::string& line) {
  SolveCase solveCase;
  WireRequest wire;
  std::string error;
  DesignCase design;
  EXPECT_TRUE(ParseSolveCase(line, solveCase, wire, error, &design)) << error;
  EXPECT_TRUE(design.wanted);
  return design.problem;
}

// The reference request a user makes for a designed coil: its diameter, height and turns in the
// dialog's fields, its wire, the frequency and the temperature.
std::string ReferenceRequest(const Json& request, const Json& coil, const DesignProblem& p) {
  const auto text = [](double value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
  };
  Json wire = Json::object();
  if (coil["wire_gauge"].is_null()) {
    const double wanted = coil["wire_diameter"];
    for (const DesignWire& w : p.wires) {
      if (!w.byGauge && std::fabs(w.diameter / UnitMetres(p) / wanted - 1) < 1e-12)
        wire["wire_diameter"] = w.text;
    }
  } else {
    wire["wire_gauge"] = coil["wire_gauge"];
  }
  wire["frequency"] = request["frequency"];
  wire["temperature"] = p.celsius;
  return Json{{"unit", request.value("unit", "in")},
              {"mode", "inductance"},
              {"fields",
               {{"diameter", text(coil["diameter"])},
                {"height", text(coil["height"])},
                {"turns", text(coil["turns"])}}},
              {"reference", wire}}
      .dump();
}

const std::vector<std::string> COIL_KEYS = {"diameter",
                                            "height",
                                            "turns",
                                            "wire_gauge",
                                            "wire_diameter",
                                            "pitch",
                                            "wire_length",
                                            "inductance_uH",
                                            "apparent_inductance_uH",
                                            "q",
                                            "apparent_q",
                                            "self_resonance_MHz",
                                            "ac_resistance_ohm",
                                            "tuning_capacitance_pF"};

TEST(Design, EveryCoilIsWhatAReferenceRequestForItAnswersAndKeepsTheLimits) {
  for (const std::string& line : DesignProblems()) {
    SCOPED_TRACE(line);
    const Json request = Json::parse(line)["design"];
    const DesignProblem p = ProblemOf(line);
    const Json coils = Answer(line)["design"]["coils"];
    ASSERT_GE(coils.size(), 1u);
    EXPECT_LE(coils.size(), static_cast<std::size_t>(p.count));
    std::set<double> wires;
    double lastQ = INFINITY;
    for (const Json& coil : coils) {
      std::vector<std::string> keys;
      for (const auto& [key, value] : coil.items()) keys.push_back(key);
      std::sort(keys.begin(), keys.end());
      std::vector<std::string> named = COIL_KEYS;
      std::sort(named.begin(), named.end());
      EXPECT_EQ(keys, named);

      const std::string plainRequest = ReferenceRequest(request, coil, p);
      SCOPED_TRACE(plainRequest);
      const Json plain = Answer(plainRequest);
      ASSERT_TRUE(plain.contains("reference")) << plain.dump();
      const Json& fields = plain["fields"];
      // The diameter and the height are the request's own; the solve writes back the turns.
      // The dialog writes the turns back in three digits: exactly the designed ones below 1000.
      if (coil["turns"] < 1000) {
        EXPECT_EQ(coil["turns"], std::stod(fields["turns"].get<std::string>()));
      }
      const std::string length = fields["wire_length"];
      EXPECT_EQ(coil["wire_length"], std::stod(length.substr(length.find(':') + 1)));
      for (const char* key :
           {"wire_gauge", "wire_diameter", "inductance_uH", "apparent_inductance_uH", "q",
            "apparent_q", "self_resonance_MHz", "ac_resistance_ohm", "tuning_capacitance_pF"})
        EXPECT_EQ(coil[key], plain["reference"][key]) << key;

      const double D = coil["diameter"], H = coil["height"], N = coil["turns"];
      const double pitch = coil["pitch"], wire = coil["wire_diameter"];
      EXPECT_EQ(pitch, H / N);
      EXPECT_TRUE(D >= p.diameterMin && D <= p.diameterMax) << D;
      EXPECT_LE(H, p.heightMax);
      EXPECT_TRUE(H / D >= 0.1 && H / D <= 10);
      EXPECT_GE(pitch, p.pitchMin * wire);
      EXPECT_EQ(N * 4, std::round(N * 4)) << "turns in quarters";
      EXPECT_GE(coil["self_resonance_MHz"].get<double>(), p.margin * p.frequency * 1e-6);
      EXPECT_NEAR(coil["apparent_inductance_uH"].get<double>() / (p.inductance * 1e6), 1,
                  p.tolerance);
      EXPECT_TRUE(wires.insert(wire).second) << "each coil of another wire";
      EXPECT_LE(coil["apparent_q"].get<double>(), lastQ) << "best first";
      lastQ = coil["apparent_q"];
    }
  }
}

// The best apparent Q against the exhaustive search over every wire of the problem, and each
// answered coil against the search over its own wire.
TEST(Design, FindsTheOptimumOfAnExhaustiveSearch) {
  for (const std::string& line : DesignProblems()) {
    SCOPED_TRACE(line);
    const DesignProblem p = ProblemOf(line);
    const Json coils = Answer(line)["design"]["coils"];
    ASSERT_GE(coils.size(), 1u);
    std::vector<double> grid(p.wires.size());
    for (std::size_t i = 0; i < p.wires.size(); ++i) grid[i] = ExhaustiveBest(p, i, 40, 120).q;
    const double gridBest = *std::max_element(grid.begin(), grid.end());
    EXPECT_GE(coils[0]["apparent_q"].get<double>(), 0.99 * gridBest);
    for (const Json& coil : coils) {
      const double wire = coil["wire_diameter"];
      for (std::size_t i = 0; i < p.wires.size(); ++i) {
        if (std::fabs(p.wires[i].diameter / UnitMetres(p) / wire - 1) > 1e-9) continue;
        const double q = coil["apparent_q"];
        EXPECT_GE(q, 0.99 * grid[i]) << "wire " << wire;
        // Far above the grid would be a coil that breaks a limit the grid keeps.
        EXPECT_LE(q, 1.02 * grid[i]) << "wire " << wire;
      }
    }
  }
}

// A bad value of each key: the error is the key's row of the one table.
TEST(Design, EveryKeyIsChecked) {
  const Json good = Json::parse(
      R"({"inductance":"2.2uH","frequency":"7.1MHz","diameter":"25","wire_gauges":{"min":18,"max":20}})");
  const std::pair<DesignKey, const char*> bad[] = {
      {DesignKey::UNIT, R"({"unit":"cm"})"},
      {DesignKey::UNIT, R"({"unit":1})"},
      {DesignKey::INDUCTANCE, R"({"inductance":"2.2"})"},
      {DesignKey::INDUCTANCE, R"({"inductance":"2 H"})"},
      {DesignKey::INDUCTANCE, R"({"inductance":"0.5nH"})"},
      {DesignKey::INDUCTANCE, R"({"inductance":2.2e-6})"},
      {DesignKey::FREQUENCY, R"({"frequency":"7.1 MHz x"})"},
      {DesignKey::FREQUENCY, R"({"frequency":"10GHz"})"},
      {DesignKey::DIAMETER, R"({"diameter":"-1"})"},
      {DesignKey::DIAMETER, R"({"diameter":{"min":"40","max":"15"}})"},
      {DesignKey::DIAMETER, R"({"diameter":{"min":"15"}})"},
      {DesignKey::DIAMETER, R"({"diameter":{"min":"15","max":"40","step":"1"}})"},
      {DesignKey::DIAMETER, R"({"diameter":25})"},
      {DesignKey::HEIGHT_MAX, R"({"height_max":"1e9"})"},
      {DesignKey::WIRE_GAUGES, R"({"wire_gauges":{"min":20,"max":18}})"},
      {DesignKey::WIRE_GAUGES, R"({"wire_gauges":{"min":18.5,"max":20}})"},
      {DesignKey::WIRE_GAUGES, R"({"wire_gauges":{"min":"18","max":20}})"},
      {DesignKey::WIRE_GAUGES, R"({"wire_gauges":[18,20]})"},
      {DesignKey::WIRE_DIAMETERS, R"({"wire_gauges":null,"wire_diameters":[]})"},
      {DesignKey::WIRE_DIAMETERS, R"({"wire_gauges":null,"wire_diameters":["0.5",0.8]})"},
      {DesignKey::WIRE_DIAMETERS, R"({"wire_gauges":null,"wire_diameters":"0.5"})"},
      {DesignKey::PITCH_MIN, R"({"pitch_min":0.9})"},
      {DesignKey::RESONANCE_MARGIN, R"({"resonance_margin":1})"},
      {DesignKey::TOLERANCE, R"({"tolerance":0})"},
      {DesignKey::TOLERANCE, R"({"tolerance":"0.01"})"},
      {DesignKey::TEMPERATURE, R"({"temperature":300})"},
      {DesignKey::COUNT, R"({"count":2.5})"},
      {DesignKey::COUNT, R"({"count":21})"},
  };
  for (const auto& [key, change] : bad) {
    Json design = good;
    design.merge_patch(Json::parse(change));  // a null drops the key
    const std::string line = Json{{"design", design}}.dump();
    EXPECT_EQ(Answer(line), Json({{"error", DesignKeyError(key)}})) << line;
  }
  for (const DesignKey key : {DesignKey::INDUCTANCE, DesignKey::FREQUENCY, DesignKey::DIAMETER}) {
    Json design = good;
    design.erase(FindDesignKey(DESIGN_KEY_RULES[static_cast<int>(key)].name)->name);
    EXPECT_EQ(Answer(Json{{"design", design}}.dump())["error"], DesignKeyError(key));
  }
  const std::pair<std::string, std::string> others[] = {
      {R"({"design":[]})", DESIGN_NOT_OBJECT},
      {R"({"design":{"inductance":"1uH"},"unit":"mm"})", DESIGN_NOT_ALONE},
      {R"({"design":{"inductance":"1uH","wire_gauges":{"min":1,"max":2},"wire_diameters":["1"]}})",
       DESIGN_TWO_WIRES},
      {R"({"design":{"inductance":"1uH","colour":"red"}})", "unknown key \"colour\" in \"design\""},
  };
  for (const auto& [line, error] : others)
    EXPECT_EQ(Answer(line), Json({{"error", error}})) << line;
}

// Problems no coil solves: the error names the limit that stops them.
TEST(Design, SaysWhichLimitStopsAnImpossibleDesign) {
  const std::pair<std::string, DesignStop> impossible[] = {
      {R"("inductance":"1mH","frequency":"100kHz","diameter":"10","height_max":"5","wire_gauges":{"min":10,"max":12})",
       DesignStop::WIRE_TOO_THICK},
      {R"("inductance":"5nH","frequency":"10MHz","diameter":"100","height_max":"50")",
       DesignStop::TOO_FEW_TURNS},
      {R"("inductance":"1uH","frequency":"10MHz","diameter":"100","height_max":"5")",
       DesignStop::SHAPE},
      {R"("inductance":"1mH","frequency":"10MHz","diameter":{"min":"10","max":"50"},"wire_gauges":{"min":30,"max":40})",
       DesignStop::RESONANCE},
  };
  for (const auto& [members, stop] : impossible) {
    const std::string line = R"({"design":{"unit":"mm",)" + members + "}}";
    EXPECT_EQ(Answer(line), Json({{"error", DesignStopText(stop)}})) << line;
  }
}

}  // namespace
