#pragma once
#include <memory>
#include <string>

#include "table/fixed_table.hpp"

// The nine fixed-width name lists: "name.csv". One section per list; every row is an ID and
// a name in the section's slot.
const TableDescription& proper_name_table();

// The shared steps under the names the benchmarks use.
std::unique_ptr<FixedTableBlock> load_names(JobContext& job);
void write_name_csv(JobContext& job, const std::string& folder, const FixedTableBlock* table);
// Reads name.csv; see proper_name_steps.
std::unique_ptr<FixedTableBlock> read_name_csv(JobContext& job, const std::string& folder);
void store_names(JobContext& job, const FixedTableBlock* table);
// The shared steps, but a read also compares the formation-technique names with those of
// form_tech.csv, which are the same slots, and names each that differs.
PipelineTable proper_name_steps(const TableDescription& table);
