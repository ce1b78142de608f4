// Times program starts: from CreateProcess to the first visible window, several runs each.
//   coilcalc_startup_probe <runs> <program.exe> [<program.exe>...]
// Prints one line per program: its median and its minimum in milliseconds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <runs> <program.exe>...\n", argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  for (int p = 2; p < argc; ++p) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
      const double ms = StartupMilliseconds(argv[p]);
      if (ms < 0) {
        std::fprintf(stderr, "%s: no window\n", argv[p]);
        return 1;
      }
      times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s median_ms=%.1f min_ms=%.1f\n", argv[p], times[times.size() / 2], times[0]);
  }
  return 0;
}
