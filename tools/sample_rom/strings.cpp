#include "sample_rom.hpp"

namespace {

struct StringList {
  std::uint32_t pointer_table;
  std::uint32_t pointers;
  std::uint32_t minimum_kept;
  std::uint32_t text_area;
};

const StringList lists[] = {
    {0x3D6000, 256, 185, 0x3D6200}, {0x3D7800, 640, 536, 0x3D7D00},
    {0x3D9800, 256, 70, 0x3D9A00},  {0x3DA800, 128, 69, 0x3DA900},
    {0x3DB000, 74, 73, 0x3DB094},   {0x3DC000, 256, 255, 0x3DC200},
};

// Tags that take no argument under the default table.
const std::uint8_t plain_tags[] = {0x00, 0x01, 0x24, 0x30, 0x4B};

// One to four pieces (at most eight bytes): kana, kanji, plain tags and the one-argument tag
// 0x36, all of which decode and encode back to the same bytes.
void append_piece(SampleRom& rom, std::vector<std::uint8_t>& text) {
  const std::uint32_t kind = rom.random(10);
  if (kind < 6) {
    text.push_back(static_cast<std::uint8_t>(0x51 + rom.random(0xAF)));
  } else if (kind < 8) {
    const std::uint8_t lead = static_cast<std::uint8_t>(0x20 + rom.random(4));
    text.push_back(lead);
    text.push_back(static_cast<std::uint8_t>(lead == 0x20 ? 0xB0 + rom.random(0x50) : rom.random(256)));
  } else if (kind < 9) {
    text.push_back(plain_tags[rom.random(sizeof plain_tags)]);
  } else {
    text.push_back(0x36);
    text.push_back(static_cast<std::uint8_t>(rom.random(256)));
  }
}

}  // namespace

// Each list holds between its minimum and its n - 1 strings, packed from the start of its
// area with a few empty ones among them (never the last); unused pointers are 0xFFFF and the
// area after the last string keeps the background.
void fill_strings(SampleRom& rom) {
  for (const StringList& list : lists) {
    const std::uint32_t count = list.minimum_kept + rom.random(list.pointers - list.minimum_kept);
    std::vector<std::uint8_t> area;
    rom.put16(list.pointer_table, 0);
    for (std::uint32_t k = 0; k < count; ++k) {
      const bool empty = k + 1 < count && rom.random(16) == 0;
      const std::uint32_t pieces = empty ? 0 : 1 + rom.random(4);
      for (std::uint32_t i = 0; i < pieces; ++i) append_piece(rom, area);
      rom.put16(list.pointer_table + 2 * (k + 1), static_cast<std::uint16_t>(area.size()));
    }
    for (std::uint32_t k = count + 1; k < list.pointers; ++k) {
      rom.put16(list.pointer_table + 2 * k, 0xFFFF);
    }
    rom.put(list.text_area, area);
  }
}
