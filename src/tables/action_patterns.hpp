#pragma once
#include <memory>
#include <string>

#include "core/job_context.hpp"
#include "table/fixed_table.hpp"

// Enemy action patterns, the two-action list and the drop items: "monster_ptn.csv".
using ActionPatternTable = FixedTableBlock;

const FixedTable& action_pattern_table();
void action_pattern_field_map(std::uint8_t* entry, ActionPatternTable& table, Direction direction,
                              int group, int row);
void action_pattern_cell_map(const CellTarget& target, ActionPatternTable& table,
                             Direction direction, int group, int row);
std::unique_ptr<ActionPatternTable> load_action_patterns(JobContext& job);
void write_action_pattern_csv(JobContext& job, const std::string& folder, const ActionPatternTable* table);
std::unique_ptr<ActionPatternTable> read_action_pattern_csv(JobContext& job, const std::string& folder);
void store_action_patterns(JobContext& job, const ActionPatternTable* table);
