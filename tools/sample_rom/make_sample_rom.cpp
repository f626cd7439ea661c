// Writes the synthetic sample ROM: make_sample_rom OUT [--size BYTES] [--shifted] [--revision N]
// [--seed N]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sample_rom.hpp"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.smc [--size BYTES] [--shifted] [--revision N] [--seed N]\n", argv[0]);
    return 2;
  }
  SampleOptions options;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--shifted") == 0) {
      options.shifted = true;
    } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
      options.size = std::strtoul(argv[++i], nullptr, 0);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 0));
    } else if (std::strcmp(argv[i], "--revision") == 0 && i + 1 < argc) {
      options.revision = static_cast<std::uint8_t>(std::strtoul(argv[++i], nullptr, 0));
    }
  }
  if (!write_sample_rom(argv[1], options)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
