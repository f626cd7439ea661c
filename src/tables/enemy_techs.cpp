#include "tables/enemy_techs.hpp"

#include <cstring>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "tables/tech_flags.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "mons_tech.csv";
const char* const table_name = "敵技";
constexpr int count = 256;

constexpr std::uint32_t name_table = 0x3D31C0;
constexpr std::uint32_t name_size = 10;
constexpr std::uint32_t effect_table = 0x3E1D00;
constexpr std::uint32_t effect_size = 16;
constexpr std::uint32_t difficulty_table = 0x3E3D4B;

// Where each ROM table's bytes lie in a technique's entry.
constexpr int effect = 0;
constexpr int difficulty = 16;
constexpr std::size_t name_field = 1;

}  // namespace

const Layout& enemy_tech_layout() {
  static const Layout layout = joined({
      {
          {row_id,      0,    no_bits,    hex8_cell,    "ID"},
          {no_rom,      0,    no_bits,    text_cell,    "名前(10)"},
          {effect + 0,  0xFF, byte_field, decimal_cell, "命中率"},
          {effect + 1,  0xFF, byte_field, decimal_cell, "基本ダメージ"},
          {effect + 2,  0xFF, byte_field, decimal_cell, "成長率"},
          {effect + 3,  0xFF, byte_field, decimal_cell, "追加効果"},
      },
      attribute_flags(effect + 4),
      range_flags(effect + 5),
      {
          // No shift: the lowest bit of 0xF7 is bit 0, and bit 3 is the dodge flag.
          {effect + 6,  0xF7, byte_field, decimal_cell, "不明"},
          {effect + 6,  0x08, flag,       mark_cell,    "見切り可"},
      },
      special_attribute_flags(effect + 7),
      effect_flags(effect + 8),
      {
          {effect + 9,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 10, 0xFF, byte_field, decimal_cell, "技タイプ"},
          {effect + 11, 0xFF, byte_field, decimal_cell, "追加効果"},
          {effect + 12, 0xFF, byte_field, decimal_cell, "種類"},
          {effect + 13, 0xFF, byte_field, decimal_cell, "不明"},
          {effect + 14, 0xFF, byte_field, decimal_cell, "見切り対応技"},
          {effect + 15, 0xFF, byte_field, decimal_cell, "不明"},
          {difficulty,  0xFF, byte_field, decimal_cell, "見切り難易度"},
      },
  });
  return layout;
}

void enemy_tech_field_map(std::uint8_t* entry, EnemyTechRecord& record, Direction direction) {
  field_map(enemy_tech_layout(), entry, direction, record);
}

void enemy_tech_cell_map(const CellTarget& target, EnemyTechRecord& record, Direction direction) {
  cell_map(enemy_tech_layout(), target, direction, record);
}

std::unique_ptr<EnemyTechTable> load_enemy_techs(JobContext& job) {
  auto table = std::make_unique<EnemyTechTable>();
  job.report.section(msg::load_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[enemy_tech_entry_size];
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::uint32_t>(i);
    EnemyTechRecord& record = table->rows.emplace_back(make_record(enemy_tech_layout(), i));
    std::memset(name, 0x50, sizeof name);
    rom_read(job.rom, name, name_table + name_size * at, name_size);
    record.text[name_field] = decode_name(name, name_size);
    std::memset(entry, 0, sizeof entry);
    rom_read(job.rom, entry + effect, effect_table + effect_size * at, effect_size);
    rom_read(job.rom, entry + difficulty, difficulty_table + at, 1);
    enemy_tech_field_map(entry, record, Direction::extract);
  }
  return table;
}

void write_enemy_tech_csv(JobContext& job, const std::string& folder, const EnemyTechTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, count);
  out.line();
  out.line(header_line(enemy_tech_layout()));
  for (EnemyTechRecord record : table->rows) {
    enemy_tech_cell_map(CellTarget{&out, {}}, record, Direction::extract);
    out.line();
  }
  out.line();
  out.line();
  out.line(",IDの欄は16進法");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<EnemyTechTable> read_enemy_tech_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(3);
  std::vector<std::string> lines;
  int first_line = 0;
  if (!read_record_lines(job.report, in, count, folder + file_name, lines, &first_line)) return nullptr;
  auto table = std::make_unique<EnemyTechTable>();
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    EnemyTechRecord& record = table->rows.emplace_back(make_record(enemy_tech_layout(), i));
    enemy_tech_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(i)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(i))}, record,
                        Direction::build);
  }
  return table;
}

void store_enemy_techs(JobContext& job, const EnemyTechTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[enemy_tech_entry_size];
  for (std::size_t row = 0; row < table->rows.size(); ++row) {
    const auto at = static_cast<std::uint32_t>(row);
    EnemyTechRecord record = table->rows[row];
    encode_record_name(job.report, file_name, record, name_field, name, name_size);
    rom_write(job.rom, name, name_table + name_size * at, name_size);
    std::memset(entry, 0, sizeof entry);
    enemy_tech_field_map(entry, record, Direction::build);
    rom_write(job.rom, entry + effect, effect_table + effect_size * at, effect_size);
    // The difficulty is written back too, or an edit of its column would be lost.
    rom_write(job.rom, entry + difficulty, difficulty_table + at, 1);
  }
}

PipelineTable enemy_techs_table() {
  return make_pipeline_table<EnemyTechTable>(load_enemy_techs, write_enemy_tech_csv,
                                             read_enemy_tech_csv, store_enemy_techs);
}
