#include "event/event_tags.hpp"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>

#include "core/platform.hpp"
#include "event/event_messages.hpp"
#include "table/csv_file.hpp"
#include "text/decoder.hpp"

namespace {

// Tags 0x00 to 0x4F. 0x18 is the extra-page prefix, 0x48 and 0x4F count from their data.
constexpr std::uint8_t tag_counts[80] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x00
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x10
    1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0,  // 0x20
    0, 0, 0, 2, 2, 2, 2, 1, 1, 1, 1, 1, 3, 2, 2, 0,  // 0x30
    2, 3, 1, 0, 0, 2, 0, 0, 5, 0, 1, 1, 0, 0, 1, 1,  // 0x40
};

// Tag 0x4F by sub-code, the sub-code included; sub-codes 0x60 to 0xFF take 1.
constexpr std::uint8_t sub_code_counts[96] = {
    1, 1, 1, 3, 1, 1, 1, 1, 2, 3, 4, 1, 1, 1, 2, 2,  // 0x00
    1, 1, 1, 1, 1, 3, 2, 1, 3, 1, 1, 1, 1, 1, 3, 3,  // 0x10
    3, 3, 4, 4, 1, 1, 1, 1, 4, 1, 1, 3, 3, 1, 3, 1,  // 0x20
    3, 7, 1, 1, 2, 2, 1, 1, 1, 1, 1, 3, 1, 1, 1, 2,  // 0x30
    1, 2, 1, 1, 1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x40
    1, 2, 1, 1, 1, 2, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x50
};

std::vector<std::uint8_t> built_in_table() {
  std::vector<std::uint8_t> table(event_tag_table_size, 1);
  std::copy(std::begin(tag_counts), std::end(tag_counts), table.begin());
  std::copy(std::begin(sub_code_counts), std::end(sub_code_counts), table.begin() + 0x50);
  return table;
}

// The line's leading integer, as atoi reads it. A count cannot be negative or exceed a byte.
std::uint8_t parse_count(const std::string& line) {
  const long value = std::strtol(line.c_str(), nullptr, 10);
  if (value < 0) return 0;
  if (value > UCHAR_MAX) return UCHAR_MAX;
  return static_cast<std::uint8_t>(value);
}

}  // namespace

const std::vector<std::uint8_t>& event_tag_arguments() {
  static const std::vector<std::uint8_t> table = built_in_table();
  return table;
}

std::string arg_file_path(const std::string& start_folder) {
  const std::string& directory = start_folder;
  if (directory.empty()) return std::string();
  if (platform::is_separator(directory.back())) return directory + event_msg::arg_file_name;
  return directory + platform::native_separator + event_msg::arg_file_name;
}

bool read_tag_argument_file(const std::string& path, std::vector<std::uint8_t>& table) {
  CsvReader in;
  if (path.empty() || !in.open(path)) return false;
  table.assign(event_tag_table_size, 0);
  std::string line;
  for (std::size_t k = 0; k < event_tag_table_size && in.next_line(line); ++k) {
    table[k] = parse_count(line);
  }
  return true;
}

TagTable event_tag_table(const std::string& start_folder) {
  TagTable table;
  table.event_table = true;
  if (!read_tag_argument_file(arg_file_path(start_folder), table.counts)) {
    table.counts = event_tag_arguments();
  }
  return table;
}
