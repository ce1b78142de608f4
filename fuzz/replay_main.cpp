// Runs a fuzz target over saved inputs without libFuzzer: each file argument, every file under
// each directory argument, or the target's own seed corpus when there are no arguments.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool ReplayFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  // A heap copy of exactly the input's size, so that ASan catches a read past its end; like
  // libFuzzer, an empty input still comes with a valid pointer.
  const std::unique_ptr<std::uint8_t[]> input(
      new std::uint8_t[std::max<std::size_t>(bytes.size(), 1)]);
  std::copy(bytes.begin(), bytes.end(), input.get());
  LLVMFuzzerTestOneInput(input.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> roots;
  for (int i = 1; i < argc; ++i) roots.emplace_back(argv[i]);
  if (roots.empty()) roots.emplace_back(COILCALC_FUZZ_CORPUS);

  int replayed = 0;
  for (const std::filesystem::path& root : roots) {
    std::error_code error;
    if (std::filesystem::is_directory(root, error)) {
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        if (!ReplayFile(file)) return 1;
        ++replayed;
      }
    } else if (std::filesystem::is_regular_file(root, error)) {
      if (!ReplayFile(root)) return 1;
      ++replayed;
    } else {
      std::fprintf(stderr, "no such file or directory: %s\n", root.string().c_str());
      return 1;
    }
  }
  // Replaying nothing would pass without testing anything.
  if (replayed == 0) {
    std::fprintf(stderr, "no inputs found\n");
    return 1;
  }
  std::printf("%s: %d inputs replayed, all checks held\n", argv[0], replayed);
  return 0;
}
