// Standard input read in blocks, and standard streams that pass bytes unchanged, on every system.
#pragma once

#include <cstddef>

// The file descriptor of standard input.
constexpr int STANDARD_INPUT = 0;

// Puts standard input, output and error in binary mode where the C library would otherwise
// turn line feeds into CR LF and back (Windows), so that every byte passes as it is.
void UseBinaryStandardStreams();

// Reads up to `size` bytes from the file descriptor: the count read, 0 at its end, or -1 with
// errno set.
std::ptrdiff_t ReadInput(int fd, char* buffer, std::size_t size);

// A way to read like ReadInput, which tests replace to deliver the input as they please.
using ReadBytes = std::ptrdiff_t (*)(int fd, char* buffer, std::size_t size);
