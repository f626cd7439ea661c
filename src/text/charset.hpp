#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The game's font as Shift-JIS: glyph numbers 0x000-0x0AF are the single bytes 0x50-0xFF,
// 0x0B0-0x3FF the byte pairs 0x20B0-0x23FF (high byte first).
inline constexpr std::size_t glyph_count = 1024;
inline constexpr std::size_t single_byte_glyphs = 0xB0;
inline constexpr std::uint8_t blank_code = 0x50;

// The Shift-JIS text of a glyph: one two-byte character, or the ASCII space for glyph 0x96.
std::string_view glyph_text(std::size_t glyph);
// The game code of a glyph: 0x50 + glyph below 0xB0, else 0x2000 + glyph.
inline std::uint16_t glyph_code(std::size_t glyph) {
  return static_cast<std::uint16_t>(glyph < single_byte_glyphs ? 0x50 + glyph : 0x2000 + glyph);
}

// The page reached through the prefix byte 0x18; every entry is empty in this game.
std::string_view extra_page_text(std::uint8_t entry);
