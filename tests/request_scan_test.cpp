// The quick scan of batch requests against the full parser: a line the scan takes must read
// exactly as the parser reads it, and the plain lines of everyday batches must be scanned.
#include "request_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "solve_case.h"

namespace {

// Lines the scan must take: JSON's four blanks anywhere between tokens, repeated keys and
// fields (the last unit and mode count, every field is seeded in order), empty objects,
// every printable ASCII character, DEL included, in a text, and texts up to sixteen bytes.
const std::vector<std::string> PLAIN_LINES = {
    R"({"unit":"in","mode":"inductance","fields":{"diameter":"1","height":"1","turns":"10"}})",
    R"({"unit":"mm","mode":"turns","fields":{"diameter":"50.8","height":"25.4","inductance":"10","inductance_unit":"uH"}})",
    R"({})",
    " \t\r{ \"fields\" :\t{ } ,\"mode\"\r:\"turns\" }\t \r",
    R"({"fields":{"diameter":"2"},"unit":"mm","unit":"in","fields":{"diameter":"3","height":"1"}})",
    R"({"fields":{"turns":" !#$%&'()*+,-./:;<=>?@[]^_`{|}~)"
    "\x7f"
    R"("}})",
    R"({"mode":"inductance","fields":{"wire_length":"old","resonance":"","capacitance":"x","wire_size":"y"}})",
    // Texts of 14 and 15 bytes, read sixteen bytes at a time, the last one near the line's end.
    R"({"fields":{"diameter":"1.234567890123","height":"12345.678901234"}})",
    // The reference: the last one counts; each key of its object once, in any order.
    R"({"reference":true,"fields":{"diameter":"1"}})",
    R"({"reference":{"wire_gauge":-3},"reference":false})",
    R"({"fields":{"diameter":"1"},"reference":{"frequency":"7.1MHz","wire_gauge":20}})",
    R"({ "reference" : { "temperature" : -50 , "frequency" : "455 kHz" } , "unit":"mm"})",
    R"({"reference":{"wire_diameter":"0.5","frequency":"3.5e6","temperature":200}})",
    R"({"reference":{"wire_gauge":-0},"reference":{}})",
};

// Lines left to the parser, and lines near the plain ones that a careless scan might take:
// escapes, bytes beyond ASCII, control characters, other JSON values, unknown names and
// values, a byte order mark, a second object, reference values the parser refuses or reads
// from the last of a repeated key.
const std::vector<std::string> OTHER_LINES = {
    "",
    " ",
    R"({"fields":{"diameter":"1\"2"}})",
    R"({"fields":{"diameter":"\u0031"}})",
    "{\"fields\":{\"diameter\":\"\xc2\xb5\"}}",
    "{\"fields\":{\"diameter\":\"\xff\"}}",
    "{\"fields\":{\"diameter\":\"1\t\"}}",
    "\xef\xbb\xbf{}",
    R"({"fields":{"diameter":1}})",
    R"({"fields":{"diameter":null}})",
    R"({"fields":[]})",
    R"({"fields":"x"})",
    R"({"fields":{"diameter":{}}})",
    R"({"unit":"inch"})",
    R"({"unit":"IN"})",
    R"({"mode":"Turns"})",
    R"({"mode":""})",
    R"({"unit":1})",
    R"({"colour":"red"})",
    R"({"fields":{"Diameter":"1"}})",
    R"({"fields":{"":"1"}})",
    R"({"reference":null})",
    R"({"reference":"yes"})",
    R"({"reference":[]})",
    R"({"reference":True})",
    R"({"reference":{"frequency":"7.1MHz","frequency":"1MHz"}})",
    R"({"reference":{"frequency":"0"}})",
    R"({"reference":{"frequency":7100000}})",
    R"({"reference":{"wire_gauge":20,"wire_diameter":"0.1"}})",
    R"({"reference":{"wire_gauge":20.0}})",
    R"({"reference":{"wire_gauge":020}})",
    R"({"reference":{"wire_gauge":201}})",
    R"({"reference":{"wire_gauge":12345}})",
    R"({"reference":{"wire_diameter":"0"}})",
    R"({"reference":{"temperature":25}})",
    R"({"reference":{"frequency":"1MHz","temperature":25.5}})",
    R"({"reference":{"frequency":"1MHz","temperature":1e1}})",
    R"({"reference":{"frequency":"1MHz","temperature":201}})",
    R"({"reference":{"wire":"thin"}})",
    R"({"reference":{"frequency":"1MHz",}})",
    R"({}{})",
    R"({},)",
    R"({"unit":"in",})",
    R"({"fields":{"diameter":"1",}})",
    R"({"unit":"in""mode":"turns"})",
    R"({"unit" "in"})",
    R"([])",
    R"("in")",
    "{\"unit\":\"in\"}\f",
    "{\"unit\":\"in\"}\v",
    std::string("{\"unit\":\"in\"}") + '\0',
};

// Lines with more than one fault, or cut short: the first fault in the line is the answer,
// except that on a line of valid JSON the last "reference" value's fault comes first; on a line
// that is not, the reference is not checked (which of its values counts is not known). A number
// beyond the doubles is a number, too large for any range.
const char* const BAD_REFERENCE =
    "\"reference\" must be true, false, or an object of \"wire_gauge\": N or \"wire_diameter\": "
    "\"X\", \"frequency\": \"F\", \"sweep\": {...}, \"temperature\": C and \"base_height\": "
    "\"B\", each optional";
const std::vector<std::pair<std::string, std::string>> FAULT_ORDER = {
    {R"({"colour":1,"unit":"cm"})", R"(unknown key "colour")"},
    {R"({"unit":"cm","colour":1})", R"("unit" must be "in" or "mm")"},
    {R"({"fields":{"turn":"1"},"unit":"cm"})", R"(unknown field "turn")"},
    {R"({"fields":{"a":"1"},"unit":"cm","fields":{"b":"1"}})", R"(unknown field "a")"},
    {R"({"unit":"cm","mode":"x"})", R"("unit" must be "in" or "mm")"},
    {R"({"colour":1,)", R"(unknown key "colour")"},
    {R"({"unit":"cm" x)", R"("unit" must be "in" or "mm")"},
    {R"({"fields":{"diameter":"1"},"colour")", R"(unknown key "colour")"},
    {R"({"reference":true,"colour":1})", R"(unknown key "colour")"},
    {R"({"reference":true,"colour":1)", R"(unknown key "colour")"},
    {R"({"reference":true,"unit":"in","colour":1)", R"(unknown key "colour")"},
    {R"({"colour":1,"reference":true)", R"(unknown key "colour")"},
    {R"({"reference":true} x)",
     "not valid JSON at column 20: expected the end of the line, found 'x'"},
    {R"({"reference":{"x":1})",
     "not valid JSON at column 21: expected ',' or '}', found the end of the line"},
    {R"({"reference":1,"colour":1)", R"(unknown key "colour")"},
    {R"({"reference":true,"fields":{"diameter":"1","height":"1","turns":"10"})",
     "not valid JSON at column 70: expected ',' or '}', found the end of the line"},
    {R"({"fields":{"turns":"1\"0" x}})",
     "not valid JSON at column 27: expected ',' or '}', found 'x'"},
    {R"({"fields":{"turns":1e400}})", R"(the text of field "turns" must be a string)"},
    {R"({"fields":{"height":"2e400","diameter":"\"3e400","turns":-1e400}})",
     R"(the text of field "turns" must be a string)"},
    {"{\"fields\":{\"turns\":1" + std::string(400, '0') + "}}",
     R"(the text of field "turns" must be a string)"},
    {R"({"reference":{"wire_gauge":1e400},"fields":{"turns":1}})",
     R"("wire_gauge" must be a whole number from -3 (0000) to 200)"},
    {R"({"reference":{"frequency":"1MHz","temperature":-1E+999}})",
     R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
    {R"({"reference":{"temperature":1e400,"frequency":"1MHz","wire_gauge":1e-400}})",
     R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
    {R"({"reference":1e400,"fields":{"turns":"1"} x)",
     "not valid JSON at column 43: expected ',' or '}', found 'x'"},
    {R"([1e400 1e400])", R"(a request must be a JSON object)"},
    {R"({"fields":{"a\"1e400":"1","turns":1e400}})", R"(unknown field "a"1e400")"},
    {R"({"fields":{"turns":1},"reference":{"frequency":"1MHz","temperature":1e400}})",
     R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
    {R"({"reference":1,"colour":1})", BAD_REFERENCE},
    {R"({"reference":1,"reference":true,"colour":2})", R"(unknown key "colour")"},
    {R"({"reference":true,"reference":1})", BAD_REFERENCE},
    {R"({"fields":{"turns":1},"reference":{"frequency":"0"}})",
     R"(the frequency must be above 0, not "0")"},
    {R"({"reference":{"wire_gauge":20,"wire_gauge":"x"}})",
     R"("wire_gauge" must be a whole number from -3 (0000) to 200)"},
    {R"({"reference":{"wire":1,"wire_gauge":99}})", BAD_REFERENCE},
    {R"({"reference":{"wire_gauge":99,"frequency":1}})",
     R"("frequency" must be a text, such as "7.1MHz")"},
    {R"({"reference":{"frequency":1,"wire_diameter":2}})",
     R"("wire_diameter" must be a text, such as "0.5")"},
    {R"({"reference":{"temperature":"x"}})", R"("temperature" needs "frequency" or "sweep")"},
    {R"({"reference":{"temperature":"x","frequency":"1MHz"}})",
     R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
    {R"({"reference":{"wire_diameter":"abc"}})",
     R"(the wire diameter must be a number above 0, not "abc")"},
    {R"({"reference":{"frequency":"1MHz","temperature":500}})",
     R"("temperature" must be a number of degrees Celsius from -50 to 200)"},
    {R"({"reference":{"wire_gauge":[1]}})",
     R"("wire_gauge" must be a whole number from -3 (0000) to 200)"},
    {R"({"reference":{"frequency":{"a":1}}})", R"("frequency" must be a text, such as "7.1MHz")"},
    {R"({"reference":{"wire_gauge":20.5}})",
     R"("wire_gauge" must be a whole number from -3 (0000) to 200)"},
    {R"([{"reference":true}])", R"(a request must be a JSON object)"},
    {R"("x" {)", R"(a request must be a JSON object)"},
    {R"({"fields":{"turns":1,"x":"1"}})", R"(the text of field "turns" must be a string)"},
    {R"({"fields":{"x":{"reference":1}}})", R"(unknown field "x")"},
    {R"({"unit":{"colour":1}})", R"("unit" must be "in" or "mm")"},
    {R"({"mode":"turns","unit":)",
     R"(not valid JSON at column 24: expected a value, found the end of the line)"},
};

struct Reading {
  bool taken;
  SolveCase solveCase;
  WireRequest wire;
  std::string error;
};

void ExpectSameCase(const SolveCase& scanned, const SolveCase& parsed, const std::string& line) {
  EXPECT_EQ(scanned.lengthScale, parsed.lengthScale) << line;
  EXPECT_EQ(scanned.solveMode, parsed.solveMode) << line;
  EXPECT_EQ(scanned.seeds, parsed.seeds) << line;
}

void ExpectSameWire(const WireRequest& a, const WireRequest& b, const std::string& line) {
  EXPECT_EQ(a.wanted, b.wanted) << line;
  EXPECT_EQ(a.hasGauge, b.hasGauge) << line;
  EXPECT_EQ(a.gauge, b.gauge) << line;
  EXPECT_EQ(a.hasDiameter, b.hasDiameter) << line;
  EXPECT_EQ(a.diameter, b.diameter) << line;
  EXPECT_EQ(a.hasFrequency, b.hasFrequency) << line;
  EXPECT_EQ(a.frequency, b.frequency) << line;
  EXPECT_EQ(a.celsius, b.celsius) << line;
}

// Whenever the scan takes a line, the parser takes it too, as the same case and reference.
void CheckAgainstParser(const std::string& line) {
  SolveCase scanned, parsed;
  WireRequest scannedWire, parsedWire;
  std::string error;
  if (!ScanPlainRequest(line, scanned, scannedWire)) return;
  ASSERT_TRUE(ParseSolveCase(line, parsed, parsedWire, error)) << line << ": " << error;
  ExpectSameCase(scanned, parsed, line);
  ExpectSameWire(scannedWire, parsedWire, line);
}

TEST(RequestScan, PlainLinesAreScannedAsTheParserReadsThem) {
  for (const std::string& line : PLAIN_LINES) {
    SolveCase scanned;
    WireRequest wire;
    EXPECT_TRUE(ScanPlainRequest(line, scanned, wire)) << line;
    CheckAgainstParser(line);
  }
}

TEST(RequestScan, OtherLinesAreLeftToTheParser) {
  for (const std::string& line : OTHER_LINES) {
    SolveCase scanned;
    WireRequest wire;
    EXPECT_FALSE(ScanPlainRequest(line, scanned, wire)) << line;
  }
}

TEST(RequestScan, TheFirstFaultIsTheAnswer) {
  for (const auto& [line, error] : FAULT_ORDER) {
    Reading read{};
    EXPECT_FALSE(ReadSolveCase(line, read.solveCase, read.wire, read.error)) << line;
    EXPECT_EQ(read.error, error) << line;
  }
}

// Every line with one byte cut out, doubled or replaced by a few telling ones: the scan either
// leaves it alone or reads it as the parser does; ReadSolveCase's answer is always the parser's.
TEST(RequestScan, DamagedLinesReadAsTheParserReadsThem) {
  std::vector<std::string> lines = PLAIN_LINES;
  lines.insert(lines.end(), OTHER_LINES.begin(), OTHER_LINES.end());
  for (const auto& row : FAULT_ORDER) lines.push_back(row.first);
  const std::string replacements = "\"\\{}[],: \x7f\x80\x1f" + std::string(1, '\0');
  for (const std::string& line : lines) {
    for (std::size_t at = 0; at < line.size(); ++at) {
      std::vector<std::string> damaged = {line.substr(0, at) + line.substr(at + 1),
                                          line.substr(0, at) + line[at] + line.substr(at),
                                          line.substr(0, at)};
      for (char c : replacements) damaged.push_back(line.substr(0, at) + c + line.substr(at + 1));
      for (const std::string& variant : damaged) {
        CheckAgainstParser(variant);
        Reading read{}, parsed{};
        read.taken = ReadSolveCase(variant, read.solveCase, read.wire, read.error);
        parsed.taken = ParseSolveCase(variant, parsed.solveCase, parsed.wire, parsed.error);
        EXPECT_EQ(read.taken, parsed.taken) << variant;
        EXPECT_EQ(read.error, parsed.error) << variant;
        ExpectSameWire(read.wire, parsed.wire, variant);
        if (read.taken && parsed.taken) ExpectSameCase(read.solveCase, parsed.solveCase, variant);
      }
    }
  }
}

}  // namespace
