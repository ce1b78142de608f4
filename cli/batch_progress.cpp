// The progress line of a long batch, on standard error when it is a terminal.
#include "batch_progress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "read_input.h"

namespace {

using Clock = std::chrono::steady_clock;

// Updates come this far apart; the first comes with the first answers.
constexpr auto UPDATE_INTERVAL = std::chrono::milliseconds(250);

bool shown = false;
std::uint64_t inputSize = 0;  // bytes of the input from where it stands; 0: not known
Clock::time_point started, lastUpdate;
std::size_t lineWidth = 0;  // of the longest progress line written

// 1234567 -> "1,234,567".
std::string Grouped(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  return digits;
}

std::string Duration(double seconds) {
  const auto whole = static_cast<std::uint64_t>(seconds + 0.5);
  if (whole < 60) return std::to_string(whole) + " s";
  return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
}

void Draw(const std::string& text) {
  std::string line = "\r" + text;
  if (text.size() < lineWidth) line.append(lineWidth - text.size(), ' ');
  lineWidth = std::max(lineWidth, text.size());
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

void StartBatchProgress(int inputFd) {
  shown = IsTerminal(STANDARD_ERROR) && !IsTerminal(STANDARD_OUTPUT);
  if (!shown) return;
  inputSize = RegularFileRemainder(inputFd);
  started = Clock::now();
  lastUpdate = started - UPDATE_INTERVAL;
}

void ReportBatchProgress(std::uint64_t lines, std::uint64_t inputBytes) {
  if (!shown) return;
  const Clock::time_point now = Clock::now();
  if (now - lastUpdate < UPDATE_INTERVAL) return;
  lastUpdate = now;
  const double elapsed = std::chrono::duration<double>(now - started).count();
  std::string text = "coilcalc-cli: " + Grouped(lines) + " lines answered";
  if (elapsed > 0) text += ", " + Grouped(static_cast<std::uint64_t>(lines / elapsed)) + " lines/s";
  if (inputSize > 0 && inputBytes <= inputSize) {
    char percent[16];
    std::snprintf(percent, sizeof percent, ", %.1f%%", 100.0 * inputBytes / inputSize);
    text += percent;
    if (inputBytes > 0)
      text += ", " + Duration(elapsed * (inputSize - inputBytes) / inputBytes) + " left";
  }
  Draw(text);
}

void EndBatchProgress() {
  if (!shown || lineWidth == 0) return;
  Draw("");
  std::fputc('\r', stderr);
  std::fflush(stderr);
}
