#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The argument counts of the event control codes: entries 0x00 to 0x4F for the tags, then
// 0x50 + s for tag 0x4F with sub-code s (the sub-code itself counted).
inline constexpr std::size_t event_tag_table_size = 336;

const std::vector<std::uint8_t>& event_tag_arguments();

// "arg.txt" in the start-up directory, or "" when no start-up directory is known.
std::string arg_file_path();
// One entry per line, read as a leading decimal integer; missing lines give 0. False when the
// file cannot be opened.
bool read_tag_argument_file(const std::string& path, std::vector<std::uint8_t>& table);

// Installs the event table (or the one from "arg.txt") for as long as it lives, and the
// default table again however the scope is left.
class EventTagArguments {
 public:
  EventTagArguments();
  ~EventTagArguments();
  EventTagArguments(const EventTagArguments&) = delete;
  EventTagArguments& operator=(const EventTagArguments&) = delete;
};
