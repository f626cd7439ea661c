#pragma once
#include <cstddef>
#include <string_view>

// Shift-JIS (code page 932) is scanned here and nowhere else. A lead byte followed by a trail
// byte is one character; a half-width katakana and every other byte is a character of its own.
namespace sjis {

constexpr bool is_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool is_trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
constexpr bool is_halfwidth_kana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// The length of the character at `at`: 2 for a lead byte followed by a trail byte, else 1
// (also past the end, so that a loop over the text always advances). A lead byte before a
// comma, quote, CR or LF stands alone and never swallows it.
inline std::size_t char_length(std::string_view text, std::size_t at) {
  return at + 1 < text.size() && is_lead(static_cast<unsigned char>(text[at])) &&
                 is_trail(static_cast<unsigned char>(text[at + 1]))
             ? 2
             : 1;
}

// Every byte ASCII, a half-width katakana or part of a lead-and-trail pair.
inline bool well_formed(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    const std::size_t length = char_length(text, at);
    if (length == 1 && c >= 0x80 && !is_halfwidth_kana(c)) return false;
    at += length;
  }
  return true;
}

// The length of the longest prefix of `text` of at most `limit` bytes that ends between two
// characters.
std::size_t cut(std::string_view text, std::size_t limit);

}  // namespace sjis
