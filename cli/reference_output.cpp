// The physics reference beside a completed solve, for the command line's text, --json and --batch.
#include "reference_output.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>

#include "coil_model.h"
#include "coil_physics.h"
#include "headless_window.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr double METRES_PER_MILLIMETRE = 0.001;
// The dialog's gauges go to about 1000 for the finest pitch a float holds, and to infinity
// where the pitch is no longer a float.
constexpr float MAX_DIALOG_GAUGE = 100000;

// The dialog's own numbers for the last completed solve, and how it was asked for.
struct DialogValues {
  bool millimetres = false;
  bool turnsMode = false;
  SolvedCoil coil{};
};

DialogValues ReadDialogValues(const SolveCase& solveCase) {
  return {solveCase.lengthScale != INCHES.scale, solveCase.solveMode != SOLVE_FOR_INDUCTANCE,
          lastSolvedCoil};
}

struct SolveReference {
  DialogValues dialog;
  bool byGauge = true;
  int gauge = 0;
  double wire = 0;  // metres
  CoilReference physics;
  double turns = std::numeric_limits<double>::quiet_NaN();  // turns mode only; NaN: none
};

double ToUserUnit(double metres, bool millimetres) {
  return millimetres ? metres / METRES_PER_MILLIMETRE : metres / METRES_PER_INCH;
}

const char* UnitWord(bool millimetres) { return millimetres ? "mm" : "inches"; }

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// Works out the reference of the last solve, which completed; false with the reason when the
// coil and wire have none.
bool ComputeSolveReference(const SolveCase& solveCase, const WireRequest& request,
                           SolveReference& out, std::string& error) {
  out.dialog = ReadDialogValues(solveCase);
  const DialogValues& dialog = out.dialog;
  if (request.hasDiameter) {
    out.byGauge = false;
    out.wire = request.diameter * (dialog.millimetres ? METRES_PER_MILLIMETRE : METRES_PER_INCH);
  } else if (request.hasGauge) {
    out.gauge = request.gauge;
    out.wire = AwgDiameter(out.gauge);
  } else if (dialog.coil.gauge <= MAX_DIALOG_GAUGE) {
    out.gauge = static_cast<int>(dialog.coil.gauge);
    out.wire = AwgDiameter(out.gauge);
  } else {
    // A pitch below any float: the dialog's gauge line reads about 1E+999.
    error = "the winding's pitch is too fine for any wire gauge: name a wire diameter";
    return false;
  }
  const double D = static_cast<double>(dialog.coil.D) * METRES_PER_INCH;
  const double H = static_cast<double>(dialog.coil.H) * METRES_PER_INCH;
  const ReferenceFault fault = ComputeCoilReference(D, H, dialog.coil.N, out.wire, out.physics);
  if (fault == ReferenceFault::WIRE_TOO_THICK) {
    error = "the wire (" + Number(ToUserUnit(out.wire, dialog.millimetres)) + " " +
            UnitWord(dialog.millimetres) + ") is thicker than the pitch of the winding (" +
            Number(ToUserUnit(H / dialog.coil.N, dialog.millimetres)) + " " +
            UnitWord(dialog.millimetres) + ")";
    return false;
  }
  if (fault != ReferenceFault::NONE) {
    error = ReferenceFaultText(fault);
    return false;
  }
  if (dialog.turnsMode) out.turns = ReferenceTurns(D, H, out.wire, dialog.coil.L * 1e-6);
  return true;
}

std::string WireText(const SolveReference& r) {
  const std::string size =
      Number(ToUserUnit(r.wire, r.dialog.millimetres)) + " " + UnitWord(r.dialog.millimetres);
  if (!r.byGauge) return size;
  return "AWG " + std::to_string(r.gauge) + ", " + size;
}

std::string Percent(double dialog, double reference) {
  char text[40];
  std::snprintf(text, sizeof text, "%+.2f%%", 100 * (dialog - reference) / reference);
  return text;
}

std::string Row(const char* label, double reference, double dialog, const char* unit) {
  char text[160];
  std::snprintf(text, sizeof text, "  %-31s %12s %-4s %12s %-4s %9s\n", label,
                Number(reference).c_str(), unit, Number(dialog).c_str(), unit,
                Percent(dialog, reference).c_str());
  return text;
}

std::string ReferenceBlock(const SolveReference& r) {
  const DialogValues& d = r.dialog;
  const CoilReference& p = r.physics;
  std::string block = "Reference, round copper wire " + WireText(r) + ":\n";
  char header[160];
  std::snprintf(header, sizeof header, "  %-31s %17s %17s %9s\n", "", "reference", "dialog",
                "dialog vs");
  block += header;
  block += Row("Inductance, current sheet", p.sheetInductance * 1e6, d.coil.L, "uH");
  block += Row("Inductance, round wire", p.inductance * 1e6, d.coil.L, "uH");
  block += Row("Self-capacitance (Medhurst)", p.selfCapacitance * 1e12, d.coil.C, "pF");
  block += Row("Self-resonance, helical line", p.helicalResonance * 1e-6, d.coil.F, "MHz");
  block += Row("Self-resonance, lumped L and C", p.lumpedResonance * 1e-6, d.coil.F, "MHz");
  if (d.turnsMode) {
    const std::string label = "Turns for " + Number(d.coil.L) + " uH";
    if (std::isnan(r.turns)) {
      char text[200];
      std::snprintf(text, sizeof text, "  %-31s %12s %4s %12s\n", label.c_str(), "none", "",
                    Number(d.coil.N).c_str());
      block += text;
    } else {
      block += Row(label.c_str(), r.turns, d.coil.N, "");
    }
  }
  return block;
}

Json ReferenceObject(const SolveReference& r) {
  Json object = Json::object();
  object["wire_diameter"] = ToUserUnit(r.wire, r.dialog.millimetres);
  object["wire_gauge"] = r.byGauge ? Json(r.gauge) : Json(nullptr);
  object["sheet_inductance_uH"] = r.physics.sheetInductance * 1e6;
  object["inductance_uH"] = r.physics.inductance * 1e6;
  object["self_capacitance_pF"] = r.physics.selfCapacitance * 1e12;
  object["self_resonance_MHz"] = r.physics.helicalResonance * 1e-6;
  object["lumped_resonance_MHz"] = r.physics.lumpedResonance * 1e-6;
  if (r.dialog.turnsMode) object["turns"] = std::isnan(r.turns) ? Json(nullptr) : Json(r.turns);
  return object;
}

// The solve's answer line with the reference object as its last member.
std::string AnswerWithReference(const SolveReference& r) {
  std::string line = DumpLine(SolveAnswer());
  line.pop_back();  // the closing brace
  return line + ",\"reference\":" + DumpLine(ReferenceObject(r)) + "}";
}

const char* const BAD_REFERENCE =
    "\"reference\" must be true, false, {}, {\"wire_gauge\": N} or {\"wire_diameter\": \"X\"}";

// Reads the value of a request's "reference" key.
bool ReadReferenceValue(const Json& value, WireRequest& request, std::string& error) {
  request = WireRequest();
  if (value.is_boolean()) {
    request.wanted = value.get<bool>();
    return true;
  }
  if (!value.is_object() || value.size() > 1) {
    error = BAD_REFERENCE;
    return false;
  }
  request.wanted = true;
  if (value.empty()) return true;
  const Json::const_iterator entry = value.begin();
  const std::string& key = entry.key();
  const Json& wire = entry.value();
  if (key == "wire_gauge") {
    const double gauge = wire.is_number() ? wire.get<double>() : std::nan("");
    if (!(gauge >= MIN_WIRE_GAUGE && gauge <= MAX_WIRE_GAUGE) || gauge != std::floor(gauge)) {
      error = "\"wire_gauge\" must be a whole number from " + std::to_string(MIN_WIRE_GAUGE) +
              " (0000) to " + std::to_string(MAX_WIRE_GAUGE);
      return false;
    }
    request.hasGauge = true;
    request.gauge = static_cast<int>(gauge);
    return true;
  }
  if (key == "wire_diameter") {
    if (!wire.is_string()) {
      error = "\"wire_diameter\" must be a text, such as \"0.5\"";
      return false;
    }
    request.hasDiameter = true;
    return ReadWireDiameter(wire.get_ref<const std::string&>(), request.diameter, error);
  }
  error = BAD_REFERENCE;
  return false;
}

void AppendError(std::string& answer, const std::string& error) {
  answer += DumpLine({{"error", error}});
  answer += '\n';
}

}  // namespace

bool ReadWireDiameter(std::string_view text, double& diameter, std::string& error) {
  const std::string copy(text);
  // Only the characters of a plain decimal number: no blanks, hexadecimal, "inf" or "nan".
  const bool plain =
      !copy.empty() && copy.find_first_not_of("0123456789.eE+-") == std::string::npos;
  char* end = nullptr;
  const double value = plain ? std::strtod(copy.c_str(), &end) : 0;
  if (!plain || end != copy.c_str() + copy.size() || !std::isfinite(value) || !(value > 0)) {
    error = "the wire diameter must be a number above 0, not \"" + copy + "\"";
    return false;
  }
  diameter = value;
  return true;
}

void AddReferenceOptions(CLI::App& app, WireRequest& request) {
  app.add_flag("--reference", request.wanted,
               "Add the physics reference (current sheet, round wire, Medhurst's capacitance, "
               "self-resonance) beside the dialog's results");
  CLI::Option* gauge =
      app.add_option_function<int>(
             "--wire-gauge",
             [&request](int value) {
               request.wanted = request.hasGauge = true;
               request.gauge = value;
             },
             "Reference wire by AWG number (default: the dialog's maximum wire size)")
          ->check(CLI::Range(MIN_WIRE_GAUGE, MAX_WIRE_GAUGE));
  CLI::Option* diameter =
      app.add_option_function<std::string>(
             "--wire-diameter",
             [&request](const std::string& text) {
               std::string error;
               ReadWireDiameter(text, request.diameter, error);
               request.wanted = request.hasDiameter = true;
             },
             "Reference wire by bare diameter, in the unit of length")
          ->check(
              [](const std::string& text) {
                double value;
                std::string error;
                return ReadWireDiameter(text, value, error) ? std::string() : error;
              },
              "DIAMETER");
  gauge->excludes(diameter);
}

int PrintReferenceText(const SolveCase& solveCase, const WireRequest& request) {
  if (!SolveCompleted()) return 0;
  SolveReference reference;
  std::string error;
  if (!ComputeSolveReference(solveCase, request, reference, error)) {
    std::cerr << "Reference: " << error << '\n';
    return 1;
  }
  std::cout << ReferenceBlock(reference);
  return 0;
}

int PrintReferenceJson(const SolveCase& solveCase, const WireRequest& request) {
  if (!SolveCompleted()) {
    std::cout << DumpLine(SolveAnswer()) << '\n';
    return 0;
  }
  SolveReference reference;
  std::string error;
  if (!ComputeSolveReference(solveCase, request, reference, error)) {
    std::cout << DumpLine({{"error", "reference: " + error}}) << '\n';
    return 1;
  }
  std::cout << AnswerWithReference(reference) << '\n';
  return 0;
}

std::optional<bool> AnswerReferenceRequest(std::string_view line, std::string& answer) {
  // Most lines never mention the key: they are not parsed twice.
  if (line.find("\"reference\"") == std::string_view::npos) return std::nullopt;
  Json request = Json::parse(line.begin(), line.end(), nullptr, false);
  if (request.is_discarded() || !request.is_object() || !request.contains("reference"))
    return std::nullopt;

  WireRequest wire;
  std::string error;
  if (!ReadReferenceValue(request["reference"], wire, error)) {
    AppendError(answer, error);
    return false;
  }
  request.erase("reference");
  thread_local SolveCase solveCase;
  if (!ReadSolveCase(DumpLine(request), solveCase, error)) {
    AppendError(answer, error);
    return false;
  }
  RunSolveCase(solveCase);
  SolveReference reference;
  if (!wire.wanted || !SolveCompleted()) {
    answer += DumpLine(SolveAnswer());
  } else if (!ComputeSolveReference(solveCase, wire, reference, error)) {
    AppendError(answer, "reference: " + error);
    return false;
  } else {
    answer += AnswerWithReference(reference);
  }
  answer += '\n';
  return true;
}
