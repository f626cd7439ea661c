#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// Monsters, "monster.csv": 320 names, size bytes and statistics records.
using MonsterRecord = TableRecord;

struct MonsterTable : TableBlock {
  std::vector<MonsterRecord> rows;
};

inline constexpr int monster_count = 320;
inline constexpr std::size_t monster_name_size = 8;

// The columns of a row. The entry bytes of a monster are its size byte followed by its 25
// stat bytes.
const Layout& monster_layout();
inline constexpr std::size_t monster_entry_size = 26;

void monster_field_map(std::uint8_t* entry, MonsterRecord& record, Direction direction);
void monster_cell_map(const CellTarget& target, MonsterRecord& record, Direction direction);
std::unique_ptr<MonsterTable> load_monsters(JobContext& job);
void write_monster_csv(JobContext& job, const std::string& folder, const MonsterTable* table);
std::unique_ptr<MonsterTable> read_monster_csv(JobContext& job, const std::string& folder);
void store_monsters(JobContext& job, const MonsterTable* table);
