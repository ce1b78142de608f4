// The standard streams through the POSIX calls, or the Windows C library's: the one file of the
// command line that calls either.
#include "read_input.h"

#include <climits>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>

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

bool IsTerminal(int fd) { return _isatty(fd) != 0; }

std::uint64_t RegularFileRemainder(int fd) {
  struct _stat64 status;
  if (_fstat64(fd, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return 0;
  const __int64 at = _lseeki64(fd, 0, SEEK_CUR);
  if (at < 0 || at >= status.st_size) return 0;
  return static_cast<std::uint64_t>(status.st_size - at);
}
#else
#include <sys/stat.h>
#include <unistd.h>

void UseBinaryStandardStreams() {}

std::ptrdiff_t ReadInput(int fd, char* buffer, std::size_t size) {
  return read(fd, buffer, size > SSIZE_MAX ? SSIZE_MAX : size);
}

bool IsTerminal(int fd) { return isatty(fd) == 1; }

std::uint64_t RegularFileRemainder(int fd) {
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  const off_t at = lseek(fd, 0, SEEK_CUR);
  if (at < 0 || at >= status.st_size) return 0;
  return static_cast<std::uint64_t>(status.st_size - at);
}
#endif
