#include "sample_rom.hpp"

// 256 enemy techniques: names, effect records and dodge difficulties.
void fill_enemy_techs(SampleRom& rom) {
  for (std::uint32_t i = 0; i < 256; ++i) {
    rom.put(0x3D31C0 + 10 * i, sample_name(rom, 10));
    const std::uint32_t effect = 0x3E1D00 + 16 * i;
    rom.put8(effect + 0, static_cast<std::uint8_t>(50 + rom.random(51)));  // accuracy
    for (std::uint32_t b = 1; b < 16; ++b) rom.put8(effect + b, static_cast<std::uint8_t>(rom.random(256)));
    // Bits 0x04 and 0x02 of byte 7 are unused and always come back as 0.
    rom.put8(effect + 7, static_cast<std::uint8_t>(rom.get8(effect + 7) & ~0x06));
    rom.put8(0x3E3D4B + i, static_cast<std::uint8_t>(rom.random(16)));
  }
}
