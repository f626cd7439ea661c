#include "sample_rom.hpp"

// Patterns of eight enemy techniques, a few two-action enemies and drop lists.
void fill_action_patterns(SampleRom& rom) {
  for (std::uint32_t row = 0; row < 256; ++row) {
    for (std::uint32_t k = 0; k < 8; ++k) {
      rom.put8(0x3E5ECB + 8 * row + k, static_cast<std::uint8_t>(rom.random(0xC0)));
    }
  }
  for (std::uint32_t row = 0; row < 32; ++row) {
    rom.put16(0x3E66CB + 2 * row, static_cast<std::uint16_t>(row < 20 ? 0x100 + rom.random(0x80) : 0));
  }
  for (std::uint32_t row = 0; row < 64; ++row) {
    const std::uint32_t at = 0x3E678B + 5 * row;
    static const std::uint8_t special[] = {0xFD, 0xFE, 0xFF};
    rom.put8(at, row % 7 == 0 ? special[row % 3] : static_cast<std::uint8_t>(rom.random(0xFD)));
    for (std::uint32_t k = 1; k < 4; ++k) rom.put8(at + k, static_cast<std::uint8_t>(rom.random(0x100)));
    rom.put8(at + 4, static_cast<std::uint8_t>(rom.random(256)));
  }
}
