#pragma once
#include <memory>
#include <string>

#include "core/job_context.hpp"
#include "table/fixed_table.hpp"

// The nine fixed-width name lists: "name.csv". One section per list; every row is an ID and
// a name, and the name slots are the sections' entries.
using NameTable = FixedTableBlock;

const FixedTable& name_groups();
void name_cell_map(const CellTarget& target, TableRecord& record, Direction direction);
std::unique_ptr<NameTable> load_names(JobContext& job);
void write_name_csv(JobContext& job, const std::string& folder, const NameTable* table);
std::unique_ptr<NameTable> read_name_csv(JobContext& job, const std::string& folder);
void store_names(JobContext& job, const NameTable* table);
