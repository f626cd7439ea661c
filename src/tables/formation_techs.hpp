#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// Formation techniques, "form_tech.csv": 64 rows, row i being technique number i + 0x20.
using FormationTechRecord = TableRecord;

struct FormationTechTable : TableBlock {
  std::vector<FormationTechRecord> rows;
};

// The columns of a row; the entry bytes are the 12 requirement bytes followed by the 14
// effect bytes.
const Layout& formation_tech_layout();
inline constexpr std::size_t formation_tech_entry_size = 26;

void formation_tech_field_map(std::uint8_t* entry, FormationTechRecord& record,
                              Direction direction);
void formation_tech_cell_map(const CellTarget& target, FormationTechRecord& record,
                             Direction direction);
std::unique_ptr<FormationTechTable> load_formation_techs(JobContext& job);
void write_formation_tech_csv(JobContext& job, const std::string& folder, const FormationTechTable* table);
std::unique_ptr<FormationTechTable> read_formation_tech_csv(JobContext& job, const std::string& folder);
void store_formation_techs(JobContext& job, const FormationTechTable* table);
