#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// Enemy techniques, "mons_tech.csv": 256 names, effect records and dodge difficulties.
using EnemyTechRecord = TableRecord;

struct EnemyTechTable : TableBlock {
  std::vector<EnemyTechRecord> rows;
};

// The columns of a row. The entry bytes of a technique are its 16 effect bytes followed by
// its difficulty byte.
const Layout& enemy_tech_layout();
inline constexpr std::size_t enemy_tech_entry_size = 17;

void enemy_tech_field_map(std::uint8_t* entry, EnemyTechRecord& record, Direction direction);
void enemy_tech_cell_map(const CellTarget& target, EnemyTechRecord& record, Direction direction);
std::unique_ptr<EnemyTechTable> load_enemy_techs(JobContext& job);
void write_enemy_tech_csv(JobContext& job, const std::string& folder, const EnemyTechTable* table);
std::unique_ptr<EnemyTechTable> read_enemy_tech_csv(JobContext& job, const std::string& folder);
void store_enemy_techs(JobContext& job, const EnemyTechTable* table);
