// Batch solving: JSON Lines requests in, one answer line per request line out, streaming.
#pragma once

#include <cstdio>

#include "read_input.h"

// Reads request lines from the file descriptor until its end and writes the answers in order.
// Returns the exit status: 0 when every line was answered, 1 when any line got an error.
int RunBatch(int inputFd, std::FILE* output);

// RunBatch with the reading and the number of workers chosen (0: the reader answers and writes
// each block itself, as on one core), so that tests can deliver the input as they please. The
// workers are started once for the process: a later batch that asks for fewer is answered by
// all that were started, with as few blocks in hand as it asked for.
int RunBatchWith(int inputFd, std::FILE* output, ReadBytes read, unsigned workers);
