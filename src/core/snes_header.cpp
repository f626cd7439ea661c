#include "core/snes_header.hpp"

#include <cstring>

namespace {

constexpr std::size_t complement_at = 0x1C;
constexpr std::size_t checksum_at = 0x1E;
constexpr std::size_t header_size = 0x20;

// Eight bytes at a time: the bytes are added into four 16-bit lanes, which are emptied before
// they can overflow (127 steps add at most 127 * 510 to a lane).
std::uint32_t plain_sum(const std::uint8_t* bytes, std::size_t size) {
  constexpr std::uint64_t low_bytes = 0x00FF00FF00FF00FFull;
  std::uint32_t total = 0;
  std::size_t i = 0;
  while (i + 8 <= size) {
    std::uint64_t lanes = 0;
    for (int step = 0; step < 127 && i + 8 <= size; ++step, i += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes + i, sizeof word);
      lanes += (word & low_bytes) + ((word >> 8) & low_bytes);
    }
    for (int lane = 0; lane < 4; ++lane) total += static_cast<std::uint32_t>((lanes >> (16 * lane)) & 0xFFFF);
  }
  for (; i < size; ++i) total += bytes[i];
  return total;
}

// The sum over the next power of two at or above `size`; the remainder above the largest power
// below is itself mirrored before it is repeated.
std::uint32_t mirrored_sum(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  std::size_t head = 1;
  while (head <= size / 2) head *= 2;
  const std::size_t rest = size - head;
  if (rest == 0) return plain_sum(bytes, head);
  std::size_t covered = 1;
  while (covered < rest) covered *= 2;
  return plain_sum(bytes, head) +
         mirrored_sum(bytes + head, rest) * static_cast<std::uint32_t>(head / covered);
}

bool fits(std::size_t size, std::size_t header_offset) {
  return header_offset <= size && size - header_offset >= header_size;
}

std::uint16_t load16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void store16(std::uint8_t* p, std::uint16_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

std::uint16_t snes_checksum(const std::uint8_t* image, std::size_t size) {
  return image ? static_cast<std::uint16_t>(mirrored_sum(image, size)) : 0;
}

bool header_checksum_valid(const std::uint8_t* image, std::size_t size, std::size_t header_offset) {
  if (!image || !fits(size, header_offset)) return false;
  const std::uint16_t complement = load16(image + header_offset + complement_at);
  const std::uint16_t checksum = load16(image + header_offset + checksum_at);
  return (checksum ^ complement) == 0xFFFF && checksum == snes_checksum(image, size);
}

bool write_header_checksum(std::uint8_t* image, std::size_t size,
                           const std::vector<std::size_t>& header_offsets) {
  if (!image) return false;
  for (std::size_t at : header_offsets) {
    if (!fits(size, at)) return false;
  }
  // Any checksum with its complement adds the same 0x1FE to the sum, so the sum taken with this
  // pair in place is the one the final header has.
  for (std::size_t at : header_offsets) {
    store16(image + at + complement_at, 0xFFFF);
    store16(image + at + checksum_at, 0x0000);
  }
  const std::uint16_t checksum = snes_checksum(image, size);
  for (std::size_t at : header_offsets) {
    store16(image + at + complement_at, static_cast<std::uint16_t>(~checksum));
    store16(image + at + checksum_at, checksum);
  }
  return true;
}

bool write_header_checksum(std::uint8_t* image, std::size_t size, std::size_t header_offset) {
  return write_header_checksum(image, size, std::vector<std::size_t>{header_offset});
}
