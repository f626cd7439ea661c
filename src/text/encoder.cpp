#include "text/encoder.hpp"

#include <array>
#include <string>

#include "core/hex.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"
#include "text/charset.hpp"
#include "text/halfwidth.hpp"

namespace {

constexpr std::uint16_t unmapped = 0;  // no glyph, tag or page entry has code 0x0000
constexpr std::uint8_t newline_code = 0x24;

// Two-byte characters that are mapped before the font is searched.
struct FixedMapping {
  const char* character;
  std::uint16_t code;
};
const FixedMapping fixed_mappings[] = {
    {"　", blank_code},
    {"ー", 0xE5},    // "一" doubles as the long-vowel bar
    {"Ｏ", 0x2300},  // "０"
    {"へ", 0x9E},    // the katakana serve for the hiragana the font lacks
    {"べ", 0xDD},
    {"ぺ", 0xE2},
};

// What an ASCII byte does.
enum : std::uint16_t { ascii_skip = 1, ascii_newline = 2, ascii_tag = 3 };

struct AsciiMapping {
  char character;
  std::uint16_t code;
};
const AsciiMapping ascii_mappings[] = {
    {'\0', ascii_skip}, {'\r', ascii_skip}, {'\n', ascii_newline}, {'<', ascii_tag},
    {' ', 0xE6},        {'!', 0xEA},        {'%', 0x229B},         {'-', 0xE5},
    {'/', 0x230D},      {':', 0x230F},      {'?', 0xEB},           {'H', 0x230A},
    {'L', 0x230B},      {'P', 0x230C},      {'~', 0xF4},
};

// Codes indexed by the two bytes of a character (lead byte 0x80-0xFF) and by an ASCII byte.
// Entries are filled in the order of the tries, and a later try never replaces an earlier
// one, so the first match of the font in glyph order wins.
struct CodeIndex {
  std::array<std::uint16_t, 0x80 * 0x100> pair{};
  std::array<std::uint16_t, 0x80> ascii{};

  static std::size_t slot(std::string_view character) {
    return (static_cast<unsigned char>(character[0]) - 0x80u) * 0x100u +
           static_cast<unsigned char>(character[1]);
  }
  void add(std::string_view character, std::uint16_t code) {
    if (character.size() < 2 || static_cast<unsigned char>(character[0]) < 0x80) return;
    std::uint16_t& entry = pair[slot(character)];
    if (entry == unmapped) entry = code;
  }

  CodeIndex() {
    for (const FixedMapping& m : fixed_mappings) add(m.character, m.code);
    for (std::size_t glyph = 0; glyph < glyph_count; ++glyph) add(glyph_text(glyph), glyph_code(glyph));
    for (unsigned entry = 0; entry < 0x100; ++entry)
      add(extra_page_text(static_cast<std::uint8_t>(entry)), static_cast<std::uint16_t>(0x1800 + entry));
    for (const AsciiMapping& m : ascii_mappings) ascii[static_cast<unsigned char>(m.character)] = m.code;
    for (char digit = '0'; digit <= '9'; ++digit)
      ascii[static_cast<unsigned char>(digit)] = static_cast<std::uint16_t>(0x2300 + (digit - '0'));
  }
};

const CodeIndex& code_index() {
  static const CodeIndex index;
  return index;
}

class Encoder {
 public:
  Encoder(std::uint8_t* out, const char* source, std::size_t capacity, std::size_t length,
          bool newline_flag, Report* report)
      : out_(out),
        source_(source),
        capacity_(capacity),
        length_(length),
        newline_(newline_flag),
        report_(report) {}

  std::size_t run() {
    const CodeIndex& index = code_index();
    std::size_t position = 0;
    while (position < length_) {
      const unsigned char c = static_cast<unsigned char>(source_[position]);
      const std::string_view text(source_, length_);
      if (sjis::char_length(text, position) == 2) {
        const std::uint16_t code = index.pair[CodeIndex::slot(text.substr(position, 2))];
        write_code(code != unmapped ? code : report_unmapped(position, text.substr(position, 2)));
        position += 2;
      } else if (sjis::is_halfwidth_kana(c)) {
        // A half-width IME's kana stand for their full-width forms; one the font lacks takes
        // the blank glyph for its first byte alone.
        const FullwidthKana kana = fullwidth_kana(text, position);
        const std::uint16_t code = kana.character.size() == 2 ? index.pair[CodeIndex::slot(kana.character)] : unmapped;
        if (code != unmapped) {
          write_code(code);
          position += kana.consumed;
        } else {
          write_code(report_unmapped(position, text.substr(position, 1)));
          position += 1;
        }
      } else if (c >= 0x80) {
        // A byte that begins no Shift-JIS character, or a lead byte without its partner.
        write_code(report_unmapped(position, text.substr(position, 1)));
        position += 1;
      } else {
        const std::uint16_t code = index.ascii[c];
        if (code == ascii_tag) {
          position = tag(position + 1);
        } else {
          if (code == ascii_newline) {
            if (newline_) write_code(newline_code);
          } else if (code == unmapped) {
            write_code(report_unmapped(position, std::string_view(source_ + position, 1)));
          } else if (code != ascii_skip) {
            write_code(code);
          }
          position += 1;
        }
      }
      if (out_ && (full_ || count_ >= capacity_)) break;
    }
    return count_;
  }

 private:
  std::uint16_t report_unmapped(std::size_t position, std::string_view character) const {
    if (report_) report_->add(msg::unmapped_character, static_cast<int>(position + 1), std::string(character));
    return blank_code;
  }

  void write_byte(std::uint8_t byte) {
    if (!out_) {
      ++count_;
    } else if (count_ < capacity_) {
      out_[count_++] = byte;
    }
  }

  // A character that does not fit whole ends the text: half of a two-byte code would turn
  // the following byte, even one after the room, into its partner.
  void write_code(std::uint16_t code) {
    if (code >= 0x100) {
      if (out_ && count_ + 2 > capacity_) {
        full_ = true;
        return;
      }
      write_byte(static_cast<std::uint8_t>(code >> 8));
    }
    write_byte(static_cast<std::uint8_t>(code & 0xFF));
  }

  // Reads a tag from just after its "<"; returns the position after its ">", or the end of
  // the source for a tag left open. Its complete digit pairs are written; a tag not written as
  // the decoder writes it (pairs of hex digits separated by one space, "#" allowed just before
  // the ">") is reported, as a stray or missing blank may stand for a mistyped byte.
  std::size_t tag(std::size_t position) {
    const std::size_t start = position - 1;
    unsigned value = 0;
    int digits = 0;
    for (; position < length_ && source_[position] != '>'; ++position) {
      const int digit = hex_value(source_[position]);
      value <<= 4;
      if (digit >= 0) {
        value += static_cast<unsigned>(digit);
        if (++digits % 2 == 0) {
          write_byte(static_cast<std::uint8_t>(value & 0xFF));
          value = 0;
        }
      }
    }
    const bool closed = position < length_;
    const std::string_view body(source_ + start + 1, position - start - 1);
    if ((!closed || !well_formed_tag(body)) && report_) {
      const std::size_t end = closed ? position + 1 : length_;
      report_->add(msg::malformed_tag, static_cast<int>(start + 1), std::string(source_ + start, end - start));
    }
    return closed ? position + 1 : position;
  }

  // "HH", then " HH" any number of times, then an optional "#".
  static bool well_formed_tag(std::string_view body) {
    if (!body.empty() && body.back() == '#') body.remove_suffix(1);
    if (body.size() % 3 != 2) return false;
    for (std::size_t i = 0; i < body.size(); ++i) {
      const bool ok = i % 3 == 2 ? body[i] == ' ' : hex_value(body[i]) >= 0;
      if (!ok) return false;
    }
    return true;
  }

  std::uint8_t* out_;
  const char* source_;
  std::size_t capacity_;
  std::size_t length_;
  bool newline_;
  Report* report_;
  std::size_t count_ = 0;
  bool full_ = false;
};

}  // namespace

std::size_t encode_text(std::uint8_t* out, const char* source, std::size_t capacity,
                        std::size_t source_length, bool newline_flag, Report* report) {
  if (!source || source_length == 0) return 0;
  if (out && capacity == 0) return 0;
  return Encoder(out, source, capacity, source_length, newline_flag, report).run();
}
