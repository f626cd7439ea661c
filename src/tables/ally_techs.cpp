#include "tables/ally_techs.hpp"

#include <cstring>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "tables/tech_flags.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "tech.csv";
const char* const table_name = "味方技";
const char* const usable_title = "使用できる技";
const char* const dodge_title = "見切り技";
constexpr int count = 256;

constexpr std::uint32_t name_table = 0x3D27C0;
constexpr std::uint32_t name_size = 10;
constexpr std::uint32_t effect_table = 0x3E0F00;
constexpr std::uint32_t effect_size = 14;
constexpr std::uint32_t spark_table = 0x3E353F;
constexpr std::uint32_t spark_size = 2;
constexpr std::uint32_t comment_table = 0x3E94C3;
// One bit per technique, technique 0 in the highest bit of byte 0.
constexpr std::uint32_t mastery_bitmap = 0x3DEFFC;
constexpr std::size_t mastery_bytes = count / 8;

// Where each ROM table's bytes lie in a technique's entry.
constexpr int effect = 0;
constexpr int spark = 14;
constexpr int comment = 16;
constexpr int mastery = 17;
constexpr std::size_t name_field = 1;

Layout head() {
  return {
      {row_id, 0, no_bits, hex8_cell, "ID"},
      {no_rom, 0, no_bits, text_cell, "名前(10)"},
  };
}

// Spark types count from the lowest bit up, unlike the other flag bytes.
const Layout& shared_tail() {
  static const Layout tail = {
      {spark + 0, 0x01, flag,       mark_cell, "閃きタイプ0"},
      {spark + 0, 0x02, flag,       mark_cell, "閃きタイプ1"},
      {spark + 0, 0x04, flag,       mark_cell, "閃きタイプ2"},
      {spark + 0, 0x08, flag,       mark_cell, "閃きタイプ3"},
      {spark + 0, 0x10, flag,       mark_cell, "閃きタイプ4"},
      {spark + 0, 0x20, flag,       mark_cell, "閃きタイプ5"},
      {spark + 0, 0x40, flag,       mark_cell, "閃きタイプ6"},
      {spark + 0, 0x80, flag,       mark_cell, "閃きタイプ7"},
      {spark + 1, 0x01, flag,       mark_cell, "閃きタイプ8"},
      {spark + 1, 0x02, flag,       mark_cell, "閃きタイプ9"},
      {spark + 1, 0x04, flag,       mark_cell, "閃きタイプ10"},
      {spark + 1, 0x08, flag,       mark_cell, "閃きタイプ11"},
      {spark + 1, 0x10, flag,       mark_cell, "閃きタイプ12"},
      {spark + 1, 0x20, flag,       mark_cell, "閃きタイプ13"},
      {spark + 1, 0x40, flag,       mark_cell, "閃きタイプ14"},
      {spark + 1, 0x80, flag,       mark_cell, "閃きタイプ15"},
      {comment,   0xFF, byte_field, hex8_cell, "コメントID"},
      {mastery,   0x01, flag,       mark_cell, "初期極意"},
  };
  return tail;
}

const Layout& usable_layout() {
  static const Layout layout = joined({head(), technique_effect(effect), shared_tail()});
  return layout;
}

const Layout& dodge_layout() {
  static const Layout layout = joined({
      head(),
      {
          {effect + 0,  0xFF, byte_field, hex8_cell,    "対応技0"},
          {effect + 1,  0xFF, byte_field, hex8_cell,    "対応技1"},
          {effect + 2,  0xFF, byte_field, hex8_cell,    "対応技2"},
          {effect + 3,  0xFF, byte_field, hex8_cell,    "対応技3"},
          {effect + 4,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 5,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 6,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 7,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 8,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 9,  0xFF, byte_field, decimal_cell, "不明"},
          {effect + 10, 0xFF, byte_field, decimal_cell, "技タイプ"},
          {effect + 11, 0xFF, byte_field, decimal_cell, "不明"},
          {effect + 12, 0xFF, byte_field, decimal_cell, "不明"},
          {effect + 13, 0xFF, byte_field, decimal_cell, "不明"},
      },
      shared_tail(),
  });
  return layout;
}

void write_rows(CsvWriter& out, const AllyTechTable& table, int first, int end) {
  for (int id = first; id < end && id < static_cast<int>(table.rows.size()); ++id) {
    AllyTechRecord record = table.rows[static_cast<std::size_t>(id)];
    ally_tech_cell_map(CellTarget{&out, {}}, record, Direction::extract, id);
    out.line();
  }
}

}  // namespace

const Layout& ally_tech_layout(int id) {
  return id < first_dodge_tech ? usable_layout() : dodge_layout();
}

void ally_tech_field_map(std::uint8_t* entry, AllyTechRecord& record, Direction direction, int id) {
  field_map(ally_tech_layout(id), entry, direction, record);
}

void ally_tech_cell_map(const CellTarget& target, AllyTechRecord& record, Direction direction,
                        int id) {
  cell_map(ally_tech_layout(id), target, direction, record);
}

std::unique_ptr<AllyTechTable> load_ally_techs(JobContext& job) {
  auto table = std::make_unique<AllyTechTable>();
  job.report.section(msg::load_banner, table_name);
  std::uint8_t bitmap[mastery_bytes] = {};
  rom_read(job.rom, bitmap, mastery_bitmap, sizeof bitmap);
  std::uint8_t name[name_size];
  std::uint8_t entry[ally_tech_entry_size];
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::uint32_t>(i);
    AllyTechRecord& record = table->rows.emplace_back(make_record(ally_tech_layout(i), i));
    std::memset(name, 0x50, sizeof name);
    rom_read(job.rom, name, name_table + name_size * at, name_size);
    record.text[name_field] = decode_name(name, name_size);
    std::memset(entry, 0, sizeof entry);
    rom_read(job.rom, entry + effect, effect_table + effect_size * at, effect_size);
    rom_read(job.rom, entry + spark, spark_table + spark_size * at, spark_size);
    rom_read(job.rom, entry + comment, comment_table + at, 1);
    entry[mastery] = static_cast<std::uint8_t>((bitmap[at / 8] >> (7 - at % 8)) & 1);
    ally_tech_field_map(entry, record, Direction::extract, i);
  }
  return table;
}

void write_ally_tech_csv(JobContext& job, const std::string& folder, const AllyTechTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, count);
  job.report.progress(msg::progress, usable_title);
  out.line();
  out.line(header_line(usable_layout()));
  write_rows(out, *table, 0, first_dodge_tech);
  job.report.progress(msg::progress, dodge_title);
  out.line();
  out.line(header_line(dodge_layout()));
  write_rows(out, *table, first_dodge_tech, count);
  out.line();
  out.line();
  out.line(",IDの欄は16進法");
  out.line(",地属性は(蒼龍、朱鳥、白虎、玄武)　天属性は(物理、太陽、月、アビス)の順");
  out.line(",閃きタイプはキャラの閃きタイプと関連");
  out.line(",struct.defだけだとよくわからんことが多い");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<AllyTechTable> read_ally_tech_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  const std::string path = folder + file_name;
  auto table = std::make_unique<AllyTechTable>();
  table->rows.reserve(count);
  std::vector<std::string> lines;
  in.skip_lines(1);
  const struct {
    const char* title;
    int first;
    int end;
  } sections[] = {{usable_title, 0, first_dodge_tech}, {dodge_title, first_dodge_tech, count}};
  for (const auto& section : sections) {
    job.report.progress(msg::progress, section.title);
    in.skip_lines(2);
    int first_line = 0;
    if (!read_record_lines(job.report, in, section.end - section.first, path, lines, &first_line)) return nullptr;
    for (int id = section.first; id < section.end; ++id) {
      AllyTechRecord& record = table->rows.emplace_back(make_record(ally_tech_layout(id), id));
      ally_tech_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(id - section.first)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(id - section.first))},
                         record, Direction::build, id);
    }
  }
  return table;
}

void store_ally_techs(JobContext& job, const AllyTechTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  std::uint8_t bitmap[mastery_bytes] = {};
  std::uint8_t name[name_size];
  std::uint8_t entry[ally_tech_entry_size];
  for (std::size_t row = 0; row < table->rows.size() && row < static_cast<std::size_t>(count); ++row) {
    const auto at = static_cast<std::uint32_t>(row);
    AllyTechRecord record = table->rows[row];
    encode_record_name(job.report, file_name, record, name_field, name, name_size);
    rom_write(job.rom, name, name_table + name_size * at, name_size);
    std::memset(entry, 0, sizeof entry);
    ally_tech_field_map(entry, record, Direction::build, static_cast<int>(row));
    rom_write(job.rom, entry + effect, effect_table + effect_size * at, effect_size);
    rom_write(job.rom, entry + spark, spark_table + spark_size * at, spark_size);
    rom_write(job.rom, entry + comment, comment_table + at, 1);
    if (entry[mastery] & 1) bitmap[at / 8] |= static_cast<std::uint8_t>(0x80 >> (at % 8));
  }
  rom_write(job.rom, bitmap, mastery_bitmap, sizeof bitmap);
}

PipelineTable ally_techs_table() {
  return make_pipeline_table<AllyTechTable>(load_ally_techs, write_ally_tech_csv,
                                            read_ally_tech_csv, store_ally_techs);
}
