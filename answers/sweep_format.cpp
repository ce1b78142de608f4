// The sweep's table, JSON member, Touchstone file and SPICE model.
#include "sweep_format.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <utility>
#include <vector>

#include "json_writer.h"
#include "version.h"

namespace {

// The Touchstone file's reference impedance: the one every simulator and analyser takes.
constexpr double REFERENCE_OHMS = 50;

std::string Number(double value) {
  std::string text;
  AppendJsonNumberDigits(text, value, SWEEP_DIGITS);
  return text;
}

std::string SixDigits(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// The coil, its wire and copper, and the circuit that stands for it, as comment lines that
// begin with `mark`.
std::string Description(const SolveReference& r, const char* mark) {
  const char* unit = r.unit == &INCHES ? "in" : "mm";
  const double metresPerInch = METRES_PER_INCH;
  const auto length = [&](double inches) {
    return SixDigits(InUnit(inches * metresPerInch, *r.unit)) + " " + unit;
  };
  std::string wire = SixDigits(InUnit(r.wire, *r.unit)) + " " + unit;
  if (r.byGauge) wire = "AWG " + std::to_string(r.gauge) + ", " + wire;
  const std::string lines[] = {
      "Coil: form " + length(r.coil.D) + " across, winding " + length(r.coil.H) + " long, " +
          SixDigits(r.coil.N) + " turns",
      "of round copper wire (" + wire + ") at " + SixDigits(r.celsius) + " C.",
      std::string("Made by coilcalc ") + VERSION_TEXT + " from its physics reference: the copper's",
      "resistance with skin and proximity effect and the round-wire inductance, " +
          SixDigits(r.circuit.inductance * 1e6) + " uH,",
      "in series, with " + SixDigits(r.circuit.capacitance * 1e12) +
          " pF across them so that they resonate at the self-resonance",
      "estimate, " + FrequencyText(r.circuit.selfResonance) +
          ". One resonance only: the coil's higher ones are not in it.",
  };
  std::string text;
  for (const std::string& line : lines) text += std::string(mark) + " " + line + "\n";
  return text;
}

std::string Band(const SweepBand& band) {
  return FrequencyText(band.from) + " to " + FrequencyText(band.to);
}

}  // namespace

std::string FrequencyText(double hertz) {
  const std::pair<double, const char*> units[] = {{1e9, "GHz"}, {1e6, "MHz"}, {1e3, "kHz"}};
  for (const auto& [scale, name] : units) {
    if (hertz >= scale) return SixDigits(hertz / scale) + " " + name;
  }
  return SixDigits(hertz) + " Hz";
}

std::string SweepTable(const SolveReference& r) {
  if (!r.swept) return "";
  std::string table = "Impedance over " + Band(r.band) + ", the coil with " +
                      SixDigits(r.circuit.capacitance * 1e12) + " pF across it (resonance " +
                      FrequencyText(r.circuit.selfResonance) + "):\n";
  char line[160];
  std::snprintf(line, sizeof line, "  %-14s %12s %12s %12s %12s\n", "frequency", "R ohm", "X ohm",
                "|Z| ohm", "Q");
  table += line;
  for (const ImpedancePoint& p : r.sweep) {
    std::snprintf(line, sizeof line, "  %-14s %12s %12s %12s %12s\n",
                  FrequencyText(p.frequency).c_str(), SixDigits(p.resistance).c_str(),
                  SixDigits(p.reactance).c_str(),
                  SixDigits(std::hypot(p.resistance, p.reactance)).c_str(),
                  SixDigits(p.reactance / p.resistance).c_str());
    table += line;
  }
  return table;
}

void AppendSweepMember(std::string& out, const SolveReference& r) {
  if (!r.swept) return;
  AppendJsonKey(out, "sweep");
  out += '[';
  for (const ImpedancePoint& p : r.sweep) {
    if (out.back() != '[') out += ',';
    AppendJsonKey(out.append("{"), "frequency_Hz", true);
    AppendJsonNumberDigits(out, p.frequency, SWEEP_DIGITS);
    AppendJsonKey(out, "resistance_ohm");
    AppendJsonNumberDigits(out, p.resistance, SWEEP_DIGITS);
    AppendJsonKey(out, "reactance_ohm");
    AppendJsonNumberDigits(out, p.reactance, SWEEP_DIGITS);
    out += '}';
  }
  out += ']';
}

std::string TouchstoneFile(const SolveReference& r) {
  std::string file = Description(r, "!");
  file += "! " + Band(r.band) + ", " + std::to_string(r.band.points) +
          " points spaced logarithmically\n";
  file += "! S11 of the coil between the two ends of its winding, 50 ohms: frequency,\n";
  file += "! real part, imaginary part\n";
  file += "# Hz S RI R 50\n";
  for (const ImpedancePoint& p : r.sweep) {
    // S = (Z - 50) / (Z + 50), divided out by hand: the same digits from every C library.
    const double re = p.resistance + REFERENCE_OHMS, im = p.reactance;
    const double scale = re * re + im * im;
    const double sRe = ((p.resistance - REFERENCE_OHMS) * re + im * im) / scale;
    const double sIm = (im * re - (p.resistance - REFERENCE_OHMS) * im) / scale;
    file += Number(p.frequency) + " " + Number(sRe) + " " + Number(sIm) + "\n";
  }
  return file;
}

std::string SpiceModel(const SolveReference& r) {
  const LadderFit& fit = r.ladder;
  std::string model = Description(r, "*");
  char line[240];
  std::snprintf(line, sizeof line,
                "* Fitted over %s: a series inductance and resistance, then %d branches\n"
                "* of a resistance with an inductance across it. Worst error over the band:\n"
                "* %.2g %% in the resistance, %.2g %% in the reactance.\n",
                Band(r.band).c_str(), fit.branches, 100 * fit.worstResistanceError,
                100 * fit.worstReactanceError);
  model += line;
  model += ".subckt coil 1 2\n";
  // The series parts from pin 1 to pin 2: the inductance, the resistance, the branches.
  std::vector<std::pair<std::string, std::string>> parts;  // name and value of one, or two
  parts.emplace_back("Ls", Number(fit.seriesInductance));
  if (fit.seriesResistance > 0) parts.emplace_back("Rs", Number(fit.seriesResistance));
  for (int k = 0; k < fit.branches; ++k)
    parts.emplace_back(std::to_string(k + 1),
                       Number(fit.branchResistance[k]) + " " + Number(fit.branchInductance[k]));
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::string ends = (k == 0 ? std::string("1") : std::to_string(k + 2)) + " " +
                             (k + 1 == parts.size() ? std::string("2") : std::to_string(k + 3));
    const auto& [name, value] = parts[k];
    const std::size_t blank = value.find(' ');
    if (blank == std::string::npos) {
      model += name + " " + ends + " " + value + "\n";
    } else {  // a branch: its resistance and, across it, its inductance
      model += "R" + name + " " + ends + " " + value.substr(0, blank) + "\n";
      model += "L" + name + " " + ends + " " + value.substr(blank + 1) + "\n";
    }
  }
  model += "C1 1 2 " + Number(fit.capacitance) + "\n";
  model += ".ends coil\n";
  return model;
}

std::string SweepOptionText(const SweepBand& band) {
  char text[120];
  std::snprintf(text, sizeof text, "%.0fHz:%.0fHz", band.from, band.to);
  std::string option = text;
  if (band.points != DEFAULT_SWEEP_POINTS) option += ":" + std::to_string(band.points);
  return option;
}

void AppendSweepPlot(std::string& out, const SolveReference& r, double frequency) {
  out += '{';
  AppendJsonKey(out, "band", true);
  AppendJsonString(out, SweepOptionText(r.band));
  AppendJsonKey(out, "bandText");
  AppendJsonString(out, Band(r.band));
  AppendJsonKey(out, "frequency");
  AppendJsonNumberDigits(out, frequency, SWEEP_DIGITS);
  AppendJsonKey(out, "resonance");
  AppendJsonNumberDigits(out, r.circuit.selfResonance, SWEEP_DIGITS);
  AppendJsonKey(out, "points");
  out += '[';
  for (const ImpedancePoint& p : r.sweep) {
    if (out.back() != '[') out += ',';
    out += '[';
    AppendJsonNumberDigits(out, p.frequency, SWEEP_DIGITS);
    out += ',';
    AppendJsonNumberDigits(out, p.resistance, SWEEP_DIGITS);
    out += ',';
    AppendJsonNumberDigits(out, p.reactance, SWEEP_DIGITS);
    out += ']';
  }
  out += ']';
  AppendJsonKey(out, "touchstone");
  AppendJsonString(out, TouchstoneFile(r));
  AppendJsonKey(out, "spice");
  AppendJsonString(out, SpiceModel(r));
  out += '}';
}
