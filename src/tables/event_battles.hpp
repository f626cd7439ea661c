#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/bits.hpp"
#include "table/description.hpp"
#include "table/pipeline_table.hpp"
#include "table/table_block.hpp"

// The 256 event battles: "event_battle.csv". Byte strings reached through a table of 16-bit
// pointers into bank 0x3E and packed back to back into one data area.
inline constexpr std::size_t event_battle_count = 256;
inline constexpr std::size_t event_battle_area_size = 4096;
inline constexpr std::uint32_t event_battle_pointers = 0x3E7F5B;
inline constexpr std::uint32_t event_battle_area = 0x3E815B;
inline constexpr std::int32_t event_battle_unused = 0xFFFF;

using BattleRows = std::vector<std::vector<std::uint8_t>>;

// Loaded from the image: its pointers and area. Read from the file: the listed entries, in ID
// order, and which of them keep the image's bytes because a cell could not be read.
struct EventBattleTable : TableBlock {
  // The ROM offset of each entry, or event_battle_unused.
  std::array<std::int32_t, event_battle_count> address{};
  std::array<std::uint8_t, event_battle_area_size> data{};
  BattleRows rows;
  std::vector<bool> kept;
};

const TableDescription& event_battle_table();
void event_battle_field_map(std::uint8_t* rom_bytes, std::int32_t& address, Direction direction);
std::unique_ptr<EventBattleTable> load_event_battles(JobContext& job);
void write_event_battle_csv(JobContext& job, const std::string& folder, const EventBattleTable* table);
std::unique_ptr<EventBattleTable> read_event_battle_csv(JobContext& job, const std::string& folder);
void store_event_battles(JobContext& job, const EventBattleTable* table);
// The steps of this table for the registry.
PipelineTable event_battle_steps(const TableDescription& table);
