#include "sample_rom.hpp"

// 220 usable and 36 dodge techniques with their spark types, comments and the bitmap of
// techniques mastered from the start.
void fill_ally_techs(SampleRom& rom) {
  for (std::uint32_t i = 0; i < 256; ++i) {
    rom.put(0x3D27C0 + 10 * i, sample_name(rom, 10));
    const std::uint32_t effect = 0x3E0F00 + 14 * i;
    if (i < 0xDC) {
      rom.put8(effect + 0, static_cast<std::uint8_t>(60 + rom.random(41)));  // accuracy
      for (std::uint32_t b = 1; b < 14; ++b) rom.put8(effect + b, static_cast<std::uint8_t>(rom.random(256)));
      // Bits of no field: 0x04 and 0x02 of byte 7, 0x04 of byte 11.
      rom.put8(effect + 7, static_cast<std::uint8_t>(rom.get8(effect + 7) & ~0x06));
      rom.put8(effect + 11, static_cast<std::uint8_t>(rom.get8(effect + 11) & ~0x04));
    } else {
      for (std::uint32_t b = 0; b < 4; ++b) rom.put8(effect + b, static_cast<std::uint8_t>(rom.random(0xDC)));
      for (std::uint32_t b = 4; b < 14; ++b) rom.put8(effect + b, static_cast<std::uint8_t>(rom.random(256)));
    }
    const std::uint32_t sparks = (1u << rom.random(16)) | (rom.random(4) == 0 ? 1u << rom.random(16) : 0);
    rom.put16(0x3E353F + 2 * i, static_cast<std::uint16_t>(sparks));
    rom.put8(0x3E94C3 + i, static_cast<std::uint8_t>(rom.random(256)));
  }
  for (std::uint32_t b = 0; b < 32; ++b) {
    rom.put8(0x3DEFFC + b, static_cast<std::uint8_t>(rom.random(256) & rom.random(256)));
  }
}
