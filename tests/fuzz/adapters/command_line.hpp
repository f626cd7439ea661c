#pragma once
// Every call of the command_line target into the program.
#include <string>
#include <vector>

#include "jobs/job.hpp"

namespace fuzz_adapter {

inline std::vector<std::string> split(const std::string& text) { return split_command_line(text); }

}  // namespace fuzz_adapter
