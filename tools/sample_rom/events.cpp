#include <cstdint>
#include <vector>

#include "event/event_bank.hpp"
#include "event/event_tags.hpp"
#include "sample_rom.hpp"

namespace {

void add_glyph(SampleRom& rom, std::vector<std::uint8_t>& entry) {
  if (rom.random(4) != 0) {
    entry.push_back(static_cast<std::uint8_t>(0x50 + rom.random(0xB0)));
  } else {
    const std::uint32_t glyph = 0xB0 + rom.random(0x400 - 0xB0);
    entry.push_back(static_cast<std::uint8_t>(0x20 + (glyph >> 8)));
    entry.push_back(static_cast<std::uint8_t>(glyph));
  }
}

void add_random_bytes(SampleRom& rom, std::vector<std::uint8_t>& entry, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; ++k) entry.push_back(static_cast<std::uint8_t>(rom.random(0x100)));
}

// A control code with its arguments as the event table counts them. Bytes 0x18 and 0x21 to
// 0x23 are never tags, and the argument of 0x20 stays below 0xB0 so that it is not a glyph.
void add_tag(SampleRom& rom, std::vector<std::uint8_t>& entry) {
  const std::vector<std::uint8_t>& counts = event_tag_arguments();
  const std::uint32_t kind = rom.random(10);
  if (kind == 0) {
    const std::uint32_t length = rom.random(6);
    entry.push_back(0x48);
    entry.push_back(static_cast<std::uint8_t>(rom.random(0x100)));
    entry.push_back(static_cast<std::uint8_t>(length));
    add_random_bytes(rom, entry, length);
    return;
  }
  if (kind == 1) {
    const std::uint8_t sub_code = static_cast<std::uint8_t>(rom.random(0x100));
    entry.push_back(0x4F);
    entry.push_back(sub_code);
    add_random_bytes(rom, entry, counts[0x50u + sub_code] - 1u);
    return;
  }
  std::uint8_t tag;
  do {
    tag = static_cast<std::uint8_t>(rom.random(0x50));
  } while (tag == 0x18 || (tag >= 0x21 && tag <= 0x23) || tag == 0x48 || tag == 0x4F);
  entry.push_back(tag);
  if (tag == 0x20) {
    entry.push_back(static_cast<std::uint8_t>(rom.random(0xB0)));
  } else {
    add_random_bytes(rom, entry, counts[tag]);
  }
}

std::vector<std::uint8_t> make_entry(SampleRom& rom, std::uint32_t target) {
  std::vector<std::uint8_t> entry;
  while (entry.size() < target) {
    if (rom.random(5) == 0) {
      add_tag(rom, entry);
    } else {
      add_glyph(rom, entry);
    }
  }
  return entry;
}

}  // namespace

// Each bank holds 1024 scripts of glyphs and control codes, packed back to back from the
// start of its text area, with the pointers following; the rest of the area is 0xFF.
void fill_events(SampleRom& rom) {
  for (int b = 0; b < event_bank_count; ++b) {
    const EventBankArea& area = event_bank_area(b);
    const std::uint32_t text = area.base + event_text_start;
    const std::uint32_t budget = area.text_size - area.text_size / 16;
    const std::uint32_t average = budget / event_entry_count;
    std::uint32_t end = 0;
    for (int i = 0; i < event_entry_count; ++i) {
      const std::uint32_t target = rom.random(16) == 0 ? 0 : 1 + rom.random(2 * average);
      std::vector<std::uint8_t> entry = make_entry(rom, target);
      if (end + entry.size() > budget) entry.clear();
      rom.put(text + end, entry);
      end += static_cast<std::uint32_t>(entry.size());
      rom.put16(area.base + 2 * static_cast<std::uint32_t>(i), static_cast<std::uint16_t>(end));
    }
    rom.fill(text + end, area.text_size - end, 0xFF);
  }
}
