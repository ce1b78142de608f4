// The replay helper of the solve tests.
#include "replay.h"

#include "dialog_controls.h"
#include "expected_texts.h"
#include "headless_window.h"

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

std::vector<std::string> Replay(const LengthUnit& unit, std::int16_t mode,
                                const FieldTexts& fields) {
  SolveCase solveCase{unit.scale, mode, {}};
  for (const auto& [name, text] : fields) solveCase.seeds.emplace_back(FieldId(name), text);
  RunSolveCase(solveCase);
  return RenderTrace();
}

std::vector<std::string> ReplayAgain(std::int16_t mode) {
  ClearHeadlessTrace();
  solveMode = mode;
  SolveCoil();
  return RenderTrace();
}

std::vector<std::string> Completed(const std::vector<std::string>& results) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < results.size(); ++i) {
    lines.push_back("set " + expected::Results().at(i) + "=" + results[i]);
  }
  return lines;
}

std::string Message(const std::string& caption, const std::string& text) {
  return "message " + caption + ": " + text;
}
