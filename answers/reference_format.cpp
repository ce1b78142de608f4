// Labels, digits and layout of the physics reference, for every face that shows it.
#include "reference_format.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "json_writer.h"
#include "sweep_format.h"

namespace {

// The column titles over the values.
constexpr const char* COLUMNS[] = {"", "reference", "dialog", "dialog vs"};

const char* UnitWord(const LengthUnit& unit) { return &unit == &INCHES ? "inches" : "mm"; }

std::string SixDigits(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// One quantity: the reference's value beside the dialog's.
struct ReferenceRow {
  std::string label;
  double reference;  // NaN: none
  double dialog;     // NaN: the dialog has no such value
  const char* unit;
};

constexpr double NO_DIALOG_VALUE = std::numeric_limits<double>::quiet_NaN();

// A frequency in hertz, kilohertz, megahertz or gigahertz, whichever keeps it from 1 to 1000.
std::pair<double, const char*> FrequencyInUnit(double hertz) {
  const std::pair<double, const char*> units[] = {{1e9, "GHz"}, {1e6, "MHz"}, {1e3, "kHz"}};
  for (const auto& [scale, name] : units) {
    if (hertz >= scale) return {hertz / scale, name};
  }
  return {hertz, "Hz"};
}

// The coil at the frequency asked for: the reference's values alone.
void AppendFrequencyRows(std::vector<ReferenceRow>& rows, const SolveReference& r) {
  const FrequencyReference& f = r.frequency;
  const auto [frequency, frequencyUnit] = FrequencyInUnit(f.frequency);
  const ReferenceRow more[] = {
      {"Frequency", frequency, NO_DIALOG_VALUE, frequencyUnit},
      {"Copper temperature", r.celsius, NO_DIALOG_VALUE, "C"},
      {"Resistance, DC", f.dcResistance, NO_DIALOG_VALUE, "ohm"},
      {"Resistance, skin and proximity", f.acResistance, NO_DIALOG_VALUE, "ohm"},
      {"Q", f.q, NO_DIALOG_VALUE, ""},
      {"Inductance, apparent", f.apparentInductance * 1e6, NO_DIALOG_VALUE, "uH"},
      {"Resistance, apparent", f.apparentResistance, NO_DIALOG_VALUE, "ohm"},
      {"Q, apparent", f.apparentQ, NO_DIALOG_VALUE, ""},
      {"Tuning capacitance", f.tuningCapacitance * 1e12, NO_DIALOG_VALUE, "pF"},
  };
  rows.insert(rows.end(), std::begin(more), std::end(more));
}

std::vector<ReferenceRow> ReferenceRows(const SolveReference& r) {
  const CoilReference& p = r.physics;
  std::vector<ReferenceRow> rows = {
      {"Inductance, current sheet", p.sheetInductance * 1e6, r.coil.L, "uH"},
      {"Inductance, round wire", p.inductance * 1e6, r.coil.L, "uH"},
      {"Self-capacitance (Medhurst)", p.selfCapacitance * 1e12, r.coil.C, "pF"},
      {"Self-resonance, sheath helix", p.selfResonance * 1e-6, r.coil.F, "MHz"},
      {"Self-resonance, Kandoian-Sichak", p.helicalResonance * 1e-6, r.coil.F, "MHz"},
      {"Self-resonance, lumped L and C", p.lumpedResonance * 1e-6, r.coil.F, "MHz"},
  };
  if (r.grounded) {
    rows.push_back(
        {"Base height above ground", r.baseHeightAsGiven, NO_DIALOG_VALUE, UnitWord(*r.unit)});
    rows.push_back(
        {"Resonance, base grounded", r.groundedResonance * 1e-6, NO_DIALOG_VALUE, "MHz"});
  }
  if (r.turnsMode)
    rows.push_back({"Turns for " + SixDigits(r.coil.L) + " uH", r.turns, r.coil.N, ""});
  if (r.atFrequency) AppendFrequencyRows(rows, r);
  return rows;
}

std::string Difference(double dialog, double reference) {
  char text[40];
  std::snprintf(text, sizeof text, "%+.2f%%", 100 * (dialog - reference) / reference);
  return text;
}

std::string WithUnit(double value, const char* unit) {
  return *unit ? SixDigits(value) + " " + unit : SixDigits(value);
}

std::string Heading(const SolveReference& r) {
  std::string size = SixDigits(InUnit(r.wire, *r.unit)) + " " + UnitWord(*r.unit);
  if (r.byGauge) size = "AWG " + std::to_string(r.gauge) + ", " + size;
  return "Reference, round copper wire " + size + ":";
}

}  // namespace

const char* ReferenceFaultText(ReferenceFault fault) {
  switch (fault) {
    case ReferenceFault::NONE:
      return "no fault";
    case ReferenceFault::BAD_DIMENSIONS:
      return "the diameter and the height must be numbers above 0";
    case ReferenceFault::BAD_TURNS:
      return "the number of turns must be a number of 1 or more";
    case ReferenceFault::BAD_WIRE:
      return "the wire diameter must be a number above 0";
    case ReferenceFault::WIRE_TOO_THICK:
      return "the wire does not fit the winding: it is thicker than the pitch";
    case ReferenceFault::OUT_OF_RANGE:
      return "the coil is too large or too small for the reference's arithmetic";
    case ReferenceFault::BAD_FREQUENCY:
      return "the frequency must be a number above 0";
    case ReferenceFault::FREQUENCY_OUT_OF_RANGE:
      return "the frequency is too high or too low for the reference's arithmetic";
    case ReferenceFault::BAD_TEMPERATURE:
      return "the temperature must be a number above -234 degrees Celsius";
    case ReferenceFault::BAD_BASE_HEIGHT:
      return "the base height must be a number of 0 or more";
    case ReferenceFault::BASE_TOO_HIGH:
      return "the base height is more than 1000 times the winding's height";
  }
  return "unknown fault";
}

std::string WhyNoReference(const SolveReference& r) {
  if (r.noGauge) return "the winding's pitch is too fine for any wire gauge: name a wire diameter";
  if (r.bandOutOfReach)
    return "the band " + FrequencyText(r.band.from) + " to " + FrequencyText(r.band.to) +
           " reaches frequencies too high or too low for the reference's arithmetic";
  if (r.fault == ReferenceFault::WIRE_TOO_THICK) {
    const double pitch = static_cast<double>(r.coil.H) * METRES_PER_INCH / r.coil.N;
    return "the wire (" + SixDigits(InUnit(r.wire, *r.unit)) + " " + UnitWord(*r.unit) +
           ") is thicker than the pitch of the winding (" + SixDigits(InUnit(pitch, *r.unit)) +
           " " + UnitWord(*r.unit) + ")";
  }
  if (r.fault == ReferenceFault::BASE_TOO_HIGH) {
    const double H = static_cast<double>(r.coil.H) * METRES_PER_INCH;
    return "the base height (" + SixDigits(r.baseHeightAsGiven) + " " + UnitWord(*r.unit) +
           ") is more than " + SixDigits(MAX_BASE_OVER_HEIGHT) + " times the winding's height (" +
           SixDigits(InUnit(H, *r.unit)) + " " + UnitWord(*r.unit) + ")";
  }
  return ReferenceFaultText(r.fault);
}

std::string ReferenceBlock(const SolveReference& r) {
  std::string block = Heading(r) + "\n";
  char line[240];
  std::snprintf(line, sizeof line, "  %-31s %17s %17s %9s\n", COLUMNS[0], COLUMNS[1], COLUMNS[2],
                COLUMNS[3]);
  block += line;
  for (const ReferenceRow& row : ReferenceRows(r)) {
    if (std::isnan(row.dialog)) {
      const std::string value = std::isnan(row.reference) ? "none" : SixDigits(row.reference);
      std::snprintf(line, sizeof line, "  %-31s %12s%s%s\n", row.label.c_str(), value.c_str(),
                    *row.unit && value != "none" ? " " : "", value != "none" ? row.unit : "");
    } else if (std::isnan(row.reference)) {
      std::snprintf(line, sizeof line, "  %-31s %12s %4s %12s\n", row.label.c_str(), "none", "",
                    SixDigits(row.dialog).c_str());
    } else {
      std::snprintf(line, sizeof line, "  %-31s %12s %-4s %12s %-4s %9s\n", row.label.c_str(),
                    SixDigits(row.reference).c_str(), row.unit, SixDigits(row.dialog).c_str(),
                    row.unit, Difference(row.dialog, row.reference).c_str());
    }
    block += line;
  }
  return block;
}

void AppendWireGauge(std::string& out, const SolveReference& r) {
  AppendJsonKey(out, "wire_gauge");
  if (r.byGauge) {
    AppendJsonInteger(out, r.gauge);
  } else {
    out += "null";
  }
}

void AppendReferenceMember(std::string& out, const SolveReference& r) {
  const CoilReference& p = r.physics;
  AppendJsonKey(out, "reference");
  AppendJsonKey(out.append("{"), "wire_diameter", true);
  AppendJsonNumber(out, InUnit(r.wire, *r.unit));
  AppendWireGauge(out, r);
  const std::pair<const char*, double> values[] = {
      {"sheet_inductance_uH", p.sheetInductance * 1e6},
      {"inductance_uH", p.inductance * 1e6},
      {"self_capacitance_pF", p.selfCapacitance * 1e12},
      {"self_resonance_MHz", p.selfResonance * 1e-6},
      {"lumped_resonance_MHz", p.lumpedResonance * 1e-6},
  };
  for (const auto& [name, value] : values) {
    AppendJsonKey(out, name);
    AppendJsonNumber(out, value);
  }
  if (r.grounded) {
    AppendJsonKey(out, "base_height");
    AppendJsonNumber(out, r.baseHeightAsGiven);
    AppendJsonKey(out, "grounded_resonance_MHz");
    AppendJsonNumber(out, r.groundedResonance * 1e-6);
  }
  if (r.turnsMode) {
    AppendJsonKey(out, "turns");
    AppendJsonNumber(out, r.turns);  // NaN, no turns, is null
  }
  if (r.atFrequency) {
    const FrequencyReference& f = r.frequency;
    const std::pair<const char*, double> atFrequency[] = {
        {"frequency_Hz", f.frequency},
        {"dc_resistance_ohm", f.dcResistance},
        {"ac_resistance_ohm", f.acResistance},
        {"q", f.q},
        {"apparent_inductance_uH", f.apparentInductance * 1e6},
        {"apparent_q", f.apparentQ},
        {"tuning_capacitance_pF", f.tuningCapacitance * 1e12},
    };
    for (const auto& [name, value] : atFrequency) {
      AppendJsonKey(out, name);
      AppendJsonNumber(out, value);  // NaN, none, is null
    }
  }
  AppendSweepMember(out, r);
  out += '}';
}

void AppendRefusalPanel(std::string& out, const std::string& heading) {
  out += '{';
  AppendJsonKey(out, "heading", true);
  AppendJsonString(out, heading);
  out += ",\"columns\":[],\"rows\":[]}";
}

void AppendReferencePanel(std::string& out, const SolveReference& r, bool worked) {
  if (!worked)
    return AppendRefusalPanel(out, "No reference for this coil: " + WhyNoReference(r) + ".");
  out += '{';
  AppendJsonKey(out, "heading", true);
  AppendJsonString(out, Heading(r));
  AppendJsonKey(out, "columns");
  out += '[';
  for (const char* column : COLUMNS) {
    AppendJsonComma(out);
    AppendJsonString(out, column);
  }
  out += ']';
  AppendJsonKey(out, "rows");
  out += '[';
  for (const ReferenceRow& row : ReferenceRows(r)) {
    AppendJsonComma(out);
    out += '[';
    const bool none = std::isnan(row.reference);
    const bool noDialog = std::isnan(row.dialog);
    const std::string cells[] = {row.label, none ? "none" : WithUnit(row.reference, row.unit),
                                 noDialog ? "" : WithUnit(row.dialog, row.unit),
                                 none || noDialog ? "" : Difference(row.dialog, row.reference)};
    for (const std::string& cell : cells) {
      AppendJsonComma(out);
      AppendJsonString(out, cell);
    }
    out += ']';
  }
  out += "]}";
}
