#pragma once
// Every call of the csv_folder target into the program.
#include <string>

#include "jobs/job.hpp"
#include "core/platform.hpp"

namespace fuzz_adapter {

inline std::string folder_of(const std::string& path) { return csv_folder_of(path); }
inline bool is_directory(const std::string& path) { return platform::is_directory(path); }
inline bool is_separator(char c) { return platform::is_separator(c); }
inline constexpr char native_separator = platform::native_separator;

}  // namespace fuzz_adapter
