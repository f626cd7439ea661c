#include "sample_rom.hpp"

// 256 character names; the first 48 also get statistics and growth records.
void fill_characters(SampleRom& rom) {
  for (std::uint32_t i = 0; i < 256; ++i) rom.put(0x3D1480 + 8 * i, sample_name(rom, 8));
  for (std::uint32_t i = 0; i < 48; ++i) {
    const std::uint32_t stat = 0x3E0600 + 48 * i;
    for (std::uint32_t b = 0; b < 48; ++b) rom.put8(stat + b, static_cast<std::uint8_t>(rom.random(256)));
    rom.put16(stat + 3, static_cast<std::uint16_t>(100 + rom.random(900) + (i % 3 == 0 ? 0x8000 : 0)));
    // Bits 0x40 and 0x80 of byte 45 belong to no field.
    rom.put8(stat + 45, static_cast<std::uint8_t>(rom.get8(stat + 45) & 0x3F));
    const std::uint32_t growth = 0x3E31BF + 16 * i;
    for (std::uint32_t b = 0; b < 16; ++b) rom.put8(growth + b, static_cast<std::uint8_t>(rom.random(16)));
  }
}
