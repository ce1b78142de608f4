// The standard streams on every system: input read in blocks, bytes passed unchanged, terminals.
#pragma once

#include <cstddef>
#include <cstdint>

// The file descriptor of standard input.
constexpr int STANDARD_INPUT = 0;
constexpr int STANDARD_OUTPUT = 1;
constexpr int STANDARD_ERROR = 2;

// Puts standard input, output and error in binary mode where the C library would otherwise
// turn line feeds into CR LF and back (Windows), so that every byte passes as it is.
void UseBinaryStandardStreams();

// Reads up to `size` bytes from the file descriptor: the count read, 0 at its end, or -1 with
// errno set.
std::ptrdiff_t ReadInput(int fd, char* buffer, std::size_t size);

// A way to read like ReadInput, which tests replace to deliver the input as they please.
using ReadBytes = std::ptrdiff_t (*)(int fd, char* buffer, std::size_t size);

// Whether the file descriptor is a terminal (a console on Windows).
bool IsTerminal(int fd);

// The bytes of the file descriptor from where it stands to its end, when it is a regular file;
// 0 for anything else (a pipe, a terminal) or when not known.
std::uint64_t RegularFileRemainder(int fd);
