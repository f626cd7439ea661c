#include "tables/characters.hpp"

#include <cstring>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "char.csv";
const char* const table_name = "キャラクター";
constexpr int count = 256;

constexpr std::uint32_t name_table = 0x3D1480;
constexpr std::uint32_t name_size = 8;
constexpr std::uint32_t stat_table = 0x3E0600;
constexpr std::uint32_t stat_size = 48;
constexpr std::uint32_t growth_table = 0x3E31BF;
constexpr std::uint32_t growth_size = 16;

// Where each ROM table's bytes lie in a character's entry.
constexpr int stats = 0;
constexpr int growth = 48;
constexpr std::size_t name_field = 1;

}  // namespace

const Layout& character_layout() {
  static const Layout layout = {
      {row_id,      0,      no_bits,    hex8_cell,    "ID"},
      {no_rom,      0,      no_bits,    text_cell,    "名前(8)"},
      {stats + 0,    0xFF,   byte_field, hex8_cell,    "画像ID"},
      {stats + 1,    0xFF,   byte_field, hex8_cell,    "職業ID"},
      {stats + 2,    0x0F,   byte_field, decimal_cell, "性別不明"},
      {stats + 2,    0x80,   flag,       mark_cell,    "男"},
      {stats + 2,    0x40,   flag,       mark_cell,    "女"},
      {stats + 2,    0x20,   flag,       mark_cell,    "アンデッド"},
      {stats + 2,    0x10,   flag,       mark_cell,    "不明ビット"},
      {stats + 3,    0x7FFF, word_field, decimal_cell, "HP"},
      {stats + 5,    0x7F,   byte_field, decimal_cell, "LP"},
      {stats + 6,    0xFF,   byte_field, decimal_cell, "腕力"},
      {stats + 7,    0xFF,   byte_field, decimal_cell, "器用"},
      {stats + 8,    0xFF,   byte_field, decimal_cell, "素早"},
      {stats + 9,    0xFF,   byte_field, decimal_cell, "体力"},
      {stats + 10,   0xFF,   byte_field, decimal_cell, "魔力"},
      {stats + 11,   0xFF,   byte_field, decimal_cell, "意思力"},
      {stats + 12,   0xFF,   byte_field, decimal_cell, "魅力"},
      {stats + 13,   0x7F,   byte_field, decimal_cell, "剣LV"},
      {stats + 14,   0x7F,   byte_field, decimal_cell, "斧LV"},
      {stats + 15,   0x7F,   byte_field, decimal_cell, "槍LV"},
      {stats + 16,   0x7F,   byte_field, decimal_cell, "弓LV"},
      {stats + 17,   0x7F,   byte_field, decimal_cell, "体LV"},
      {stats + 18,   0x60,   byte_field, decimal_cell, "地術"},
      {stats + 18,   0x1F,   byte_field, decimal_cell, "地LV"},
      {stats + 19,   0x60,   byte_field, decimal_cell, "天術"},
      {stats + 19,   0x1F,   byte_field, decimal_cell, "天LV"},
      {stats + 20,   0x7F,   byte_field, decimal_cell, "支援LV"},
      {stats + 21,   0xFF,   byte_field, decimal_cell, "成長タイプ"},
      {stats + 22,   0xFF,   byte_field, decimal_cell, "閃きタイプ"},
      // The top bit of the HP word.
      {stats + 4,    0x80,   flag,       mark_cell,    "成長HP"},
      {stats + 5,    0x80,   flag,       mark_cell,    "不死"},
      {stats + 13,   0x80,   flag,       mark_cell,    "成長剣"},
      {stats + 14,   0x80,   flag,       mark_cell,    "成長斧"},
      {stats + 15,   0x80,   flag,       mark_cell,    "成長槍"},
      {stats + 16,   0x80,   flag,       mark_cell,    "成長弓"},
      {stats + 17,   0x80,   flag,       mark_cell,    "成長体"},
      {stats + 18,   0x80,   flag,       mark_cell,    "成長地"},
      {stats + 19,   0x80,   flag,       mark_cell,    "成長天"},
      {stats + 20,   0x80,   flag,       mark_cell,    "成長支援"},
      // Techniques, spells and equipment a character starts with.
      {stats + 23,   0xFF,   byte_field, hex8_cell,    "技ID"},
      {stats + 24,   0xFF,   byte_field, hex8_cell,    "技ID"},
      {stats + 25,   0xFF,   byte_field, hex8_cell,    "技ID"},
      {stats + 26,   0xFF,   byte_field, hex8_cell,    "技ID"},
      {stats + 27,   0xFF,   byte_field, hex8_cell,    "術ID"},
      {stats + 28,   0xFF,   byte_field, hex8_cell,    "術ID"},
      {stats + 29,   0xFF,   byte_field, hex8_cell,    "術ID"},
      {stats + 30,   0xFF,   byte_field, hex8_cell,    "術ID"},
      {stats + 31,   0xFF,   byte_field, hex8_cell,    "腕ID"},
      {stats + 32,   0xFF,   byte_field, hex8_cell,    "腕ID"},
      {stats + 33,   0xFF,   byte_field, hex8_cell,    "腕ID"},
      {stats + 34,   0xFF,   byte_field, hex8_cell,    "腕ID"},
      {stats + 35,   0xFF,   byte_field, hex8_cell,    "体ID"},
      {stats + 36,   0xFF,   byte_field, hex8_cell,    "体ID"},
      {stats + 37,   0xFF,   byte_field, hex8_cell,    "体ID"},
      {stats + 38,   0xFF,   byte_field, hex8_cell,    "体ID"},
      {stats + 39,   0xFF,   byte_field, hex8_cell,    "所持陣形ID"},
      {stats + 40,   0xFF,   byte_field, decimal_cell, "宿星"},
      {stats + 41,   0xFF,   byte_field, decimal_cell, "得意術"},
      {stats + 42,   0xFF,   byte_field, decimal_cell, "得意武器"},
      {stats + 43,   0xFF,   byte_field, decimal_cell, "専用武器"},
      {stats + 44,   0xFF,   byte_field, decimal_cell, "不明"},
      // Bits 0x40 and 0x80 of byte 45 belong to no field.
      {stats + 45,   0x01,   flag,       mark_cell,    "蒼龍禁止"},
      {stats + 45,   0x02,   flag,       mark_cell,    "朱鳥禁止"},
      {stats + 45,   0x04,   flag,       mark_cell,    "白虎禁止"},
      {stats + 45,   0x08,   flag,       mark_cell,    "玄武禁止"},
      {stats + 45,   0x10,   flag,       mark_cell,    "太陽禁止"},
      {stats + 45,   0x20,   flag,       mark_cell,    "月禁止"},
      {stats + 46,   0xFF,   byte_field, decimal_cell, "コマンダーモードタイプ"},
      {stats + 47,   0xFF,   byte_field, decimal_cell, "不明"},
      {growth + 0,  0xFF,   byte_field, decimal_cell, "成長度剣"},
      {growth + 1,  0xFF,   byte_field, decimal_cell, "成長度斧"},
      {growth + 2,  0xFF,   byte_field, decimal_cell, "成長度槍"},
      {growth + 3,  0xFF,   byte_field, decimal_cell, "成長度弓"},
      {growth + 4,  0xFF,   byte_field, decimal_cell, "成長度体"},
      {growth + 5,  0xFF,   byte_field, decimal_cell, "成長度蒼龍"},
      {growth + 6,  0xFF,   byte_field, decimal_cell, "成長度朱鳥"},
      {growth + 7,  0xFF,   byte_field, decimal_cell, "成長度白虎"},
      {growth + 8,  0xFF,   byte_field, decimal_cell, "成長度玄武"},
      {growth + 9,  0xFF,   byte_field, decimal_cell, "成長度太陽"},
      {growth + 10, 0xFF,   byte_field, decimal_cell, "成長度月"},
      {growth + 11, 0xFF,   byte_field, decimal_cell, "成長度不明"},
      {growth + 12, 0xFF,   byte_field, decimal_cell, "成長度支援"},
      {growth + 13, 0xFF,   byte_field, decimal_cell, "成長度WP"},
      {growth + 14, 0xFF,   byte_field, decimal_cell, "成長度JP"},
      {growth + 15, 0xFF,   byte_field, decimal_cell, "成長度HP"},
  };
  return layout;
}

namespace {

// The rows past the playable characters: the same first two columns.
const Layout& name_only_layout() {
  static const Layout layout(character_layout().begin(), character_layout().begin() + 2);
  return layout;
}

}  // namespace

void character_field_map(std::uint8_t* entry, CharacterRecord& record, Direction direction) {
  field_map(character_layout(), entry, direction, record);
}

void character_cell_map(const CellTarget& target, CharacterRecord& record, Direction direction,
                        int index) {
  cell_map(index < playable_characters ? character_layout() : name_only_layout(), target,
           direction, record);
}

std::unique_ptr<CharacterTable> load_characters(JobContext& job) {
  auto table = std::make_unique<CharacterTable>();
  job.report.section(msg::load_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[character_entry_size];
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::uint32_t>(i);
    CharacterRecord& record = table->rows.emplace_back(make_record(character_layout(), i));
    std::memset(name, 0x50, sizeof name);
    rom_read(job.rom, name, name_table + name_size * at, name_size);
    record.text[name_field] = decode_name(name, name_size);
    if (i >= playable_characters) continue;
    std::memset(entry, 0, sizeof entry);
    rom_read(job.rom, entry + stats, stat_table + stat_size * at, stat_size);
    rom_read(job.rom, entry + growth, growth_table + growth_size * at, growth_size);
    character_field_map(entry, record, Direction::extract);
  }
  return table;
}

void write_character_csv(JobContext& job, const std::string& folder, const CharacterTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, count);
  out.line();
  out.line(header_line(character_layout()));
  for (std::size_t row = 0; row < table->rows.size(); ++row) {
    CharacterRecord record = table->rows[row];
    character_cell_map(CellTarget{&out, {}}, record, Direction::extract, static_cast<int>(row));
    out.line();
  }
  out.line();
  out.line();
  out.line(",IDの欄は16進法,");
  out.line(",アンデッドの次の不明は性別の不明,");
  out.line(",技IDと術IDは初期習得の技ID。腕IDと体IDは初期装備のアイテムID,");
  out.line(",地術は(蒼龍、朱鳥、白虎、玄武)の総称とする。天術は(太陽、月)の総称とする,");
  out.line(",成長率では使われていないものもある,");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<CharacterTable> read_character_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(3);
  std::vector<std::string> lines;
  int first_line = 0;
  if (!read_record_lines(job.report, in, count, folder + file_name, lines, &first_line)) return nullptr;
  auto table = std::make_unique<CharacterTable>();
  table->rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    CharacterRecord& record = table->rows.emplace_back(make_record(character_layout(), i));
    character_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(i)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(i))}, record,
                       Direction::build, i);
  }
  return table;
}

void store_characters(JobContext& job, const CharacterTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  std::uint8_t name[name_size];
  std::uint8_t entry[character_entry_size];
  for (std::size_t row = 0; row < table->rows.size(); ++row) {
    const auto at = static_cast<std::uint32_t>(row);
    CharacterRecord record = table->rows[row];
    encode_record_name(job.report, file_name, record, name_field, name, name_size);
    rom_write(job.rom, name, name_table + name_size * at, name_size);
    if (row >= static_cast<std::size_t>(playable_characters)) continue;
    std::memset(entry, 0, sizeof entry);
    character_field_map(entry, record, Direction::build);
    rom_write(job.rom, entry + stats, stat_table + stat_size * at, stat_size);
    rom_write(job.rom, entry + growth, growth_table + growth_size * at, growth_size);
  }
}

PipelineTable characters_table() {
  return make_pipeline_table<CharacterTable>(load_characters, write_character_csv,
                                             read_character_csv, store_characters);
}
