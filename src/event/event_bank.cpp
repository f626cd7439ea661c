#include "event/event_bank.hpp"

#include <algorithm>
#include <cstdio>

#include "core/rom_image.hpp"
#include "event/event_messages.hpp"
#include "table/layout.hpp"

namespace {

const EventBankArea bank_areas[event_bank_count] = {
    {0x3A0000, 0x5800},
    {0x3B0000, 0xF800},
    {0x3C0000, 0xE580},
};

// A pointer of the table: one little-endian word per entry.
constexpr Field pointer = {0, 0xFFFF, word_field, no_cell, nullptr};
constexpr std::size_t pointer_size = 2;

}  // namespace

const EventBankArea& event_bank_area(int b) { return bank_areas[b]; }

void EventBank::clear() {
  offsets.fill(0);
  std::fill(text.begin(), text.end(), 0);
}

void event_field_map(std::uint8_t* two_bytes, EventBank& bank, Direction direction, int index) {
  transfer_bits(two_bytes + pointer.rom_byte, direction, pointer.bits,
                bank.offsets[static_cast<std::size_t>(index)], pointer.mask);
}

void load_event_bank(JobContext& job, EventBank& bank, int b) {
  const EventBankArea& area = event_bank_area(b);
  bank.clear();
  std::array<std::uint8_t, event_entry_count * pointer_size> table{};
  rom_read(job.rom, table.data(), area.base, table.size());
  for (int i = 0; i < event_entry_count; ++i) {
    event_field_map(&table[pointer_size * static_cast<std::size_t>(i)], bank, Direction::extract, i);
  }
  rom_read(job.rom, bank.text.data(), area.base + event_text_start, area.text_size);
}

void store_event_bank(JobContext& job, EventBank& bank, int b) {
  const EventBankArea& area = event_bank_area(b);
  std::array<std::uint8_t, event_entry_count * pointer_size> table{};
  for (int i = 0; i < event_entry_count; ++i) {
    event_field_map(&table[pointer_size * static_cast<std::size_t>(i)], bank, Direction::build, i);
  }
  rom_write(job.rom, table.data(), area.base, table.size());
  rom_write(job.rom, bank.text.data(), area.base + event_text_start, area.text_size);
}

std::vector<std::uint8_t> event_entry_bytes(const EventBank& bank, int i, std::int32_t area) {
  const std::int32_t start = i == 0 ? 0 : bank.offsets[static_cast<std::size_t>(i - 1)];
  std::int32_t end = bank.offsets[static_cast<std::size_t>(i)];
  if (start > area || end > area) return {};
  if (end < start) {
    end = area;
    for (const std::int32_t pointer : bank.offsets) {
      if (pointer > start && pointer < end) end = pointer;
    }
  }
  return std::vector<std::uint8_t>(bank.text.begin() + start, bank.text.begin() + end);
}

std::string event_file_path(const std::string& folder, int b) {
  char name[32];
  std::snprintf(name, sizeof name, event_msg::file_name, b + 1);
  return folder + name;
}
