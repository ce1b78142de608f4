// Writes the large seed input: 1 MiB of pseudo-random bytes, the same on every build.
#include <cstdint>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  std::vector<unsigned char> bytes(1 << 20);
  std::uint64_t state = 0x9E3779B97F4A7C15u;  // xorshift64*, fixed seed
  for (unsigned char& byte : bytes) {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    byte = static_cast<unsigned char>((state * 0x2545F4914F6CDD1Du) >> 56);
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
