// What a design asks for: the faces' values of its keys, their checks and the one table of
// what each key must be, and the problem in SI units that the designer solves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "coil_design.h"

// The keys of a design, as a request line names them.
enum class DesignKey : std::uint8_t {
  UNIT,
  INDUCTANCE,
  FREQUENCY,
  DIAMETER,
  HEIGHT_MAX,
  WIRE_GAUGES,
  WIRE_DIAMETERS,
  PITCH_MIN,
  RESONANCE_MARGIN,
  TOLERANCE,
  TEMPERATURE,
  COUNT,
};

// A key's name, what its value must be and its value when not given ("": none) as a text:
// the error of a bad value is "KEY" must be MUST_BE (DesignKeyError).
struct DesignKeyRule {
  DesignKey key;
  const char* name;
  const char* mustBe;
  const char* byDefault;
};
extern const DesignKeyRule DESIGN_KEY_RULES[12];

// "NAME" must be WHAT: the error of a bad or missing value of `key`.
std::string DesignKeyError(DesignKey key);
// The rule of a key name, or nullptr.
const DesignKeyRule* FindDesignKey(std::string_view name);

// The other errors of a design request.
inline constexpr const char* DESIGN_NOT_OBJECT =
    "\"design\" must be an object of the design's keys";
inline constexpr const char* DESIGN_TWO_WIRES =
    "give \"wire_gauges\" or \"wire_diameters\", not both";
inline constexpr const char* DESIGN_NOT_ALONE =
    "a design request must hold \"design\" alone, with its unit inside it";

// One value as a face delivered it: a JSON value's kind and text or number, or an option's or
// an input field's text.
struct DesignValue {
  enum Kind : std::uint8_t { ABSENT, TEXT, NUMBER, OTHER };
  Kind kind = ABSENT;
  std::string text;
  double number = 0;
  bool byDefault = false;  // the key's default, a text also where a number must be a number
};

// The values of a design's keys. The command line and the page deliver every value as a text,
// and a number may then be written as a text; in a request line a number must be a number.
struct DesignInput {
  bool numbersAsTexts = false;
  DesignValue unit, inductance, frequency, temperature, heightMax, pitchMin, margin, tolerance,
      count;
  // "diameter": a text, or a range of a "min" and a "max" text.
  bool diameterRange = false;
  DesignValue diameter, diameterMin, diameterMax;
  // "wire_gauges" {"min": N, "max": N}, or "wire_diameters", a list of texts.
  bool hasGauges = false;
  DesignValue gaugeMin, gaugeMax;
  bool hasWireDiameters = false;
  std::vector<DesignValue> wireDiameters;
};

// The values of the design's keys as the command line and the page give them: a text for
// each key in the order of DESIGN_KEY_RULES, empty when not given. "diameter" is a length or
// MIN:MAX, "wire_gauges" a gauge or MIN:MAX, "wire_diameters" lengths parted by commas.
DesignInput DesignInputFromTexts(const std::string (&texts)[12]);

// Checks `input`, key by key in the order of the table, into `problem`; returns false with the
// first fault's error.
bool CheckDesignInput(const DesignInput& input, DesignProblem& problem, std::string& error);
