// Batch solving: reads request lines in bounded chunks and answers each as soon as it is complete.
#include "batch.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "read_input.h"
#include "reference_output.h"
#include "solve_case.h"

bool AnswerRequestLine(std::string_view line, std::string& answer) {
  if (const std::optional<bool> answered = AnswerReferenceRequest(line, answer)) return *answered;
  static SolveCase solveCase;  // kept, so that its vectors and texts reuse their storage
  std::string error;
  const bool taken = ReadSolveCase(line, solveCase, error);
  if (taken) {
    RunSolveCase(solveCase);
    answer += DumpLine(SolveAnswer());
  } else {
    answer += DumpLine({{"error", error}});
  }
  answer += '\n';
  return taken;
}

namespace {

constexpr std::size_t READ_CHUNK = std::size_t{1} << 16;
// Answers are written out in blocks of about this size, and whenever input runs dry.
constexpr std::size_t WRITE_BLOCK = std::size_t{1} << 16;

struct LineState {
  std::string line;       // the request line read so far
  bool overLong = false;  // the line passed MAX_REQUEST_BYTES: the rest is skipped
  std::string answers;    // answers not yet written
  bool anyError = false;
};

void FinishLine(LineState& state) {
  if (state.overLong) {
    state.answers += DumpLine(
        {{"error", "line longer than " + std::to_string(MAX_REQUEST_BYTES) + " bytes, skipped"}});
    state.answers += '\n';
    state.anyError = true;
  } else if (!AnswerRequestLine(state.line, state.answers)) {
    state.anyError = true;
  }
  state.line.clear();
  state.overLong = false;
}

void TakeBytes(LineState& state, const char* bytes, std::size_t count) {
  if (state.overLong) return;
  if (state.line.size() + count > MAX_REQUEST_BYTES) {
    state.overLong = true;
    state.line.clear();
    state.line.shrink_to_fit();
    return;
  }
  state.line.append(bytes, count);
}

bool WriteAnswers(LineState& state, std::FILE* output) {
  const bool written =
      state.answers.empty() ||
      std::fwrite(state.answers.data(), 1, state.answers.size(), output) == state.answers.size();
  state.answers.clear();
  return written;
}

}  // namespace

int RunBatch(int inputFd, std::FILE* output) {
  std::vector<char> chunk(READ_CHUNK);
  LineState state;
  bool outputFailed = false;
  bool pendingLine = false;  // bytes of an unfinished line have been read
  for (;;) {
    // Whatever has been answered goes out before waiting for more input, so a program that
    // sends one request and waits for its answer is not left waiting.
    outputFailed |= !WriteAnswers(state, output);
    outputFailed |= std::fflush(output) != 0;
    if (outputFailed) break;
    const std::ptrdiff_t got = ReadInput(inputFd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      std::fprintf(stderr, "coilcalc-cli: reading the requests failed: %s\n", std::strerror(errno));
      state.anyError = true;
      break;
    }
    if (got == 0) break;
    const char* next = chunk.data();
    const char* const end = next + got;
    while (next < end) {
      const char* const lineFeed =
          static_cast<const char*>(std::memchr(next, '\n', static_cast<std::size_t>(end - next)));
      if (!lineFeed) {
        TakeBytes(state, next, static_cast<std::size_t>(end - next));
        pendingLine = true;
        break;
      }
      TakeBytes(state, next, static_cast<std::size_t>(lineFeed - next));
      FinishLine(state);
      pendingLine = false;
      next = lineFeed + 1;
      if (state.answers.size() >= WRITE_BLOCK) outputFailed |= !WriteAnswers(state, output);
    }
    if (outputFailed) break;
  }
  // A last line without a line feed is still a request.
  if (pendingLine && !outputFailed) FinishLine(state);
  outputFailed |= !WriteAnswers(state, output);
  outputFailed |= std::fflush(output) != 0;
  if (outputFailed) {
    std::fprintf(stderr, "coilcalc-cli: writing the answers failed\n");
    return 1;
  }
  return state.anyError ? 1 : 0;
}
