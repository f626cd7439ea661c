#include "text/decoder.hpp"

#include <string_view>

#include "text/charset.hpp"
#include "core/hex.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"

namespace {

constexpr std::uint8_t extra_page_prefix = 0x18;
constexpr std::uint8_t counted_tag = 0x48;   // plain byte, length L, then L bytes
constexpr std::uint8_t subcode_tag = 0x4F;   // sub-code whose count is entry 0x50 + sub-code
constexpr std::size_t subcode_counts = 0x50;

std::uint8_t count_at(const std::vector<std::uint8_t>& counts, std::size_t index) {
  return index < counts.size() ? counts[index] : 0;
}

// Appends whole pieces while they fit; once one does not, the count runs past the capacity
// and nothing later is added, so the output is a prefix of the text that never splits a piece.
struct Pieces {
  std::string* out;
  std::size_t capacity;
  std::size_t count = 0;

  void append(std::string_view piece) {
    if (out && count + piece.size() <= capacity) out->append(piece);
    count += piece.size();
  }
};

class Decoder {
 public:
  Decoder(const std::uint8_t* source, std::size_t length, Report* report, const TagTable& tags)
      : source_(source), length_(length), report_(report), tags_(tags) {}

  std::size_t run(Pieces& pieces) {
    while (position_ < length_) step(pieces);
    return pieces.count;
  }

 private:
  // Bytes past the end of the source read as 0x00 and are never touched.
  std::uint8_t at(std::size_t index) const { return index < length_ ? source_[index] : 0; }

  void step(Pieces& pieces) {
    const std::uint8_t b = source_[position_];
    const unsigned word = b * 256u + at(position_ + 1);
    // A lead byte at the very end has no deciding byte: it is a tag that lacks its argument,
    // so it comes back as the one byte it was.
    if (b >= 0x20 && b <= 0x23 && word >= 0x20B0 && position_ + 1 < length_) {
      pieces.append(glyph_text(word - 0x2000));
      position_ += 2;
    } else if (b >= blank_code) {
      pieces.append(glyph_text(b - blank_code));
      position_ += 1;
    } else if (b == extra_page_prefix) {
      const std::string_view entry =
          position_ + 1 < length_ ? extra_page_text(source_[position_ + 1]) : std::string_view();
      if (entry.empty()) {
        // An empty entry keeps its two bytes as a tag, so they survive a round trip.
        tag(pieces, b, 1);
      } else {
        pieces.append(entry);
        position_ += 2;
      }
    } else {
      tag(pieces, b, argument_count(b));
    }
  }

  std::size_t argument_count(std::uint8_t b) const {
    const TagTable& table = tags_;
    if (table.event_table && b == counted_tag) return at(position_ + 2) + 2u;
    if (table.event_table && b == subcode_tag)
      return count_at(table.counts, subcode_counts + at(position_ + 1));
    return count_at(table.counts, b);
  }

  // A whole tag is one piece, so a cut output never ends inside a tag.
  void tag(Pieces& pieces, std::uint8_t b, std::size_t arguments) {
    tag_.assign(1, '<');
    append_hex(b);
    ++position_;
    for (std::size_t i = 0; i < arguments; ++i) {
      if (position_ >= length_) {
        if (report_) report_->add(msg::missing_tag_arguments, b);
        tag_ += '#';
        break;
      }
      tag_ += ' ';
      append_hex(source_[position_]);
      ++position_;
    }
    tag_ += '>';
    pieces.append(tag_);
  }

  void append_hex(std::uint8_t byte) {
    tag_ += hex_digits[byte >> 4];
    tag_ += hex_digits[byte & 0x0F];
  }

  const std::uint8_t* source_;
  std::size_t length_;
  Report* report_;
  const TagTable& tags_;
  std::size_t position_ = 0;
  std::string tag_;
};

}  // namespace

std::size_t decode_text(std::string* out, const std::uint8_t* source, std::size_t capacity,
                        std::size_t source_length, Report* report, const TagTable& tags) {
  if (!source || source_length == 0) return 0;
  Pieces pieces{out, capacity};
  return Decoder(source, source_length, report, tags).run(pieces);
}

const TagTable& default_tag_table() {
  static const TagTable table = [] {
    TagTable made;
    made.counts.assign(80, 0);
    for (std::uint8_t code : {0x18, 0x20, 0x21, 0x22, 0x23, 0x25, 0x36, 0x3A}) made.counts[code] = 1;
    return made;
  }();
  return table;
}
