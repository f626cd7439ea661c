#include "sample_rom.hpp"

namespace {

constexpr std::uint32_t name_table = 0x3D0A80;
constexpr std::uint32_t size_table = 0x26E400;
constexpr std::uint32_t stat_table = 0x3E3F8B;
constexpr std::uint32_t monsters = 320;

// A name of kana and kanji padded with blanks; every eighth one carries a tag or an
// extra-page pair somewhere inside it.
std::vector<std::uint8_t> monster_name(SampleRom& rom, std::uint32_t id) {
  std::vector<std::uint8_t> name = sample_name(rom, 8);
  if (id % 8 != 0) return name;
  static const std::vector<std::uint8_t> tags[] = {
      {0x36, 0x02}, {0x18, 0x07}, {0x00}, {0x25, 0x41}, {0x3A, 0xFF}, {0x20, 0x10}};
  const std::vector<std::uint8_t>& tag = tags[(id / 8) % 6];
  // A tag replaces whole glyphs from a glyph boundary on and is followed by blanks.
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at + tag.size() <= 8; at += name[at] >= 0x50 ? 1 : 2) starts.push_back(at);
  const std::size_t at = starts[rom.random(static_cast<std::uint32_t>(starts.size()))];
  std::vector<std::uint8_t> tagged(name.begin(), name.begin() + static_cast<long>(at));
  tagged.insert(tagged.end(), tag.begin(), tag.end());
  tagged.resize(8, 0x50);
  return tagged;
}

}  // namespace

// Names, sizes from 1 to 5 each way and statistics records in which every bit is a field.
void fill_monsters(SampleRom& rom) {
  for (std::uint32_t id = 0; id < monsters; ++id) {
    rom.put(name_table + 8 * id, monster_name(rom, id));
    rom.put8(size_table + id, static_cast<std::uint8_t>((1 + rom.random(5)) << 4 | (1 + rom.random(5))));

    const std::uint32_t at = stat_table + 25 * id;
    const std::uint32_t race = rom.random(16);
    const std::uint32_t sex = rom.random(3) == 0 ? 0x80 : rom.random(2) == 0 ? 0x40 : 0;
    const std::uint32_t undead = race == 14 ? 0x20 : 0;
    const std::uint32_t unknown = rom.random(10) == 0 ? 0x10 : 0;
    rom.put8(at, static_cast<std::uint8_t>(sex | undead | unknown | race));
    rom.put8(at + 1, static_cast<std::uint8_t>(rom.random(32) << 3 | rom.random(7)));
    rom.put8(at + 2, static_cast<std::uint8_t>(rom.random(256)));
    rom.put8(at + 3, static_cast<std::uint8_t>(rom.random(4)));
    rom.put16(at + 4, static_cast<std::uint16_t>(20 + 25 * id + rom.random(200 + 20 * id)));
    for (std::uint32_t k = 6; k <= 16; ++k) rom.put8(at + k, static_cast<std::uint8_t>(1 + rom.random(60 + id / 8)));
    rom.put8(at + 17, static_cast<std::uint8_t>(rom.random(256)));
    rom.put8(at + 18, static_cast<std::uint8_t>(rom.random(256)));
    for (std::uint32_t k = 19; k <= 23; ++k) rom.put8(at + k, static_cast<std::uint8_t>(rom.random(0xC0)));
    rom.put8(at + 24, static_cast<std::uint8_t>(rom.random(4) << 6 | rom.random(64)));
  }
}
