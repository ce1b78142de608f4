// The progress line of a long batch, on standard error when it is a terminal.
#pragma once

#include <cstdint>

// Decides whether to show progress: only when standard error is a terminal and standard output
// is not (answers on the terminal show their own progress). When the input is a regular file,
// its size gives a percentage and the time left.
void StartBatchProgress(int inputFd);

// Lines answered and input bytes they came from, so far; shown a few times a second.
void ReportBatchProgress(std::uint64_t lines, std::uint64_t inputBytes);

// Clears the progress line.
void EndBatchProgress();
