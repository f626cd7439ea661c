#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/csv_file.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// The 64 party formations: "form.csv". Formations 0x00-0x1F have a name and their data,
// 0x20-0x3F a name only.
struct FormationTable : TableBlock {
  std::vector<TableRecord> rows;
};

const Layout& formation_layout();
// Moves formation data between the record and its gathered bytes: the role entry (11 bytes),
// the position entry and the info position entry (12 each) and the technique list (7), in
// that order.
void formation_field_map(std::uint8_t* entry, TableRecord& record, Direction direction);
void formation_cell_map(const CellTarget& target, TableRecord& record, Direction direction,
                        int index);
// Cuts the targeting rates of a row read from the file so that their sum stays within 255.
void apply_rate_rule(TableRecord& record, int index, Report* report = nullptr);
std::unique_ptr<FormationTable> load_formations(JobContext& job);
void write_formation_csv(JobContext& job, const std::string& folder, const FormationTable* table);
std::unique_ptr<FormationTable> read_formation_csv(JobContext& job, const std::string& folder);
void store_formations(JobContext& job, const FormationTable* table);
