#include "sample_rom.hpp"

namespace {

struct NameList {
  std::uint32_t offset;
  std::uint32_t slot_size;
  std::uint32_t slots;
};

// Jobs, places, formation techniques, trade properties, menu messages, mass-combat orders
// and formations, commander orders, tournament teams.
const NameList lists[] = {
    {0x3D1C80, 10, 32}, {0x3D1DC0, 10, 256}, {0x3D3BC0, 10, 64},
    {0x3D3E40, 14, 256}, {0x3D4C40, 26, 64}, {0x3D52C0, 12, 96},
    {0x3D5740, 12, 32}, {0x3D58C0, 10, 16}, {0x3D5960, 8, 16},
};
constexpr std::size_t formation_techniques = 2;

// Glyphs only: single-byte codes, or a lead byte 0x20..0x23 with a second byte that makes a
// glyph of it.
bool is_glyph_text(const SampleRom& rom, std::uint32_t at, std::uint32_t size) {
  for (std::uint32_t i = 0; i < size; ++i) {
    const std::uint8_t b = rom.get8(at + i);
    if (b >= 0x50) continue;
    if (b < 0x20 || b > 0x23 || i + 1 == size) return false;
    const std::uint8_t second = rom.get8(at + ++i);
    if (b == 0x20 && second < 0xB0) return false;
  }
  return true;
}

}  // namespace

// The formation-technique names are also that table's; names already valid there are kept,
// so both views show the same bytes.
void fill_proper_names(SampleRom& rom) {
  for (std::size_t g = 0; g < sizeof lists / sizeof lists[0]; ++g) {
    const NameList& list = lists[g];
    for (std::uint32_t j = 0; j < list.slots; ++j) {
      const std::uint32_t at = list.offset + list.slot_size * j;
      if (g == formation_techniques && is_glyph_text(rom, at, list.slot_size)) continue;
      rom.put(at, sample_name(rom, list.slot_size));
    }
  }
  // A tournament team whose name fills its eight bytes, and a menu message with kanji.
  rom.put(0x3D5960 + 8 * 3, {0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89});
  rom.put(0x3D4C40 + 26 * 5, {0x20, 0xB0, 0x21, 0x00, 0x23, 0x05, 0x51, 0x50, 0x50});
}
