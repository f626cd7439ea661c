#include "core/crc32.hpp"

#include <array>

namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table k advances a byte followed by k zero bytes, so eight bytes are folded in one step.
constexpr Tables make_tables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t k = 1; k < 8; ++k) {
    for (std::size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  }
  return t;
}

constexpr Tables tables = make_tables();

std::uint32_t load32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

}  // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous) {
  if (!data) return previous;
  std::uint32_t c = ~previous;
  for (; size >= 8; data += 8, size -= 8) {
    const std::uint32_t lo = load32(data) ^ c;
    const std::uint32_t hi = load32(data + 4);
    c = tables[7][lo & 0xFF] ^ tables[6][(lo >> 8) & 0xFF] ^ tables[5][(lo >> 16) & 0xFF] ^
        tables[4][lo >> 24] ^ tables[3][hi & 0xFF] ^ tables[2][(hi >> 8) & 0xFF] ^
        tables[1][(hi >> 16) & 0xFF] ^ tables[0][hi >> 24];
  }
  for (; size > 0; ++data, --size) c = (c >> 8) ^ tables[0][(c ^ *data) & 0xFF];
  return ~c;
}
