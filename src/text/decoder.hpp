#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Game text to Shift-JIS text: glyphs become their characters, control codes become tags
// such as "<36 02>". Appends to *out the longest whole-piece prefix of the text that fits in
// `capacity` characters (bytes) and returns the length of the whole text. With no `out` it
// only counts. Nothing outside source[0, source_length) is ever read.
std::size_t decode_text(std::string* out, const std::uint8_t* source, std::size_t capacity,
                        std::size_t source_length);

// The number of argument bytes of each tag code. The default table has 80 entries; the event
// scripts install one of 336 while they are decoded.
void set_tag_arguments(const std::vector<std::uint8_t>& table);
void reset_tag_arguments();
const std::vector<std::uint8_t>& default_tag_arguments();
