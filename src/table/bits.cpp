#include "table/bits.hpp"

std::uint32_t lowest_bit(std::uint32_t mask) {
  std::uint32_t shift = 0;
  while (shift < 32 && !(mask & (1u << shift))) ++shift;
  return shift;
}

void transfer_bits(std::uint8_t* rom, Direction direction, int kind, std::int32_t& field,
                   std::uint32_t mask) {
  if (!rom) return;
  const bool extract = direction == Direction::extract;
  switch (kind) {
    case byte_field: {
      const std::uint32_t shift = lowest_bit(mask);
      if (extract) {
        field |= static_cast<std::int32_t>(shift >= 8 ? 0 : (rom[0] & mask) >> shift);
      } else if (shift < 8) {
        rom[0] |= static_cast<std::uint8_t>((static_cast<std::uint32_t>(field) << shift) & mask);
      }
      break;
    }
    case word_field: {
      const std::uint32_t shift = lowest_bit(mask);
      if (extract) {
        const std::uint32_t word = rom[0] | (std::uint32_t{rom[1]} << 8);
        field |= static_cast<std::int32_t>(shift >= 16 ? 0 : (word & mask) >> shift);
      } else if (shift < 16) {
        const std::uint32_t bits = (static_cast<std::uint32_t>(field) << shift) & mask & 0xFFFF;
        rom[0] |= static_cast<std::uint8_t>(bits);
        rom[1] |= static_cast<std::uint8_t>(bits >> 8);
      }
      break;
    }
    case flag:
    case inverted_flag: {
      const bool set_means_one = kind == flag;
      if (extract) {
        const bool any = (rom[0] & mask) != 0;
        field |= (any == set_means_one) ? 1 : 0;
      } else {
        const bool one = (field & 1) != 0;
        if (one == set_means_one) rom[0] |= static_cast<std::uint8_t>(mask);
      }
      break;
    }
    default:
      break;
  }
}
