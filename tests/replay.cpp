// The replay helper of the solve tests.
#include "replay.h"

#include "headless_window.h"
#include "solve.h"

namespace {

std::vector<std::string> RenderTrace() {
  std::vector<std::string> lines;
  for (const TraceEntry& entry : HeadlessTrace()) {
    lines.push_back(entry.isMessage ? Message(entry.subject, entry.text)
                                    : "set " + entry.subject + "=" + entry.text);
  }
  return lines;
}

}  // namespace

std::vector<std::string> Replay(Unit unit, Mode mode, const FieldTexts& fields) {
  ResetHeadlessDialog();
  for (const auto& [name, text] : fields) SeedControlText(FieldId(name), text);
  lengthScale = unit == Unit::Inches ? 1.0f : MILLIMETRES_PER_INCH;
  solveMode = static_cast<std::int16_t>(mode);
  SolveCoil();
  return RenderTrace();
}

std::vector<std::string> ReplayAgain(Mode mode) {
  ClearHeadlessTrace();
  solveMode = static_cast<std::int16_t>(mode);
  SolveCoil();
  return RenderTrace();
}

std::vector<std::string> Completed(const std::string& inductance, const std::string& unit,
                                   const std::string& turns, const std::string& wireLength,
                                   const std::string& wireSize, const std::string& capacitance,
                                   const std::string& resonance) {
  return {"set inductance=" + inductance, "set inductance_unit=" + unit,
          "set turns=" + turns,           "set wire_length=" + wireLength,
          "set wire_size=" + wireSize,    "set capacitance=" + capacitance,
          "set resonance=" + resonance};
}

std::string Message(const std::string& caption, const std::string& text) {
  return "message " + caption + ": " + text;
}
