#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "text/decoder.hpp"

// The argument counts of the event control codes: entries 0x00 to 0x4F for the tags, then
// 0x50 + s for tag 0x4F with sub-code s (the sub-code itself counted).
inline constexpr std::size_t event_tag_table_size = 336;

const std::vector<std::uint8_t>& event_tag_arguments();

// "arg.txt" in the start folder, or "" when no start folder is known.
std::string arg_file_path(const std::string& start_folder);
// One entry per line, read as a leading decimal integer; missing lines give 0. False when the
// file cannot be opened.
bool read_tag_argument_file(const std::string& path, std::vector<std::uint8_t>& table);

// The table the event scripts are decoded with: the one from "arg.txt" in the start folder
// when there is one, else the built-in one.
TagTable event_tag_table(const std::string& start_folder);
