#include "tables/action_patterns.hpp"

#include "core/report.hpp"
#include "core/messages.hpp"
#include "tables/tables.hpp"

namespace {

const char* const file_name = "monster_ptn.csv";

// One entry of eight enemy technique IDs.
const Layout action_pattern = {
    {row_id, 0,    no_bits,    decimal_cell, "ID"},
    {0,      0xFF, byte_field, hex8_cell,    "敵技ID1"},
    {1,      0xFF, byte_field, hex8_cell,    "敵技ID2"},
    {2,      0xFF, byte_field, hex8_cell,    "敵技ID3"},
    {3,      0xFF, byte_field, hex8_cell,    "敵技ID4"},
    {4,      0xFF, byte_field, hex8_cell,    "敵技ID5"},
    {5,      0xFF, byte_field, hex8_cell,    "敵技ID6"},
    {6,      0xFF, byte_field, hex8_cell,    "敵技ID7"},
    {7,      0xFF, byte_field, hex8_cell,    "敵技ID8"},
};

// An enemy that acts twice per turn.
const Layout two_action = {
    {row_id, 0,      no_bits,    decimal_cell, "ID"},
    {0,      0xFFFF, word_field, hex16_cell,   "敵ID"},
};

// What an enemy leaves behind; items 0xFD and 0xFE stand for its equipped weapons.
const Layout drop_items = {
    {row_id, 0,    no_bits,    decimal_cell, "ID"},
    {0,      0xFF, byte_field, hex8_cell,    "必ず落とすアイテムID"},
    {1,      0xFF, byte_field, hex8_cell,    "高確率アイテムID"},
    {2,      0xFF, byte_field, hex8_cell,    "中確率アイテムID"},
    {3,      0xFF, byte_field, hex8_cell,    "低確率アイテムID"},
    {4,      0xFF, byte_field, decimal_cell, "お金"},
};

}  // namespace

const FixedTable& action_pattern_table() {
  static const FixedTable table{"敵パターン", file_name,
                                {
                                    {"行動パターン", 0x3E5ECB, 8, 256, &action_pattern},
                                    {"二回行動", 0x3E66CB, 2, 32, &two_action},
                                    {"ドロップアイテム", 0x3E678B, 5, 64, &drop_items},
                                }};
  return table;
}

void action_pattern_field_map(std::uint8_t* entry, ActionPatternTable& table, Direction direction,
                              int group, int row) {
  const Section& section = action_pattern_table().sections.at(static_cast<std::size_t>(group));
  field_map(*section.layout, entry, direction, table.rows.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(row)));
}

void action_pattern_cell_map(const CellTarget& target, ActionPatternTable& table,
                             Direction direction, int group, int row) {
  const Section& section = action_pattern_table().sections.at(static_cast<std::size_t>(group));
  cell_map(*section.layout, target, direction, table.rows.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(row)));
}

std::unique_ptr<ActionPatternTable> load_action_patterns(JobContext& job) {
  return load_fixed_table(job, action_pattern_table());
}

void write_action_pattern_csv(JobContext& job, const std::string& folder, const ActionPatternTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", "敵パターン", 1);
  write_fixed_sections(job, out, action_pattern_table(), *table);
  out.line();
  out.line();
  out.line(",IDの欄は16進法,");
  out.line(",ドロップアイテムはFDで装備武器1、FEで装備武器2,");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<ActionPatternTable> read_action_pattern_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(1);
  return read_fixed_sections(job, in, action_pattern_table(), folder + file_name);
}

void store_action_patterns(JobContext& job, const ActionPatternTable* table) {
  if (!table) return;
  store_fixed_table(job, action_pattern_table(), *table);
}

PipelineTable action_patterns_table() {
  return make_pipeline_table<ActionPatternTable>(load_action_patterns, write_action_pattern_csv,
                                                 read_action_pattern_csv, store_action_patterns);
}
