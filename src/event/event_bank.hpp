#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/bits.hpp"

inline constexpr int event_bank_count = 3;
inline constexpr int event_entry_count = 1024;

// Where bank b (from 0) lies: its pointer table at `base`, its text area after it.
struct EventBankArea {
  std::uint32_t base;
  std::uint32_t text_size;
};
inline constexpr std::uint32_t event_text_start = 0x800;  // from the bank's base
inline constexpr std::size_t event_text_capacity = 0xF800;  // the largest text area

const EventBankArea& event_bank_area(int b);

// One bank in memory. Each offset is the end of its entry and the start of the next,
// counted from the start of the text area.
struct EventBank {
  std::array<std::int32_t, event_entry_count> offsets{};
  std::vector<std::uint8_t> text = std::vector<std::uint8_t>(event_text_capacity, 0);
  void clear();
};

// Moves pointer `index` between its two ROM bytes and the bank's offset.
void event_field_map(std::uint8_t* two_bytes, EventBank& bank, Direction direction, int index);

// The pointers and the whole text area of bank b, from the input ROM and into the image.
void load_event_bank(JobContext& job, EventBank& bank, int b);
void store_event_bank(JobContext& job, EventBank& bank, int b);

// The bytes of entry i as the extract dumps them: from the previous pointer to its own, or, when
// its pointer runs backwards, to the next larger one; none when a pointer lies past the area.
std::vector<std::uint8_t> event_entry_bytes(const EventBank& bank, int i, std::int32_t area);

// The folder's event file of bank b.
std::string event_file_path(const std::string& folder, int b);
