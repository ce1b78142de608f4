// Standard input and the standard streams through the POSIX calls, or the Windows C library's.
#include "read_input.h"

#include <climits>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::ptrdiff_t ReadInput(int fd, char* buffer, std::size_t size) {
  // _read takes an unsigned int count.
  const unsigned count = size > INT_MAX ? INT_MAX : static_cast<unsigned>(size);
  return _read(fd, buffer, count);
}
#else
#include <unistd.h>

void UseBinaryStandardStreams() {}

std::ptrdiff_t ReadInput(int fd, char* buffer, std::size_t size) {
  return read(fd, buffer, size > SSIZE_MAX ? SSIZE_MAX : size);
}
#endif
