#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Report;

// The number of argument bytes of each tag code. The default table has 80 entries; the event
// scripts use one of 336, in which 0x48 and 0x4F take their counts from the data.
struct TagTable {
  std::vector<std::uint8_t> counts;
  bool event_table = false;
};
const TagTable& default_tag_table();

// Game text to Shift-JIS text: glyphs become their characters, control codes become tags
// such as "<36 02>". Appends to *out the longest whole-piece prefix of the text that fits in
// `capacity` characters (bytes) and returns the length of the whole text. With no `out` it
// only counts. Nothing outside source[0, source_length) is ever read. A tag whose argument
// bytes run past the end shows "#" before its ">" and is reported, when a report is given.
std::size_t decode_text(std::string* out, const std::uint8_t* source, std::size_t capacity,
                        std::size_t source_length, Report* report = nullptr,
                        const TagTable& tags = default_tag_table());
