#include "core/text_encoding.hpp"

#include <cstddef>
#include <utility>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"

namespace text_encoding {
namespace {

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";
// U+3000 in either encoding.
constexpr std::string_view sjis_blank = "　";
constexpr std::string_view utf8_blank = "\xE3\x80\x80";

// The length of the well-formed UTF-8 character at `at` (which is in the text), or 0.
std::size_t utf8_char(std::string_view text, std::size_t at, char32_t& code_point) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
  };
  const unsigned first = byte(0);
  std::size_t length = 0;
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (first < 0x80) {
    code_point = first;
    return 1;
  } else if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    code_point = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    code_point = first & 0x0F;
    if (first == 0xE0) low = 0xA0;   // overlong
    if (first == 0xED) high = 0x9F;  // surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    code_point = first & 0x07;
    if (first == 0xF0) low = 0x90;   // overlong
    if (first == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned b = byte(i);
    if (b < low || b > high) return 0;
    low = 0x80;
    high = 0xBF;
    code_point = (code_point << 6) | (b & 0x3F);
  }
  return length;
}

// Other Shift-JIS tables (a spreadsheet's among them) give these characters to codes that
// code page 932 decodes differently. glibc takes them one way, Windows only as a best fit; they
// are mapped here so that both platforms read them alike.
struct Alias {
  char32_t code_point;
  const char* sjis;
};
constexpr Alias aliases[] = {
    {0x00A2, "￠"}, {0x00A3, "￡"}, {0x00A5, "\\"}, {0x00AC, "￢"}, {0x2014, "―"},
    {0x2016, "∥"}, {0x203E, "~"},  {0x2212, "－"}, {0x301C, "～"},
    // Not in Shift-JIS at all, but typed for × in a mark column; read as × rather than lost.
    {0x2715, "×"},
};

const char* alias_of(char32_t code_point) {
  for (const Alias& a : aliases)
    if (a.code_point == code_point) return a.sjis;
  return nullptr;
}

// Windows pairs these with the bytes 0x80, 0xA0 and 0xFD-0xFF, which are no characters.
bool refused(char32_t code_point) {
  return code_point == 0x80 || (code_point >= 0xF8F0 && code_point <= 0xF8F3);
}

// How a line can be converted: copied, by the codec in one call, or character by character.
enum class Line { ascii, whole, by_character };

// Calls visit(length, code_point) for each character of the text outside ASCII, length 0 for
// a malformed one (which then stands for its first byte), until visit returns false; false then.
template <typename Visit>
bool each_multi_byte_char(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    char32_t code_point = 0;
    const std::size_t length = utf8_char(text, at, code_point);
    if (!visit(length, code_point)) return false;
    at += length != 0 ? length : 1;
  }
  return true;
}

Line classify_utf8(std::string_view line) {
  Line kind = Line::ascii;
  const bool whole = each_multi_byte_char(line, [&](std::size_t length, char32_t code_point) {
    kind = Line::whole;
    return length != 0 && !alias_of(code_point) && !refused(code_point);
  });
  return whole ? kind : Line::by_character;
}

Line classify_sjis(std::string_view line) {
  Line kind = Line::ascii;
  for (std::size_t at = 0; at < line.size();) {
    const unsigned char c = static_cast<unsigned char>(line[at]);
    const std::size_t length = sjis::char_length(line, at);
    if (c >= 0x80) {
      if (length == 1 && !sjis::is_halfwidth_kana(c)) return Line::by_character;
      kind = Line::whole;
    }
    at += length;
  }
  return kind;
}

// Calls convert(line, number) for each line of `text`, its LF included, numbered from 1.
template <typename Convert>
void for_each_line(std::string_view text, Convert convert) {
  int number = 1;
  for (std::size_t start = 0; start < text.size(); ++number) {
    const std::size_t lf = text.find('\n', start);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
    convert(text.substr(start, end - start), number);
    start = end;
  }
}

// Converts the character at `at` (which is in the line), appending it to `out`; returns its
// length, and sets `lost` when it has no form in the target (then nothing is appended).
using CharConverter = std::size_t (*)(std::string_view line, std::size_t at, detail::Codec& codec,
                                      std::string& out, bool& lost);

std::size_t utf8_char_to_sjis(std::string_view line, std::size_t at, detail::Codec& codec,
                              std::string& out, bool& lost) {
  if (static_cast<unsigned char>(line[at]) < 0x80) {
    out.push_back(line[at]);
    return 1;
  }
  char32_t code_point = 0;
  const std::size_t length = utf8_char(line, at, code_point);
  if (length == 0) {
    lost = true;
    return 1;
  }
  if (const char* alias = alias_of(code_point)) {
    out.append(alias);
  } else {
    lost = refused(code_point) || !codec.append(line.substr(at, length), out);
  }
  return length;
}

std::size_t sjis_char_to_utf8(std::string_view line, std::size_t at, detail::Codec& codec,
                              std::string& out, bool& lost) {
  const unsigned char c = static_cast<unsigned char>(line[at]);
  const std::size_t length = sjis::char_length(line, at);
  if (c < 0x80) {
    out.push_back(line[at]);
  } else {
    lost = (length == 1 && !sjis::is_halfwidth_kana(c)) || !codec.append(line.substr(at, length), out);
  }
  return length;
}

// One direction of conversion.
struct Conversion {
  detail::Target target;
  Line (*classify)(std::string_view line);
  CharConverter convert_char;
  std::string_view blank;  // U+3000 in the target, for a lost character
};

// Line by line: an ASCII line is copied, another converted by the codec in one call, and a
// line the codec refuses character by character, each lost character becoming a blank.
std::string convert(const Conversion& conversion, std::string_view text, std::size_t reserve,
                    std::vector<int>* lost_lines) {
  detail::Codec codec(conversion.target);
  std::string out;
  out.reserve(reserve);
  for_each_line(text, [&](std::string_view line, int number) {
    const Line kind = conversion.classify(line);
    if (kind == Line::ascii) {
      out.append(line);
      return;
    }
    if (kind == Line::whole && codec.append(line, out)) return;
    for (std::size_t at = 0; at < line.size();) {
      bool lost = false;
      at += conversion.convert_char(line, at, codec, out, lost);
      if (!lost) continue;
      out.append(conversion.blank);
      if (lost_lines) lost_lines->push_back(number);
    }
  });
  return out;
}

}  // namespace

bool has_utf8_bom(std::string_view bytes) { return bytes.substr(0, utf8_bom.size()) == utf8_bom; }

// A Shift-JIS file passes only by chance, and its kana, kanji and symbols leave no room for
// it: their lead bytes 0x81-0x9F are UTF-8 continuation bytes, which cannot start a
// character, and a lead byte 0xE0-0xFC would need two or three continuation bytes after it,
// that is a trail byte 0x80-0xBF and then the next character's lead byte alone. Of half-width
// katakana, 0xA1-0xBF cannot start a character either, so only a text made of nothing but
// ASCII and pairs such as "ﾃｨ" could pass. Every file the program writes has a header in
// kanji and kana.
bool looks_like_utf8(std::string_view bytes) {
  bool multi_byte = false;
  const bool well_formed = each_multi_byte_char(bytes, [&](std::size_t length, char32_t) {
    multi_byte = true;
    return length != 0;
  });
  return well_formed && multi_byte;
}

std::string utf8_to_sjis(std::string_view utf8, std::vector<int>* lost_lines) {
  return convert({detail::Target::cp932, classify_utf8, utf8_char_to_sjis, sjis_blank}, utf8,
                 utf8.size(), lost_lines);
}

std::string sjis_to_utf8(std::string_view sjis_text, std::vector<int>* lost_lines) {
  return convert({detail::Target::utf8, classify_sjis, sjis_char_to_utf8, utf8_blank}, sjis_text,
                 sjis_text.size() + sjis_text.size() / 2, lost_lines);
}

std::string sjis_to_utf8_with_bom(std::string_view sjis_text, std::vector<int>* lost_lines) {
  return std::string(utf8_bom) + sjis_to_utf8(sjis_text, lost_lines);
}

DecodedFile file_text_to_sjis(std::string bytes) {
  DecodedFile file;
  file.had_bom = has_utf8_bom(bytes);
  file.was_utf8 = file.had_bom || looks_like_utf8(bytes);
  if (!file.was_utf8) {
    file.sjis = std::move(bytes);
    return file;
  }
  std::string_view text(bytes);
  if (file.had_bom) text.remove_prefix(utf8_bom.size());
  file.sjis = utf8_to_sjis(text, &file.lost_lines);
  if (!file.had_bom && !file.lost_lines.empty() && sjis::well_formed(bytes)) {
    // Such as half-width katakana in pairs: "ﾃｽ" is also "½".
    file.lost_lines.clear();
    file.was_utf8 = false;
    file.read_as_sjis = true;
    file.sjis = std::move(bytes);
  }
  return file;
}

void report_decoded(Report& report, const std::string& file_name, const DecodedFile& file) {
  if (file.read_as_sjis) {
    PlaceScope place(&report, Place{file_name, 0});
    report.add(msg::read_as_sjis);
  }
  for (const int line : file.lost_lines) {
    PlaceScope place(&report, Place{file_name, line});
    report.add(msg::lost_character);
  }
}

}  // namespace text_encoding
