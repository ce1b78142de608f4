// The batch run in-process: input delivered in pieces of any size, by 0 (one thread) to 8
// workers, interrupted reads, a failed read, over-long lines at a read's edge, a last line
// without a line feed; the answers must be those of each line alone, in input order.
#include "batch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "batch_block.h"
#include "solve_case.h"

namespace {

// The input a test delivers: its bytes in pieces of the sizes given, in turn; the read calls
// numbered in `interrupted` fail with EINTR, and the one numbered `failing` with EIO.
struct Delivery {
  std::string bytes;
  std::vector<std::size_t> pieces = {65536};
  std::vector<int> interrupted;
  int failing = -1;
};

Delivery delivery;
std::size_t deliveredTo = 0;
int readCalls = 0;

std::ptrdiff_t ReadDelivery(int, char* buffer, std::size_t size) {
  const int call = readCalls++;
  for (const int at : delivery.interrupted) {
    if (at == call) {
      errno = EINTR;
      return -1;
    }
  }
  if (call == delivery.failing) {
    errno = EIO;
    return -1;
  }
  const std::size_t piece =
      delivery.pieces[static_cast<std::size_t>(call) % delivery.pieces.size()];
  const std::size_t count = std::min({size, piece, delivery.bytes.size() - deliveredTo});
  std::memcpy(buffer, delivery.bytes.data() + deliveredTo, count);
  deliveredTo += count;
  return static_cast<std::ptrdiff_t>(count);
}

struct Outcome {
  std::string out;
  int status;
};

Outcome RunWith(const Delivery& input, unsigned workers) {
  delivery = input;
  deliveredTo = 0;
  readCalls = 0;
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  Outcome outcome;
  outcome.status = RunBatchWith(-1, out, ReadDelivery, workers);
  std::fclose(out);
  outcome.out.assign(text, size);
  std::free(text);
  return outcome;
}

// The answers of the lines, each alone, and the exit status they make.
Outcome Expected(const std::vector<std::string>& lines) {
  Outcome expected{"", 0};
  for (const std::string& line : lines) {
    bool answered;
    if (line.size() > MAX_REQUEST_BYTES) {
      expected.out += "{\"error\":\"line longer than 16777216 bytes, skipped\"}\n";
      answered = false;
    } else {
      answered = AnswerRequestLine(line, expected.out);
    }
    if (!answered) expected.status = 1;
  }
  return expected;
}

std::string Join(const std::vector<std::string>& lines, bool lastLineFeed = true) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  if (!lastLineFeed && !text.empty()) text.pop_back();
  return text;
}

// Requests told apart by their turns, with a bad line, an empty one and a reference now and
// then among them.
std::vector<std::string> Requests(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const std::string turns = std::to_string(2 + i % 997);
    if (i % 101 == 50) {
      lines.emplace_back(i % 2 ? "[]" : "");
    } else if (i % 37 == 5) {
      lines.push_back(R"({"unit":"mm","fields":{"diameter":"20","height":"30","turns":")" + turns +
                      R"("},"reference":{"wire_diameter":"0.5"}})");
    } else {
      lines.push_back(R"({"fields":{"diameter":"1","height":"1","turns":")" + turns + "\"}}");
    }
  }
  return lines;
}

TEST(Batch, AnswersEveryLineInOrderHoweverTheInputComes) {
  struct Case {
    const char* what;
    int lines;
    std::vector<std::size_t> pieces;
    std::vector<unsigned> workers;
  };
  const std::vector<Case> cases = {
      {"one byte at a time", 300, {1}, {0, 1, 8}},
      {"pieces across the lines and the blocks",
       5000,
       {3, 65535, 1, 65537, 200000, 77},
       {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"100,000 lines in blocks", 100000, {65536}, {0, 8}},
      {"100,000 lines in odd pieces", 100000, {4099, 131072, 1}, {3}},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> lines = Requests(c.lines);
    const Outcome expected = Expected(lines);
    ASSERT_EQ(expected.status, 1) << "the bad lines are there";
    for (const unsigned workers : c.workers) {
      const Outcome got = RunWith({Join(lines), c.pieces, {}, -1}, workers);
      EXPECT_EQ(got.status, expected.status) << c.what << ", " << workers << " workers";
      EXPECT_TRUE(got.out == expected.out) << c.what << ", " << workers << " workers";
    }
  }
}

TEST(Batch, EdgesOfTheInput) {
  const std::string good = Requests(1)[0];
  const std::string longest(MAX_REQUEST_BYTES, ' ');  // blanks: an empty request, an error
  const std::string overLong = longest + "{";
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    bool lastLineFeed;
    std::vector<std::size_t> pieces;
    std::vector<int> interrupted;
  };
  const std::vector<Case> cases = {
      {"an empty input", {}, true, {65536}, {}},
      {"only interrupted reads, then the end", {}, true, {65536}, {0, 1, 2}},
      {"a last line without a line feed", {good, good}, false, {5}, {}},
      {"interrupted reads between pieces", {good, "[]", good}, true, {7}, {0, 3, 4, 20}},
      {"the longest line, its line feed in the next read",
       {longest, good},
       true,
       {MAX_REQUEST_BYTES, 65536},
       {}},
      {"a line one byte too long, its last byte in the next read",
       {overLong, good},
       true,
       {MAX_REQUEST_BYTES, 65536},
       {1}},
      {"a line too long, read in blocks", {good, overLong, good}, true, {65536}, {}},
      {"a line too long as the last, without a line feed", {good, overLong}, false, {65536}, {}},
      {"a line too long, then lines enough to fill every block of the ring again",
       [&] {
         std::vector<std::string> lines = {good, overLong};
         for (const std::string& line : Requests(8000)) lines.push_back(line);
         return lines;
       }(),
       true,
       {65536},
       {}},
      {"a line far too long, dropped over many reads",
       {good, std::string(MAX_REQUEST_BYTES + 300000, 'x'), good},
       true,
       {65536},
       {}},
  };
  for (const Case& c : cases) {
    const Outcome expected = Expected(c.lines);
    for (const unsigned workers : {0u, 2u}) {
      const Outcome got =
          RunWith({Join(c.lines, c.lastLineFeed), c.pieces, c.interrupted, -1}, workers);
      EXPECT_EQ(got.status, expected.status) << c.what << ", " << workers << " workers";
      EXPECT_EQ(got.out, expected.out) << c.what << ", " << workers << " workers";
    }
  }
}

// A failed read ends the batch: the lines read whole before it are answered, the one it cut
// is not, and the error says how many were answered.
TEST(Batch, FailedReadEndsTheBatchWithAnErrorAfterTheLinesBeforeIt) {
  const std::vector<std::string> lines = Requests(3);
  const Outcome before = Expected(lines);
  ASSERT_EQ(before.status, 0);
  const std::string error = "coilcalc-cli: reading the requests failed after 3 lines: " +
                            std::string(std::strerror(EIO)) + "\n";
  for (const std::size_t cut : {std::size_t{0}, std::size_t{10}}) {
    for (const unsigned workers : {0u, 4u}) {
      testing::internal::CaptureStderr();
      const Outcome got =
          RunWith({Join(lines) + Join(lines), {Join(lines).size() + cut}, {}, 1}, workers);
      EXPECT_EQ(testing::internal::GetCapturedStderr(), error) << cut << " bytes cut";
      EXPECT_EQ(got.status, 1) << workers << " workers";
      EXPECT_EQ(got.out, before.out) << workers << " workers, " << cut << " bytes cut";
    }
  }
}

}  // namespace
