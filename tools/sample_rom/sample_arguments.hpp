#pragma once
#include <string>
#include <vector>

#include "sample_rom.hpp"

inline constexpr const char* sample_usage =
    "usage: make_sample_rom OUT.smc [--size BYTES] [--shifted] [--revision N] [--seed N]\n"
    "Writes the synthetic sample image to OUT.smc. --size: bytes of image (default 6 MiB);\n"
    "--shifted: title at 0x7FC0; --revision: header byte 27 (default 1); --seed: other valid\n"
    "contents (0, the default, is the sample itself). --help: this text.\n";

// What the command line asks for: the image, the help text, or nothing when it is wrong.
struct SampleRequest {
  enum class Kind { write, help, wrong } kind = Kind::wrong;
  std::string out;
  SampleOptions options;
  std::string fault;  // what is wrong, for a wrong line
};

// The arguments after the program's name. A name starting with "-" is never taken for the
// output, so a mistyped option cannot become a 6 MiB file.
SampleRequest parse_sample_arguments(const std::vector<std::string>& args);
