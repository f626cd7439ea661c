#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/csv_file.hpp"
#include "table/description.hpp"
#include "table/pipeline_table.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// The four technique derivation tables: "flash.csv". Each is an area of two-byte slots holding
// rows packed one after another: a header slot (source technique, number of pairs), then the
// pairs (derived technique, difficulty). A header whose first byte is 0xFF ends the rows.
struct LearningSubTable {
  const char* name;  // also the title in the file and the log text
  std::uint32_t rom_offset;
  int capacity;      // slots
};
inline constexpr int learning_sub_table_count = 4;
const std::array<LearningSubTable, learning_sub_table_count>& learning_sub_tables();

struct LearningTables : TableBlock {
  // Each sub-table's slots, as many as its capacity; every slot has the two fields of the
  // slot layout.
  std::array<std::vector<TableRecord>, learning_sub_table_count> slots;
  // Slots in use of each sub-table as read from the file; -1 when the sub-table keeps its ROM
  // bytes (the file ends before its empty line, its rows do not fit, or a cell cannot be read).
  std::array<int, learning_sub_table_count> used{};
};

const Layout& learning_slot_layout();
const TableDescription& learning_table();
void learning_field_map(std::uint8_t* bytes, TableRecord& slot, Direction direction);
// Moves the two fields of a pair slot at cells c and c + 1 (the extract's direction; the build
// reads rows cell by cell); returns what the difficulty cell's transfer returns.
std::size_t learning_cell_map(const CellTarget& target, TableRecord& slot, Direction direction,
                              int cell);
std::unique_ptr<LearningTables> load_learning_tables(JobContext& job);
void write_learning_csv(JobContext& job, const std::string& folder, const LearningTables* tables);
std::unique_ptr<LearningTables> read_learning_csv(JobContext& job, const std::string& folder);
void store_learning_tables(JobContext& job, const LearningTables* tables);
// The steps of this table for the registry.
PipelineTable learning_steps(const TableDescription& table);
