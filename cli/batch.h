// Batch solving: JSON Lines requests in, one answer line per request line out, streaming.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "solve_reference.h"

// The longest request line that is read; a longer one is skipped unread and answered with an error.
constexpr std::size_t MAX_REQUEST_BYTES = std::size_t{16} << 20;

// Reads request lines from the file descriptor until its end and writes the answers in order.
// Returns the exit status: 0 when every line was answered, 1 when any line got an error.
int RunBatch(int inputFd, std::FILE* output);

// Reads up to `size` bytes: the count, 0 at the input's end, or -1 with errno set (ReadInput).
using ReadBytes = std::ptrdiff_t (*)(int fd, char* buffer, std::size_t size);
// RunBatch with the reading and the number of workers chosen (0: the reader answers and writes
// each block itself, as on one core), so that tests can deliver the input as they please. The
// workers are started once for the process: a later batch that asks for fewer is answered by
// all that were started, with as few blocks in hand as it asked for.
int RunBatchWith(int inputFd, std::FILE* output, ReadBytes read, unsigned workers);
