#!/usr/bin/env bash
# Checks the committed sources before anything is built: no program file outside the few that
# branch on the platform includes a POSIX header (Visual Studio has none of them), and no build
# output is committed. Prints each offence; exit status 1 when there is any.
#   scripts/check-sources.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# The files that choose between the POSIX calls and the Windows C library's.
platform_files=(cli/read_input.cpp)

# Headers of POSIX that are not C or C++ headers (sys/stat.h, sys/types.h and fcntl.h also come
# with Visual Studio, but with other names inside, so they count as POSIX here too).
posix='(aio|dirent|dlfcn|fcntl|fnmatch|ftw|glob|grp|iconv|langinfo|libgen|mqueue|netdb|nl_types'
posix+='|poll|pthread|pwd|regex|sched|semaphore|spawn|strings|syslog|termios|ulimit|unistd|utime'
posix+='|utmpx|wordexp|sys/[a-z_]+|arpa/[a-z_]+|net/[a-z_]+|netinet/[a-z_]+)\.h'

status=0
# The programs' sources: the tests, benchmarks and fuzz targets build for Linux only.
while IFS= read -r -d '' file; do
  for allowed in "${platform_files[@]}"; do [ "$file" = "$allowed" ] && continue 2; done
  if grep -nHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<$posix>" -- "$file"; then
    echo "check-sources.sh: $file includes a POSIX header; platform calls belong in" \
      "${platform_files[*]}" >&2
    status=1
  fi
done < <(git ls-files -z -- '*.c' '*.cpp' '*.h' ':!tests/' ':!bench/' ':!fuzz/')

if built=$(git ls-files -- '*.pyc' '*.pyo' '*/__pycache__/*' '*.o' '*.obj' '*.exe' '*.wasm') &&
  [ -n "$built" ]; then
  echo "check-sources.sh: build output committed:" >&2
  echo "$built" >&2
  status=1
fi
exit "$status"
