// One block of a batch: reads landed in its own buffer, its whole lines, and their answers.
#include "batch_block.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <string_view>

#include "json_writer.h"
#include "solve_case.h"

namespace {

constexpr std::size_t READ_CHUNK = std::size_t{1} << 16;
// Only the line a block starts with can be over-long: any other lies within one read.
static_assert(READ_CHUNK < MAX_REQUEST_BYTES);

bool TooLong(std::size_t lineBytes) { return lineBytes > MAX_REQUEST_BYTES; }

// Grows by doubling, but from half the longest line straight to the longest line and one read
// (a longer line is dropped), so that the buffer is never copied at 16 MiB.
void MakeRoom(Block& block, std::size_t count) {
  if (block.bytes.size() - block.length >= count) return;
  const std::size_t wanted = block.length + count, doubled = 2 * block.bytes.size();
  block.bytes.resize(doubled < MAX_REQUEST_BYTES
                         ? std::max(doubled, wanted)
                         : std::max(MAX_REQUEST_BYTES + READ_CHUNK, wanted));
}

}  // namespace

void ClearBlock(Block& block) {
  // A block that held a long line gives its memory back.
  if (block.bytes.size() > 4 * READ_CHUNK) block.bytes = std::vector<char>();
  block.length = block.whole = 0;
  block.overLongFirst = block.anyError = block.answered = false;
  block.inputBytes = block.lines = 0;
  block.answers.clear();
}

long ReadIntoBlock(Block& block, ReadBytes read, int inputFd) {
  MakeRoom(block, READ_CHUNK);
  for (;;) {
    const std::ptrdiff_t got = read(inputFd, block.bytes.data() + block.length, READ_CHUNK);
    if (got >= 0 || errno != EINTR) return static_cast<long>(got);
  }
}

bool TakeRead(Block& block, std::size_t got, bool& skipping) {
  const std::size_t at = block.length;
  block.length += got;
  block.inputBytes += got;
  const void* const feed = std::memchr(block.bytes.data() + at, '\n', got);
  const std::size_t lineEnd =
      feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - block.bytes.data())
           : block.length;
  std::size_t lastLineFeedFrom = lineEnd;
  if (skipping || TooLong(lineEnd)) {
    // Only what follows the line stays, in a buffer of one read's size.
    const std::size_t after = feed ? block.length - lineEnd - 1 : 0;
    std::memmove(block.bytes.data(), block.bytes.data() + block.length - after, after);
    block.length = after;
    if (block.bytes.size() > 2 * READ_CHUNK) {
      block.bytes.resize(READ_CHUNK);
      block.bytes.shrink_to_fit();
    }
    skipping = !feed;
    block.overLongFirst = !skipping;
    lastLineFeedFrom = 0;
  }
  if (!feed) return false;
  const char* const data = block.bytes.data();
  const auto lastFeed = std::find(std::make_reverse_iterator(data + block.length),
                                  std::make_reverse_iterator(data + lastLineFeedFrom), '\n');
  block.whole = static_cast<std::size_t>(lastFeed.base() - data);
  return block.overLongFirst || block.whole > 0;
}

void EndLastLine(Block& block, bool skipping) {
  block.overLongFirst = skipping;
  if (block.length == 0) return;
  MakeRoom(block, 1);
  block.bytes[block.length++] = '\n';
  block.whole = block.length;
}

void CarryTail(const Block& block, Block& next) {
  const std::size_t tail = block.length - block.whole;
  MakeRoom(next, tail + READ_CHUNK);
  std::memcpy(next.bytes.data(), block.bytes.data() + block.whole, tail);
  next.length = tail;
}

void AnswerBlock(Block& block) {
  if (block.overLongFirst) {
    AppendErrorLine(block.answers,
                    "line longer than " + std::to_string(MAX_REQUEST_BYTES) + " bytes, skipped");
    block.anyError = true;
    block.lines = 1;
  }
  const char* next = block.bytes.data();
  const char* const end = block.bytes.data() + block.whole;
  while (next < end) {
    const char* const lineFeed =
        static_cast<const char*>(std::memchr(next, '\n', static_cast<std::size_t>(end - next)));
    if (!AnswerRequestLine(std::string_view(next, static_cast<std::size_t>(lineFeed - next)),
                           block.answers))
      block.anyError = true;
    ++block.lines;
    next = lineFeed + 1;
  }
}
