#include "sample_rom.hpp"

// 64 names; for the first 32 formations rising targeting totals, member roles and speeds,
// positions, info positions and formation technique lists.
void fill_formations(SampleRom& rom) {
  for (std::uint32_t i = 0; i < 64; ++i) rom.put(0x3D0000 + 10 * i, sample_name(rom, 10));
  for (std::uint32_t i = 0; i < 32; ++i) {
    const std::uint32_t role = 0x3E68CB + 11 * i;
    std::uint32_t total = 0;
    for (std::uint32_t j = 0; j < 5; ++j) {
      total += rom.random(256 - total < 80 ? 256 - total : 80);
      rom.put8(role + j, static_cast<std::uint8_t>(total));
      const std::uint32_t magnitude = rom.random(4);
      const std::uint32_t sign = magnitude && rom.random(2) ? 0x04 : 0;
      rom.put8(role + 5 + j, static_cast<std::uint8_t>((rom.random(32) << 3) | sign | magnitude));
    }
    rom.put8(role + 10, static_cast<std::uint8_t>(rom.random(0x100)));
    for (std::uint32_t k = 0; k < 12; ++k) {
      rom.put8(0x3E73EB + 12 * i + k, static_cast<std::uint8_t>(rom.random(0x100)));
      rom.put8(0x3E763B + 12 * i + k, static_cast<std::uint8_t>(rom.random(0x100)));
    }
    const std::uint32_t techs = 0x3E939B + 7 * i;
    for (std::uint32_t k = 0; k < 6; ++k) rom.put8(techs + k, static_cast<std::uint8_t>(0x20 + rom.random(0x40)));
    rom.put8(techs + 6, rom.random(3) == 0 ? 0x80 : 0x00);
  }
}
