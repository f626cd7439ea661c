#include "sample_rom.hpp"

// 256 byte strings of up to 14 bytes (3584 in all), back to back from the start of the data
// area, their pointers into bank 0x3E, and the 0xFF fill after the last one. No entry holds
// 0xFF, so the last one never looks like the fill.
void fill_event_battles(SampleRom& rom) {
  constexpr std::uint32_t pointers = 0x3E7F5B;
  constexpr std::uint32_t area = 0x3E815B;
  constexpr std::uint32_t area_size = 4096;
  std::uint32_t used = 0;
  for (std::uint32_t j = 0; j < 256; ++j) {
    rom.put16(pointers + 2 * j, static_cast<std::uint16_t>((area + used) & 0xFFFF));
    const std::uint32_t length = j % 29 == 5 ? 0 : 1 + rom.random(14);
    for (std::uint32_t i = 0; i < length; ++i) {
      rom.put8(area + used++, static_cast<std::uint8_t>(rom.random(0xFF)));
    }
  }
  rom.fill(area + used, area_size - used, 0xFF);
}
