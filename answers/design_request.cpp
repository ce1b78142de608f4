// The checks of a design's keys, with the one table of what each must be.
#include "design_request.h"

#include <cmath>
#include <cstdlib>

#include "coil_physics.h"
#include "solve_reference.h"

const DesignKeyRule DESIGN_KEY_RULES[12] = {
    {DesignKey::UNIT, "unit", "\"mm\" or \"in\"", "in"},
    {DesignKey::INDUCTANCE, "inductance",
     "a text of an inductance from 1 nH to 1 H, a number and nH, uH or mH, such as \"2.2uH\"", ""},
    {DesignKey::FREQUENCY, "frequency",
     "a text of a frequency from 1 kHz to 1 GHz, a number and Hz, kHz, MHz or GHz, such as "
     "\"7.1MHz\"",
     ""},
    {DesignKey::DIAMETER, "diameter",
     "a text of a length from 0.1 mm to 10 m in the unit, such as \"25\", or {\"min\": TEXT, "
     "\"max\": TEXT} of two such lengths, the min no larger",
     ""},
    {DesignKey::HEIGHT_MAX, "height_max", "a text of a length from 0.1 mm to 10 m in the unit", ""},
    {DesignKey::WIRE_GAUGES, "wire_gauges",
     "{\"min\": N, \"max\": N} of whole AWG numbers from -3 (0000) to 60, the min no larger",
     "10:40"},
    {DesignKey::WIRE_DIAMETERS, "wire_diameters",
     "a list of 1 to 40 texts of bare wire diameters from 0.001 mm to 20 mm in the unit", ""},
    {DesignKey::PITCH_MIN, "pitch_min",
     "a number from 1 to 10, the smallest pitch over the bare wire's diameter", "1.1"},
    {DesignKey::RESONANCE_MARGIN, "resonance_margin",
     "a number from 1.1 to 100, the smallest self-resonance over the frequency", "3"},
    {DesignKey::TOLERANCE, "tolerance",
     "a number from 0.0001 to 0.2, the largest error of the apparent inductance as a fraction",
     "0.01"},
    {DesignKey::TEMPERATURE, "temperature", "a number of degrees Celsius from -50 to 200", "20"},
    {DesignKey::COUNT, "count", "a whole number from 1 to 20", "5"},
};

namespace {

constexpr int GAUGE_MIN = -3, GAUGE_MAX = 60;
constexpr std::size_t MAX_WIRE_DIAMETERS = 40;
constexpr int MAX_COUNT = 20;

// The lengths a request may give, metres.
constexpr double LENGTH_MIN = 1e-4, LENGTH_MAX = 10;
constexpr double WIRE_MIN = 1e-6, WIRE_MAX = 0.02;

struct Range {
  double low, high;
  bool Holds(double value) const { return value >= low && value <= high; }
};

// A plain decimal number above 0 written as a text ("0.5", "1e-3").
bool PositiveText(const std::string& text, double& value) {
  std::string ignored;
  return ReadWireDiameter(text, value, ignored);
}

// A number key's value: a number, or on the command line and the page a text of one.
bool NumberOf(const DesignInput& input, const DesignValue& value, double& number) {
  if (value.kind == DesignValue::NUMBER) {
    number = value.number;
    return std::isfinite(number);
  }
  if (value.kind != DesignValue::TEXT || !(input.numbersAsTexts || value.byDefault)) return false;
  double celsius = 0;
  std::string ignored;
  // A temperature may be 0 or below; ReadTemperature also keeps it in its range.
  if (ReadTemperature(value.text, celsius, ignored)) {
    number = celsius;
    return true;
  }
  return PositiveText(value.text, number);
}

// A length key's text in metres, in the range.
bool LengthOf(const DesignValue& value, double metres, Range range, double& length) {
  return value.kind == DesignValue::TEXT && PositiveText(value.text, length) &&
         range.Holds(length * metres);
}

// "2.2uH", "100 nH", "1mH": henries.
bool InductanceOf(const DesignValue& value, double& henries) {
  if (value.kind != DesignValue::TEXT) return false;
  const std::string& text = value.text;
  const std::size_t unitAt = text.find_last_not_of("nNuUmMhH");
  if (unitAt == std::string::npos || text.size() - unitAt != 3) return false;
  const char prefix = static_cast<char>(text[unitAt + 1] | 0x20);
  const double scale = prefix == 'n' ? 1e-9 : prefix == 'u' ? 1e-6 : prefix == 'm' ? 1e-3 : 0;
  if (scale == 0 || (text[unitAt + 2] | 0x20) != 'h') return false;
  const std::size_t numberEnd = text.find_last_not_of(" \t", unitAt);
  if (numberEnd == std::string::npos) return false;
  double number = 0;
  if (!PositiveText(text.substr(0, numberEnd + 1), number)) return false;
  henries = number * scale;
  return Range{1e-9, 1}.Holds(henries);
}

bool CheckKey(const DesignInput& in, DesignKey key, DesignProblem& p) {
  const double metres = UnitMetres(p);
  double number = 0;
  switch (key) {
    case DesignKey::UNIT:
      p.millimetres = in.unit.text == "mm";
      return in.unit.kind == DesignValue::TEXT && (p.millimetres || in.unit.text == "in");
    case DesignKey::INDUCTANCE:
      return InductanceOf(in.inductance, p.inductance);
    case DesignKey::FREQUENCY: {
      std::string ignored;
      p.frequencyText = in.frequency.text;
      return in.frequency.kind == DesignValue::TEXT &&
             ReadFrequency(in.frequency.text, p.frequency, ignored) &&
             Range{1e3, 1e9}.Holds(p.frequency);
    }
    case DesignKey::DIAMETER: {
      const Range lengths{LENGTH_MIN, LENGTH_MAX};
      if (!in.diameterRange) {
        p.diameterText = in.diameter.text;
        if (!LengthOf(in.diameter, metres, lengths, p.diameterMin)) return false;
        p.diameterMax = p.diameterMin;
        return true;
      }
      return LengthOf(in.diameterMin, metres, lengths, p.diameterMin) &&
             LengthOf(in.diameterMax, metres, lengths, p.diameterMax) &&
             p.diameterMin <= p.diameterMax;
    }
    case DesignKey::HEIGHT_MAX:
      p.heightMax = INFINITY;
      return in.heightMax.kind == DesignValue::ABSENT ||
             LengthOf(in.heightMax, metres, {LENGTH_MIN, LENGTH_MAX}, p.heightMax);
    case DesignKey::WIRE_GAUGES: {
      double low = 0, high = 0;
      if (!in.hasGauges) return true;
      const Range gauges{GAUGE_MIN, GAUGE_MAX};
      if (!NumberOf(in, in.gaugeMin, low) || !NumberOf(in, in.gaugeMax, high) ||
          !gauges.Holds(low) || !gauges.Holds(high) || low > high || low != std::floor(low) ||
          high != std::floor(high))
        return false;
      for (int gauge = static_cast<int>(low); gauge <= static_cast<int>(high); ++gauge)
        p.wires.push_back({AwgDiameter(gauge), true, gauge, ""});
      return true;
    }
    case DesignKey::WIRE_DIAMETERS:
      if (!in.hasWireDiameters) return true;
      if (in.wireDiameters.empty() || in.wireDiameters.size() > MAX_WIRE_DIAMETERS) return false;
      for (const DesignValue& wire : in.wireDiameters) {
        if (!LengthOf(wire, metres, {WIRE_MIN, WIRE_MAX}, number)) return false;
        p.wires.push_back({number * metres, false, 0, wire.text});
      }
      return true;
    case DesignKey::PITCH_MIN:
      return (NumberOf(in, in.pitchMin, p.pitchMin) && Range{1, 10}.Holds(p.pitchMin));
    case DesignKey::RESONANCE_MARGIN:
      return (NumberOf(in, in.margin, p.margin) && Range{1.1, 100}.Holds(p.margin));
    case DesignKey::TOLERANCE:
      return (NumberOf(in, in.tolerance, p.tolerance) && Range{1e-4, 0.2}.Holds(p.tolerance));
    case DesignKey::TEMPERATURE:
      return (NumberOf(in, in.temperature, p.celsius) && IsCopperTemperature(p.celsius));
    case DesignKey::COUNT:
      if (!NumberOf(in, in.count, number) || !Range{1, MAX_COUNT}.Holds(number) ||
          number != std::floor(number))
        return false;
      p.count = static_cast<int>(number);
      return true;
  }
  return false;
}

}  // namespace

std::string DesignKeyError(DesignKey key) {
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    if (rule.key == key) return std::string("\"") + rule.name + "\" must be " + rule.mustBe;
  }
  return "";
}

const DesignKeyRule* FindDesignKey(std::string_view name) {
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    if (name == rule.name) return &rule;
  }
  return nullptr;
}

namespace {

DesignValue Text(const std::string& text) { return {DesignValue::TEXT, text}; }

// A "MIN:MAX" text into the two values, or one text into both.
void SplitRange(const std::string& text, DesignValue& low, DesignValue& high) {
  const std::size_t colon = text.find(':');
  low = Text(text.substr(0, colon));
  high = Text(colon == std::string::npos ? text : text.substr(colon + 1));
}

}  // namespace

namespace {

// `input` with the default of every key it does not give, as the table writes it.
DesignInput WithDefaults(const DesignInput& input) {
  DesignInput in = input;
  DesignValue* const plain[] = {&in.unit,      &in.inductance, &in.frequency,   nullptr,
                                &in.heightMax, nullptr,        nullptr,         &in.pitchMin,
                                &in.margin,    &in.tolerance,  &in.temperature, &in.count};
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    DesignValue* value = plain[static_cast<int>(rule.key)];
    if (value && value->kind == DesignValue::ABSENT && *rule.byDefault)
      *value = {DesignValue::TEXT, rule.byDefault, 0, true};
  }
  if (!in.hasGauges && !in.hasWireDiameters) {
    in.hasGauges = true;
    SplitRange(DESIGN_KEY_RULES[static_cast<int>(DesignKey::WIRE_GAUGES)].byDefault, in.gaugeMin,
               in.gaugeMax);
    in.gaugeMin.byDefault = in.gaugeMax.byDefault = true;
  }
  return in;
}

}  // namespace

DesignInput DesignInputFromTexts(const std::string (&texts)[12]) {
  DesignInput in;
  in.numbersAsTexts = true;
  const auto text = [&texts](DesignKey key) -> const std::string& {
    return texts[static_cast<int>(key)];
  };
  // The keys of one text each, in the table's order; the others are read below.
  DesignValue* const plain[] = {&in.unit,      &in.inductance, &in.frequency,   nullptr,
                                &in.heightMax, nullptr,        nullptr,         &in.pitchMin,
                                &in.margin,    &in.tolerance,  &in.temperature, &in.count};
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    DesignValue* value = plain[static_cast<int>(rule.key)];
    if (value && !text(rule.key).empty()) *value = Text(text(rule.key));
  }
  const std::string& diameter = text(DesignKey::DIAMETER);
  if (!diameter.empty()) {
    in.diameterRange = diameter.find(':') != std::string::npos;
    in.diameter = Text(diameter);
    if (in.diameterRange) SplitRange(diameter, in.diameterMin, in.diameterMax);
  }
  if (!text(DesignKey::WIRE_GAUGES).empty()) {
    in.hasGauges = true;
    SplitRange(text(DesignKey::WIRE_GAUGES), in.gaugeMin, in.gaugeMax);
  }
  const std::string& wires = text(DesignKey::WIRE_DIAMETERS);
  if (!wires.empty()) {
    in.hasWireDiameters = true;
    std::size_t start = 0;
    for (std::size_t comma; (comma = wires.find(',', start)) != std::string::npos;
         start = comma + 1)
      in.wireDiameters.push_back(Text(wires.substr(start, comma - start)));
    in.wireDiameters.push_back(Text(wires.substr(start)));
  }
  return in;
}

bool CheckDesignInput(const DesignInput& input, DesignProblem& problem, std::string& error) {
  problem = DesignProblem();
  error.clear();
  if (input.hasGauges && input.hasWireDiameters) {
    error = DESIGN_TWO_WIRES;
    return false;
  }
  const DesignInput withDefaults = WithDefaults(input);
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    if (!CheckKey(withDefaults, rule.key, problem)) {
      error = DesignKeyError(rule.key);
      return false;
    }
  }
  return true;
}
