#pragma once
#include <cstddef>
#include <cstdint>

class Report;

// Shift-JIS text to game text. Writes at most `capacity` bytes into `out` (bytes after them
// keep what the caller put there) and returns the number written; with no `out` it returns
// the number of bytes the whole text gives. Characters the game lacks are reported and
// replaced by the blank glyph 0x50. A two-byte character is written whole or not at all: the
// text ends at the first one that does not fit. Nothing outside source[0, source_length) is
// ever read. Replaced characters and malformed tags are reported when a report is given.
std::size_t encode_text(std::uint8_t* out, const char* source, std::size_t capacity,
                        std::size_t source_length, bool newline_flag, Report* report = nullptr);
