// Text files in either encoding: a text taken as Shift-JIS is kept byte for byte, UTF-8 keeps
// every character code page 932 has and reports each one it loses, and Shift-JIS text with
// two-byte characters is not taken for UTF-8.
#include "adapters/utf8.hpp"

#include <string>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "utf8";
constexpr char32_t blank = 0x3000;

// The well-formed UTF-8 character at `at` (no overlong form, no surrogate, nothing above
// U+10FFFF) and its length, or 0.
std::size_t utf8_char(std::string_view text, std::size_t at, char32_t& c) {
  const auto first = static_cast<unsigned char>(text[at]);
  const std::size_t length = first < 0x80   ? 1
                             : first < 0xC0 ? 0
                             : first < 0xE0 ? 2
                             : first < 0xF0 ? 3
                             : first < 0xF8 ? 4
                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  c = length == 1 ? first : first & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    c = c << 6 | (next & 0x3Fu);
  }
  static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  return c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? 0 : length;
}

// The characters of well-formed UTF-8; false for anything else.
bool utf8_chars(std::string_view text, std::u32string& chars) {
  chars.clear();
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = 0;
    const std::size_t length = utf8_char(text, at, c);
    if (length == 0) return false;
    chars.push_back(c);
    at += length;
  }
  return true;
}

// Every character code page 932 has: ASCII and what its two-byte codes and half-width kana
// decode to (an undefined code gives U+3000, which it has too).
const std::vector<bool>& cp932_has() {
  static const std::vector<bool> has = [] {
    std::vector<bool> set(0x110000, false);
    std::string codes;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      for (int trail = 0x40; trail <= 0xFC && (lead <= 0x9F || lead >= 0xE0); ++trail) {
        if (trail != 0x7F) codes += {static_cast<char>(lead), static_cast<char>(trail), '\n'};
      }
    }
    for (int kana = 0xA1; kana <= 0xDF; ++kana) codes += {static_cast<char>(kana), '\n'};
    std::vector<int> lost;
    std::u32string chars;
    utf8_chars(fa::sjis_to_utf8(codes, &lost), chars);
    for (char32_t c = 0; c < 0x80; ++c) set[c] = true;
    for (const char32_t c : chars) set[c] = true;
    return set;
  }();
  return has;
}

// The Shift-JIS made from UTF-8 text, converted back, gives every character again, or U+3000
// where its line was reported as lost, or (for a character code page 932 lacks) a stand-in.
void check_round_trip(const std::u32string& chars, const std::string& sjis, const std::vector<int>& lost) {
  std::vector<int> lost_back;
  std::u32string back;
  if (!utf8_chars(fa::sjis_to_utf8(sjis, &lost_back), back) || !lost_back.empty())
    fuzz_fail(target, "the Shift-JIS made from UTF-8 does not convert back whole");
  if (back.size() != chars.size())
    fuzz_fail(target, "%zu characters came back as %zu", chars.size(), back.size());
  const std::vector<bool>& has = cp932_has();
  std::size_t reported = 0;
  int line = 1;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    const auto code = static_cast<unsigned>(c);
    if (back[i] == blank && c != blank) {
      if (has[c]) fuzz_fail(target, "U+%04X, which code page 932 has, was lost", code);
      if (reported == lost.size() || lost[reported] != line)
        fuzz_fail(target, "U+%04X on line %d was lost without that line reported", code, line);
      ++reported;
    } else if (back[i] != c && has[c]) {
      fuzz_fail(target, "U+%04X came back as U+%04X", code, static_cast<unsigned>(back[i]));
    }
    line += c == '\n' ? 1 : 0;
  }
  if (reported != lost.size())
    fuzz_fail(target, "%zu characters reported lost, %zu lost", lost.size(), reported);
}

// Shift-JIS made of the input's bytes: ASCII and half-width kana as they are, a lead byte with
// the next byte moved into the trail range; other bytes are dropped.
std::string shift_jis_from(std::string_view bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
      text += bytes[i];
    } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < bytes.size()) {
      unsigned trail = static_cast<unsigned char>(bytes[++i]);
      if (trail < 0x40 || trail > 0xFC || trail == 0x7F) trail = 0x40 + trail % 0x3F;
      text += {bytes[i - 1], static_cast<char>(trail)};
    }
  }
  return text;
}

}  // namespace

int fuzz_utf8(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  fa::DecodedFile file;
  try {
    file = fa::file_text_to_sjis(input);
  } catch (...) {
    fuzz_fail(target, "file_text_to_sjis threw");
  }
  if (!file.was_utf8 && (file.sjis != input || !file.lost_lines.empty()))
    fuzz_fail(target, "a text taken as Shift-JIS was changed");

  std::u32string chars;
  const bool valid = utf8_chars(input, chars);
  bool multi_byte = false;
  for (const char32_t c : chars) multi_byte = multi_byte || c >= 0x80;
  if (fa::looks_like_utf8(input) != (valid && multi_byte))
    fuzz_fail(target, "looks_like_utf8 misjudged %s UTF-8", valid ? "well-formed" : "malformed");
  if (valid && file.was_utf8) {
    if (file.had_bom) chars.erase(0, 1);
    check_round_trip(chars, file.sjis, file.lost_lines);
  }

  // Shift-JIS that is also UTF-8 (such as "縺　", "ぁ@") cannot be told apart; it is taken
  // for UTF-8 only when that reading holds nothing Shift-JIS lacks.
  const std::string sjis = shift_jis_from(input);
  const fa::DecodedFile read = fa::file_text_to_sjis(sjis);
  if (read.was_utf8 && !read.had_bom && !read.lost_lines.empty())
    fuzz_fail(target, "Shift-JIS text of %zu bytes was taken for UTF-8 and lost characters", sjis.size());
  if (!read.was_utf8 && read.sjis != sjis) fuzz_fail(target, "Shift-JIS text was changed");
  return fuzz_pass;
}
