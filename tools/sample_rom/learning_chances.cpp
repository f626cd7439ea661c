#include "sample_rom.hpp"

namespace {

// Rows of a source technique and its derived techniques with their difficulties, packed
// from the area's first slot. `used` slots hold rows, the rest is 0xFF (the first of them
// being the end marker).
void fill_area(SampleRom& rom, std::uint32_t offset, std::uint32_t capacity, std::uint32_t used) {
  rom.fill(offset, 2 * capacity, 0xFF);
  std::uint32_t slot = 0;
  while (slot < used) {
    const std::uint32_t room = used - slot - 1;
    std::uint32_t pairs = 1 + rom.random(4);
    if (pairs > room) pairs = room;
    rom.put(offset + 2 * slot, {static_cast<std::uint8_t>(rom.random(0xFF)), static_cast<std::uint8_t>(pairs)});
    for (std::uint32_t p = 1; p <= pairs; ++p) {
      rom.put(offset + 2 * (slot + p),
              {static_cast<std::uint8_t>(rom.random(0x100)), static_cast<std::uint8_t>(rom.random(0x100))});
    }
    slot += pairs + 1;
  }
}

}  // namespace

// The counter-technique tables are filled exactly to their capacity, without end marker.
void fill_learning_chances(SampleRom& rom) {
  fill_area(rom, 0x3E3A4B, 384, 350);
  fill_area(rom, 0x3E3F1B, 24, 24);
  fill_area(rom, 0x3E3E4B, 96, 80);
  fill_area(rom, 0x3E3F0B, 8, 8);
}
