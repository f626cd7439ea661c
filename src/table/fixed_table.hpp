#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/description.hpp"
#include "table/pipeline_table.hpp"
#include "table/record_lines.hpp"
#include "table/table_block.hpp"

// The rows of a fixed table: one vector of records per section.
struct FixedTableBlock : TableBlock {
  std::vector<std::vector<TableRecord>> rows;
};

// The four steps of every table whose rows are fixed: each row's entry gathered from the
// section's ROM sources and its name slot, and moved through the layout.
std::unique_ptr<FixedTableBlock> load_fixed_table(JobContext& job, const TableDescription& table);
// The preamble, then per section an empty line, the title line of a titled file, the header
// and one line per row, then the comments.
void write_fixed_csv(JobContext& job, const std::string& folder, const TableDescription& table,
                     const FixedTableBlock* block);
// A file that ends before the last row gives no table: the message names the file and the
// ROM keeps its bytes.
std::unique_ptr<FixedTableBlock> read_fixed_csv(JobContext& job, const std::string& folder,
                                                const TableDescription& table);
// Every entry is rebuilt from zero through the layout.
void store_fixed_table(JobContext& job, const TableDescription& table,
                       const FixedTableBlock* block);

// Two tables whose name slots are the same bytes: for each row whose files give the slot
// different names, a warning at the later table's line names the earlier table's line and
// says the later one's name is stored (it is stored last).
void report_shared_names(Report& report, const TableDescription& earlier,
                         const FixedTableBlock& earlier_rows, const TableDescription& later,
                         const FixedTableBlock& later_rows);

PipelineTable fixed_table_steps(const TableDescription& table);
