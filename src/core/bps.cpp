#include "core/bps.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/crc32.hpp"

namespace {

enum Action : std::uint64_t { source_read, target_read, source_copy, target_copy };

constexpr std::size_t footer_size = 12;

void put_number(std::vector<std::uint8_t>& out, std::uint64_t n) {
  for (;;) {
    const auto x = static_cast<std::uint8_t>(n & 0x7F);
    n >>= 7;
    if (n == 0) {
      out.push_back(static_cast<std::uint8_t>(0x80 | x));
      return;
    }
    out.push_back(x);
    --n;
  }
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t load32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

// Nine bytes carry 63 bits, more than any size here; a longer number is refused before the sum
// could wrap.
bool read_number(const std::uint8_t*& p, const std::uint8_t* end, std::uint64_t& value) {
  std::uint64_t data = 0;
  std::uint64_t shift = 1;
  for (int i = 0; i < 9 && p < end; ++i) {
    const std::uint8_t x = *p++;
    data += (x & 0x7Fu) * shift;
    if (x & 0x80) {
      value = data;
      return true;
    }
    shift <<= 7;
    data += shift;
  }
  return false;
}

// Sizes below which splitting costs more bytes than it saves: a source read inside a run of
// literals needs a second literal header, a target copy needs an offset.
constexpr std::size_t min_source_read_inside_literals = 3;
constexpr std::size_t min_repeat = 8;

class Encoder {
 public:
  Encoder(std::vector<std::uint8_t>& patch, const std::vector<std::uint8_t>& target)
      : patch_(patch), target_(target) {}

  void literals_until(std::size_t end) {
    if (end > literal_) {
      put_number(patch_, (std::uint64_t{end - literal_} - 1) << 2 | target_read);
      patch_.insert(patch_.end(), target_.begin() + static_cast<std::ptrdiff_t>(literal_),
                    target_.begin() + static_cast<std::ptrdiff_t>(end));
    }
    literal_ = end;
  }
  bool literals_pending(std::size_t pos) const { return pos > literal_; }

  void source_read_at(std::size_t pos, std::size_t length) {
    literals_until(pos);
    put_number(patch_, (std::uint64_t{length} - 1) << 2 | source_read);
    literal_ = pos + length;
  }

  // The run's first byte goes out as a literal; the rest copies it forward, overlapping.
  void repeat_at(std::size_t pos, std::size_t length) {
    literals_until(pos + 1);
    put_number(patch_, (std::uint64_t{length} - 2) << 2 | target_copy);
    put_number(patch_, pos >= cursor_ ? std::uint64_t{pos - cursor_} << 1
                                      : std::uint64_t{cursor_ - pos} << 1 | 1);
    cursor_ = pos + length - 1;
    literal_ = pos + length;
  }

 private:
  std::vector<std::uint8_t>& patch_;
  const std::vector<std::uint8_t>& target_;
  std::size_t literal_ = 0;  // first target byte not yet described
  std::size_t cursor_ = 0;   // the format's target-copy cursor
};

BpsResult apply_actions(const std::uint8_t* p, const std::uint8_t* end,
                        const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& out) {
  const std::uint64_t size = out.size();
  std::uint64_t pos = 0;
  std::uint64_t source_cursor = 0;
  std::uint64_t target_cursor = 0;
  while (p < end) {
    std::uint64_t action = 0;
    if (!read_number(p, end, action)) return BpsResult::bad_action;
    const std::uint64_t length = (action >> 2) + 1;
    if (length > size - pos) return BpsResult::bad_action;
    const Action kind = static_cast<Action>(action & 3);
    if (kind == source_read) {
      if (pos + length > source.size()) return BpsResult::bad_action;
      std::memcpy(&out[pos], &source[pos], length);
    } else if (kind == target_read) {
      if (length > static_cast<std::uint64_t>(end - p)) return BpsResult::bad_action;
      std::memcpy(&out[pos], p, length);
      p += length;
    } else {
      std::uint64_t offset = 0;
      if (!read_number(p, end, offset)) return BpsResult::bad_action;
      const bool from_source = kind == source_copy;
      std::uint64_t& cursor = from_source ? source_cursor : target_cursor;
      // A target copy may start only in bytes already written; it may run on into its own output.
      const std::uint64_t limit = from_source ? source.size() : pos;
      const std::uint64_t distance = offset >> 1;
      if (offset & 1) {
        if (distance > cursor) return BpsResult::bad_action;
        cursor -= distance;
      } else {
        if (cursor > limit || distance > limit - cursor) return BpsResult::bad_action;
        cursor += distance;
      }
      if (from_source) {
        if (cursor > source.size() || length > source.size() - cursor) return BpsResult::bad_action;
        std::memcpy(&out[pos], &source[cursor], length);
      } else {
        if (cursor >= pos) return BpsResult::bad_action;
        for (std::uint64_t i = 0; i < length; ++i) out[pos + i] = out[cursor + i];
      }
      cursor += length;
    }
    pos += length;
  }
  return pos == size ? BpsResult::ok : BpsResult::bad_action;
}

}  // namespace

std::vector<std::uint8_t> bps_create(const std::vector<std::uint8_t>& source,
                                     const std::vector<std::uint8_t>& target) {
  try {
    std::vector<std::uint8_t> patch = {'B', 'P', 'S', '1'};
    put_number(patch, source.size());
    put_number(patch, target.size());
    put_number(patch, 0);
    Encoder encoder(patch, target);
    const std::size_t size = target.size();
    const std::size_t common = std::min(source.size(), size);
    std::size_t pos = 0;
    while (pos < size) {
      std::size_t same = 0;
      while (pos + same + 8 <= common && std::memcmp(&source[pos + same], &target[pos + same], 8) == 0) {
        same += 8;
      }
      while (pos + same < common && source[pos + same] == target[pos + same]) ++same;
      if (same >= (encoder.literals_pending(pos) ? min_source_read_inside_literals : 1)) {
        encoder.source_read_at(pos, same);
        pos += same;
        continue;
      }
      std::size_t run = 1;
      while (pos + run < size && target[pos + run] == target[pos]) ++run;
      if (run >= min_repeat) {
        encoder.repeat_at(pos, run);
        pos += run;
        continue;
      }
      ++pos;
    }
    encoder.literals_until(size);
    put32(patch, crc32(source.data(), source.size()));
    put32(patch, crc32(target.data(), target.size()));
    put32(patch, crc32(patch.data(), patch.size()));
    return patch;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

BpsResult bps_apply(const std::vector<std::uint8_t>& patch, const std::vector<std::uint8_t>& source,
                    std::vector<std::uint8_t>& target, BpsInfo* info) {
  BpsInfo local;
  BpsInfo& found = info ? *info : local;
  found = BpsInfo();
  const std::size_t n = patch.size();
  if (n < 4 || std::memcmp(patch.data(), "BPS1", 4) != 0) return BpsResult::not_a_patch;
  if (n < 4 + 3 + footer_size) return BpsResult::patch_corrupt;
  const std::uint8_t* footer = patch.data() + n - footer_size;
  if (crc32(patch.data(), n - 4) != load32(footer + 8)) return BpsResult::patch_corrupt;
  found.expected_source_crc = load32(footer);
  found.expected_target_crc = load32(footer + 4);

  const std::uint8_t* p = patch.data() + 4;
  std::uint64_t metadata_size = 0;
  if (!read_number(p, footer, found.expected_source_size) ||
      !read_number(p, footer, found.target_size) || !read_number(p, footer, metadata_size) ||
      metadata_size > static_cast<std::uint64_t>(footer - p)) {
    return BpsResult::bad_action;
  }
  p += metadata_size;
  // Checked before anything is allocated, so that a small patch cannot ask for gigabytes.
  if (found.expected_source_size > bps_max_target_size || found.target_size > bps_max_target_size) {
    return BpsResult::impossible_size;
  }

  found.actual_source_size = source.size();
  found.actual_source_crc = crc32(source.data(), source.size());
  if (found.actual_source_size != found.expected_source_size ||
      found.actual_source_crc != found.expected_source_crc) {
    return BpsResult::wrong_source;
  }
  try {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(found.target_size));
    const BpsResult result = apply_actions(p, footer, source, out);
    if (result != BpsResult::ok) return result;
    found.actual_target_crc = crc32(out.data(), out.size());
    if (found.actual_target_crc != found.expected_target_crc) return BpsResult::wrong_target;
    target.swap(out);
    return BpsResult::ok;
  } catch (const std::bad_alloc&) {
    return BpsResult::out_of_memory;
  }
}
