#include "sample_rom.hpp"

// 64 formation techniques (technique numbers 0x20-0x5F): names, requirements and effects.
void fill_formation_techs(SampleRom& rom) {
  for (std::uint32_t i = 0; i < 64; ++i) {
    rom.put(0x3D3BC0 + 10 * i, sample_name(rom, 10));
    const std::uint32_t requirement = 0x3E6A2B + 12 * (0x20 + i);
    for (std::uint32_t b = 0; b < 12; ++b) rom.put8(requirement + b, static_cast<std::uint8_t>(rom.random(256)));
    const std::uint32_t effect = 0x3E6EAB + 14 * (0x20 + i);
    for (std::uint32_t b = 0; b < 14; ++b) rom.put8(effect + b, static_cast<std::uint8_t>(rom.random(256)));
    // Bits of no field: 0x04 and 0x02 of byte 7, 0x04 of byte 11.
    rom.put8(effect + 7, static_cast<std::uint8_t>(rom.get8(effect + 7) & ~0x06));
    rom.put8(effect + 11, static_cast<std::uint8_t>(rom.get8(effect + 11) & ~0x04));
  }
}
