// The afl-fuzz entry: varbek_fuzz_afl TARGET FILE runs the target on the file's bytes; under
// afl-fuzz (FILE given as @@) it serves a fork server and runs inputs in persistent mode.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "afl_runtime.hpp"
#include "fuzz.hpp"

int main(int argc, char** argv) {
  const FuzzTarget* target = argc == 3 ? find_fuzz_target(argv[1]) : nullptr;
  if (!target) {
    std::fprintf(stderr, "usage: varbek_fuzz_afl TARGET FILE\n");
    return 2;
  }
  afl_start();
  std::vector<std::uint8_t> input;
  while (afl_loop(10000)) {
    std::ifstream in(argv[2], std::ios::binary);
    input.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    target->run(input.data(), input.size());
  }
  return 0;
}
