#include "tables/formation_techs.hpp"

#include <cstring>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "tables/tech_flags.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "form_tech.csv";
const char* const table_name = "陣形技";
constexpr int count = 64;

constexpr std::uint32_t name_table = 0x3D3BC0;
constexpr std::uint32_t name_size = 10;
// The record tables are indexed by the game's technique number, and formation techniques
// are numbers 0x20 to 0x5F.
constexpr std::uint32_t first_technique = 0x20;
constexpr std::uint32_t requirement_table = 0x3E6A2B;
constexpr std::uint32_t requirement_size = 12;
constexpr std::uint32_t effect_table = 0x3E6EAB;
constexpr std::uint32_t effect_size = 14;

// Where each ROM table's bytes lie in a technique's entry.
constexpr int requirement = 0;
constexpr int effect = 12;
constexpr std::size_t name_field = 1;

std::uint32_t requirement_offset(std::uint32_t row) {
  return requirement_table + requirement_size * (first_technique + row);
}

std::uint32_t effect_offset(std::uint32_t row) {
  return effect_table + effect_size * (first_technique + row);
}

}  // namespace

const Layout& formation_tech_layout() {
  static const Layout layout = joined({
      {
          {row_id,           0,    no_bits,    hex8_cell,    "ID"},
          {no_rom,           0,    no_bits,    text_cell,    "名前(10)"},
          {requirement + 0,  0xFF, byte_field, decimal_cell, "①術可"},
          {requirement + 1,  0xFF, byte_field, decimal_cell, "②術可"},
          {requirement + 2,  0xFF, byte_field, decimal_cell, "③術可"},
          {requirement + 3,  0xFF, byte_field, decimal_cell, "④術可"},
          {requirement + 4,  0xFF, byte_field, decimal_cell, "⑤術可"},
          // The member flags count from bit 0 up, unlike every other flag byte here.
          {requirement + 5,  0x01, flag,       mark_cell,    "①必要"},
          {requirement + 5,  0x02, flag,       mark_cell,    "②必要"},
          {requirement + 5,  0x04, flag,       mark_cell,    "③必要"},
          {requirement + 5,  0x08, flag,       mark_cell,    "④必要"},
          {requirement + 5,  0x10, flag,       mark_cell,    "⑤必要"},
          {requirement + 5,  0x20, flag,       mark_cell,    "不明フラグ"},
          {requirement + 5,  0x40, flag,       mark_cell,    "素手可"},
          {requirement + 5,  0x80, flag,       mark_cell,    "人数不定"},
          {requirement + 6,  0x80, flag,       mark_cell,    "剣"},
          {requirement + 6,  0x40, flag,       mark_cell,    "大剣"},
          {requirement + 6,  0x20, flag,       mark_cell,    "斧"},
          {requirement + 6,  0x10, flag,       mark_cell,    "棍棒"},
          {requirement + 6,  0x08, flag,       mark_cell,    "小剣"},
          {requirement + 6,  0x04, flag,       mark_cell,    "槍"},
          {requirement + 6,  0x02, flag,       mark_cell,    "弓"},
          {requirement + 6,  0x01, flag,       mark_cell,    "曲刀"},
          {requirement + 7,  0x80, flag,       mark_cell,    "蒼龍"},
          {requirement + 7,  0x40, flag,       mark_cell,    "朱鳥"},
          {requirement + 7,  0x20, flag,       mark_cell,    "白虎"},
          {requirement + 7,  0x10, flag,       mark_cell,    "玄武"},
          {requirement + 7,  0x08, flag,       mark_cell,    "太陽"},
          {requirement + 7,  0x04, flag,       mark_cell,    "月"},
          {requirement + 7,  0x02, flag,       mark_cell,    "術ならどれでも"},
          {requirement + 7,  0x01, flag,       mark_cell,    "不明フラグ"},
          {requirement + 8,  0xFF, byte_field, decimal_cell, "クリティカル条件"},
          {requirement + 9,  0xFF, byte_field, decimal_cell, "不明"},
          {requirement + 10, 0xFF, byte_field, decimal_cell, "不明"},
          {requirement + 11, 0xFF, byte_field, decimal_cell, "クリティカル率"},
      },
      technique_effect(effect),
  });
  return layout;
}

void formation_tech_field_map(std::uint8_t* entry, FormationTechRecord& record,
                              Direction direction) {
  field_map(formation_tech_layout(), entry, direction, record);
}

void formation_tech_cell_map(const CellTarget& target, FormationTechRecord& record,
                             Direction direction) {
  cell_map(formation_tech_layout(), target, direction, record);
}

std::unique_ptr<FormationTechTable> load_formation_techs(JobContext& job) {
  auto table = std::make_unique<FormationTechTable>();
  job.report.section(msg::load_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[formation_tech_entry_size];
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::uint32_t>(i);
    FormationTechRecord& record = table->rows.emplace_back(make_record(formation_tech_layout(), i));
    std::memset(name, 0x50, sizeof name);
    rom_read(job.rom, name, name_table + name_size * at, name_size);
    record.text[name_field] = decode_name(name, name_size);
    std::memset(entry, 0, sizeof entry);
    rom_read(job.rom, entry + requirement, requirement_offset(at), requirement_size);
    rom_read(job.rom, entry + effect, effect_offset(at), effect_size);
    formation_tech_field_map(entry, record, Direction::extract);
  }
  return table;
}

void write_formation_tech_csv(JobContext& job, const std::string& folder, const FormationTechTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, count);
  out.line();
  out.line(header_line(formation_tech_layout()));
  for (FormationTechRecord record : table->rows) {
    formation_tech_cell_map(CellTarget{&out, {}}, record, Direction::extract);
    out.line();
  }
  out.line();
  out.line();
  out.line(",IDの欄は16進法,");
  out.line(",①：一人目 ②：二人目 ③：三人目 ④：四人目 ⑤：五人目,");
  out.line(",①術可からクリティカル条件の前までが使用条件,");
  out.line(",命中率以降は味方技データのコピー。どう違うのかよくわからん,");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<FormationTechTable> read_formation_tech_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(3);
  std::vector<std::string> lines;
  int first_line = 0;
  if (!read_record_lines(job.report, in, count, folder + file_name, lines, &first_line)) return nullptr;
  auto table = std::make_unique<FormationTechTable>();
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    FormationTechRecord& record = table->rows.emplace_back(make_record(formation_tech_layout(), i));
    formation_tech_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(i)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(i))}, record,
                            Direction::build);
  }
  return table;
}

void store_formation_techs(JobContext& job, const FormationTechTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[formation_tech_entry_size];
  for (std::size_t row = 0; row < table->rows.size(); ++row) {
    const auto at = static_cast<std::uint32_t>(row);
    FormationTechRecord record = table->rows[row];
    encode_record_name(job.report, file_name, record, name_field, name, name_size);
    rom_write(job.rom, name, name_table + name_size * at, name_size);
    std::memset(entry, 0, sizeof entry);
    formation_tech_field_map(entry, record, Direction::build);
    rom_write(job.rom, entry + requirement, requirement_offset(at), requirement_size);
    rom_write(job.rom, entry + effect, effect_offset(at), effect_size);
  }
}

PipelineTable formation_techs_table() {
  return make_pipeline_table<FormationTechTable>(load_formation_techs, write_formation_tech_csv,
                                                 read_formation_tech_csv, store_formation_techs);
}
