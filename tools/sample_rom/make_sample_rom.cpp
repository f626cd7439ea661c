// Writes the synthetic sample ROM: make_sample_rom OUT [--size BYTES] [--shifted] [--revision N]
// [--seed N]
#include <cstdio>
#include <string>
#include <vector>

#include "sample_arguments.hpp"
#include "sample_rom.hpp"

int main(int argc, char** argv) {
  const SampleRequest request = parse_sample_arguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (request.kind) {
    case SampleRequest::Kind::help: std::fputs(sample_usage, stdout); return 0;
    case SampleRequest::Kind::wrong:
      std::fprintf(stderr, "make_sample_rom: %s\n%s", request.fault.c_str(), sample_usage);
      return 2;
    case SampleRequest::Kind::write: break;
  }
  if (!write_sample_rom(request.out, request.options)) {
    std::fprintf(stderr, "cannot write %s\n", request.out.c_str());
    return 1;
  }
  return 0;
}
