#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// Ally techniques, "tech.csv": 220 usable techniques (0x00-0xDB) and 36 dodge techniques
// (0xDC-0xFF), each sub-table with its own record layout and header row.
using AllyTechRecord = TableRecord;

struct AllyTechTable : TableBlock {
  std::vector<AllyTechRecord> rows;
};

inline constexpr int first_dodge_tech = 0xDC;

// The columns of technique `id`'s row. Its entry bytes are the 14 effect bytes, the 2 spark
// type bytes, the comment ID and a byte whose bit 0 is the technique's initial-mastery bit.
const Layout& ally_tech_layout(int id);
inline constexpr std::size_t ally_tech_entry_size = 18;

void ally_tech_field_map(std::uint8_t* entry, AllyTechRecord& record, Direction direction, int id);
void ally_tech_cell_map(const CellTarget& target, AllyTechRecord& record, Direction direction,
                        int id);
std::unique_ptr<AllyTechTable> load_ally_techs(JobContext& job);
void write_ally_tech_csv(JobContext& job, const std::string& folder, const AllyTechTable* table);
std::unique_ptr<AllyTechTable> read_ally_tech_csv(JobContext& job, const std::string& folder);
void store_ally_techs(JobContext& job, const AllyTechTable* table);
