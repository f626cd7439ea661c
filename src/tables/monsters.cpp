#include "tables/monsters.hpp"

#include <algorithm>
#include <new>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/csv_file.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "text/names.hpp"

namespace {

const char* const table_name = "モンスター";
const char* const file_name = "monster.csv";

constexpr std::uint32_t name_table = 0x3D0A80;  // 8 bytes per monster, padded with 0x50
constexpr std::uint32_t size_table = 0x26E400;  // 1 byte per monster
constexpr std::uint32_t stat_table = 0x3E3F8B;  // 25 bytes per monster
constexpr std::size_t stat_size = 25;

// Offsets in the entry bytes: the size byte, then the stat record.
constexpr int size_byte = 0;
constexpr int stat_byte(int byte) { return 1 + byte; }
constexpr std::size_t name_field = 1;

const Layout monster = {
    {row_id,        0,      no_bits,    hex8_cell,    "ID"},
    {no_rom,        0,      no_bits,    text_cell,    "名前(8)"},
    {size_byte,     0xF0,   byte_field, decimal_cell, "縦サイズ"},
    {size_byte,     0x0F,   byte_field, decimal_cell, "横サイズ"},
    {stat_byte(0),  0x0F,   byte_field, decimal_cell, "種族"},
    {stat_byte(0),  0x80,   flag,       mark_cell,    "男"},
    {stat_byte(0),  0x40,   flag,       mark_cell,    "女"},
    {stat_byte(0),  0x20,   flag,       mark_cell,    "アンデッド"},
    {stat_byte(0),  0x10,   flag,       mark_cell,    "不明"},
    {stat_byte(1),  0x07,   byte_field, decimal_cell, "耐術"},
    {stat_byte(1),  0x80,   flag,       mark_cell,    "耐地"},
    {stat_byte(1),  0x40,   flag,       mark_cell,    "耐凝"},
    {stat_byte(1),  0x20,   flag,       mark_cell,    "耐音"},
    {stat_byte(1),  0x10,   flag,       mark_cell,    "耐投"},
    {stat_byte(1),  0x08,   flag,       mark_cell,    "耐水"},
    {stat_byte(2),  0xFF,   byte_field, decimal_cell, "不明"},
    {stat_byte(3),  0xFF,   byte_field, decimal_cell, "不明"},
    {stat_byte(4),  0xFFFF, word_field, decimal_cell, "HP"},
    {stat_byte(6),  0xFF,   byte_field, decimal_cell, "腕力"},
    {stat_byte(7),  0xFF,   byte_field, decimal_cell, "器用"},
    {stat_byte(8),  0xFF,   byte_field, decimal_cell, "素早"},
    {stat_byte(9),  0xFF,   byte_field, decimal_cell, "体力"},
    {stat_byte(10), 0xFF,   byte_field, decimal_cell, "魔力"},
    {stat_byte(11), 0xFF,   byte_field, decimal_cell, "意思力"},
    {stat_byte(12), 0xFF,   byte_field, decimal_cell, "魅力"},
    {stat_byte(13), 0xFF,   byte_field, decimal_cell, "技LV"},
    {stat_byte(14), 0xFF,   byte_field, decimal_cell, "術LV"},
    {stat_byte(15), 0xFF,   byte_field, decimal_cell, "上昇LV"},
    {stat_byte(16), 0xFF,   byte_field, decimal_cell, "閃きLV"},
    {stat_byte(17), 0xFF,   byte_field, hex8_cell,    "行動パターン0ID"},
    {stat_byte(18), 0xFF,   byte_field, hex8_cell,    "行動パターン1ID"},
    {stat_byte(19), 0xFF,   byte_field, hex8_cell,    "装備武器0ID"},
    {stat_byte(20), 0xFF,   byte_field, hex8_cell,    "装備武器1ID"},
    {stat_byte(21), 0xFF,   byte_field, hex8_cell,    "装備盾ID"},
    {stat_byte(22), 0xFF,   byte_field, hex8_cell,    "装備鎧0ID"},
    {stat_byte(23), 0xFF,   byte_field, hex8_cell,    "装備鎧1ID"},
    {stat_byte(24), 0x3F,   byte_field, decimal_cell, "所持アイテム"},
    {stat_byte(24), 0x80,   flag,       mark_cell,    "武器0の無刀取不可"},
    {stat_byte(24), 0x40,   flag,       mark_cell,    "武器1の無刀取不可"},
};

const char* const comments[] = {
    ",IDの欄は16進法",
    ",縦横サイズは1～5？",
    ",種族は順に(なし？、獣人、獣、蛇、竜、両棲、鳥、昆虫、植物、無機、魚、水棲、不明、悪魔、骸骨、巨人)",
    ",耐術は0から順に、蒼龍、朱鳥、白虎、玄武、太陽、月、アビス",
};

std::unique_ptr<MonsterTable> new_table(Report& report) {
  try {
    auto table = std::make_unique<MonsterTable>();
    table->rows.reserve(monster_count);
    for (int i = 0; i < monster_count; ++i) table->rows.push_back(make_record(monster, i));
    return table;
  } catch (const std::bad_alloc&) {
    report.add(msg::out_of_memory);
    return nullptr;
  }
}

std::uint32_t at(std::uint32_t table, std::size_t entry_size, int i) {
  return table + static_cast<std::uint32_t>(entry_size) * static_cast<std::uint32_t>(i);
}

}  // namespace

const Layout& monster_layout() { return monster; }

void monster_field_map(std::uint8_t* entry, MonsterRecord& record, Direction direction) {
  field_map(monster, entry, direction, record);
}

void monster_cell_map(const CellTarget& target, MonsterRecord& record, Direction direction) {
  cell_map(monster, target, direction, record);
}

std::unique_ptr<MonsterTable> load_monsters(JobContext& job) {
  std::unique_ptr<MonsterTable> table = new_table(job.report);
  if (!table) return nullptr;
  job.report.section(msg::load_banner, table_name);
  std::uint8_t name[monster_name_size];
  std::uint8_t entry[monster_entry_size];
  for (int i = 0; i < monster_count; ++i) {
    MonsterRecord& record = table->rows[static_cast<std::size_t>(i)];
    std::fill(std::begin(name), std::end(name), 0);
    rom_read(job.rom, name, at(name_table, monster_name_size, i), monster_name_size);
    record.text[name_field] = decode_name(name, monster_name_size);
    std::fill(std::begin(entry), std::end(entry), 0);
    rom_read(job.rom, entry + size_byte, at(size_table, 1, i), 1);
    rom_read(job.rom, entry + stat_byte(0), at(stat_table, stat_size, i), stat_size);
    monster_field_map(entry, record, Direction::extract);
  }
  return table;
}

void write_monster_csv(JobContext& job, const std::string& folder, const MonsterTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, monster_count);
  out.line();
  out.line(header_line(monster));
  for (MonsterRecord record : table->rows) {
    monster_cell_map(CellTarget{&out, {}}, record, Direction::extract);
    out.line();
  }
  out.line();
  out.line();
  for (const char* comment : comments) out.line(comment);
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<MonsterTable> read_monster_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  std::unique_ptr<MonsterTable> table = new_table(job.report);
  if (!table) return nullptr;
  in.skip_lines(3);
  std::vector<std::string> lines;
  int first_line = 0;
  if (!read_record_lines(job.report, in, monster_count, folder + file_name, lines, &first_line)) return nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i)
    monster_cell_map(CellTarget{nullptr, lines[i], &job.report, file_name, first_line + static_cast<int>(i)}, table->rows[i], Direction::build);
  return table;
}

void store_monsters(JobContext& job, const MonsterTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  std::uint8_t name[monster_name_size];
  std::uint8_t entry[monster_entry_size];
  for (int i = 0; i < monster_count && static_cast<std::size_t>(i) < table->rows.size(); ++i) {
    MonsterRecord record = table->rows[static_cast<std::size_t>(i)];
    encode_record_name(job.report, file_name, record, name_field, name, monster_name_size);
    rom_write(job.rom, name, at(name_table, monster_name_size, i), monster_name_size);
    std::fill(std::begin(entry), std::end(entry), 0);
    monster_field_map(entry, record, Direction::build);
    rom_write(job.rom, entry + size_byte, at(size_table, 1, i), 1);
    rom_write(job.rom, entry + stat_byte(0), at(stat_table, stat_size, i), stat_size);
  }
}

PipelineTable monsters_table() {
  return make_pipeline_table<MonsterTable>(load_monsters, write_monster_csv, read_monster_csv,
                                           store_monsters);
}
