#include "sample_rom.hpp"

// Names, prices, the packed effect stream, the consumable records and both comment tables.
void fill_items(SampleRom& rom) {
  for (std::uint32_t id = 0; id < 256; ++id) {
    rom.put(0x3D0280 + 8 * id, sample_name(rom, 8));
    rom.put16(0x3E9958 + 2 * id, static_cast<std::uint16_t>(id % 5 == 0 ? rom.random(0x10000) : 10 * rom.random(3000)));
  }
  std::uint32_t stream = 0x3E0000;
  for (std::uint32_t id = 0; id < 0x60; ++id, stream += 4) {
    for (std::uint32_t k = 0; k < 4; ++k) rom.put8(stream + k, static_cast<std::uint8_t>(rom.random(0x100)));
  }
  // Armour bits that no field owns stay clear.
  static const std::uint8_t armour_owned[9] = {0xFF, 0xF7, 0xFF, 0xF7, 0xFF, 0xBF, 0xFF, 0xFF, 0xCF};
  for (std::uint32_t id = 0x60; id < 0xE0; ++id, stream += 9) {
    for (std::uint32_t k = 0; k < 9; ++k) {
      rom.put8(stream + k, static_cast<std::uint8_t>(rom.random(0x100) & armour_owned[k]));
    }
  }
  for (std::uint32_t i = 0; i < 8; ++i) rom.put8(0x3E95C3 + i, static_cast<std::uint8_t>(rom.random(0x40)));
  for (std::uint32_t i = 0; i < 32; ++i) {
    rom.put16(0x3E9738 + 2 * i, static_cast<std::uint16_t>(rom.random(0x10000)));
    rom.put8(0x3E9778 + i, static_cast<std::uint8_t>(0x40 + rom.random(0x40)));
  }
}
