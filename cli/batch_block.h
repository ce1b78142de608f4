// One block of a batch: reads landed in its own buffer, its whole lines, and their answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "read_input.h"

// The longest request line that is read; a longer one is skipped unread and answered with an error.
constexpr std::size_t MAX_REQUEST_BYTES = std::size_t{16} << 20;

// The bytes of one read (of several while a line is longer than a read), then their answers.
// Lines to answer: an over-long one whose bytes were dropped, if `overLongFirst`, then the
// first `whole` bytes, each line with its line feed; the rest is the start of a line that the
// next block finishes.
struct Block {
  std::vector<char> bytes;  // its size is the room; `length` of it is used
  std::size_t length = 0, whole = 0;
  bool overLongFirst = false, anyError = false, answered = false;
  std::uint64_t inputBytes = 0, lines = 0;  // bytes read into it, for the progress line
  std::string answers;
};

// Empties a block for the next reads, keeping its memory.
void ClearBlock(Block& block);

// Reads once into the block's end, again when a signal interrupted the read: the count, 0 at
// the input's end, or -1 with errno set.
long ReadIntoBlock(Block& block, ReadBytes read, int inputFd);

// Takes in the `got` bytes a read put at the end of a block that held at most the start of one
// line. A line longer than MAX_REQUEST_BYTES is dropped up to its line feed, never held;
// `skipping` says that a read ended within one. Returns true when the block has lines to answer.
bool TakeRead(Block& block, std::size_t got, bool& skipping);

// At the input's end: a last line without a line feed is still a request.
void EndLastLine(Block& block, bool skipping);

// Starts a cleared `next` with the unfinished line that `block` ends with.
void CarryTail(const Block& block, Block& next);

// Appends the answers of the block's lines to its answers, in order.
void AnswerBlock(Block& block);
