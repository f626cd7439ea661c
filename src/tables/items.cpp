#include "tables/items.hpp"

#include <array>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "tables/tables.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "item.csv";
const char* const table_name = "アイテム";
constexpr int item_count = 256;

constexpr std::uint32_t name_table = 0x3D0280;
constexpr std::uint32_t name_size = 8;
constexpr std::uint32_t price_table = 0x3E9958;

// An item's bytes lie in up to three tables; they are gathered into one buffer so that one
// description covers them: the effect record first, then the price, then the comment ID.
constexpr int price_at = 9;
constexpr int comment_at = 11;
constexpr std::size_t gathered_size = 12;

// The cells every row starts with.
Layout item_layout(std::initializer_list<Field> own) {
  Layout layout = {
      {row_id,   0,      no_bits,    hex8_cell,    "ID"},
      {no_rom,   0,      no_bits,    text_cell,    "名前(8)"},
      {price_at, 0xFFFF, word_field, decimal_cell, "値段"},
  };
  layout.insert(layout.end(), own);
  return layout;
}
constexpr std::size_t name_field = 1;

const Layout tools = item_layout({
    {0,          0xF8, byte_field, decimal_cell, "種類"},
    {0,          0x07, byte_field, decimal_cell, "重さ？"},
    {1,          0xFF, byte_field, decimal_cell, "威力(実数は4倍)"},
    {2,          0xFF, byte_field, decimal_cell, "不明"},
    {3,          0xFF, byte_field, decimal_cell, "不明"},
    {comment_at, 0xFF, byte_field, hex8_cell,    "コメントID"},
});

// Bit 7 of byte 0 is both the top bit of the kind and the two-handed flag: a kind of 16 or
// more is two-handed.
const Layout weapons = item_layout({
    {0, 0xF8, byte_field, decimal_cell, "種類"},
    {0, 0x07, byte_field, decimal_cell, "重さ"},
    {1, 0x7F, byte_field, decimal_cell, "威力"},
    {0, 0x80, flag,       mark_cell,    "両手持ち"},
    {1, 0x80, flag,       mark_cell,    "呪い"},
    {2, 0xFF, byte_field, hex8_cell,    "固有技ID"},
    {3, 0xFF, byte_field, hex8_cell,    "固有技ID"},
});

const Layout shields = item_layout({
    {0, 0xF8, byte_field,    decimal_cell, "種類"},
    {0, 0x07, byte_field,    decimal_cell, "重さ"},
    {1, 0x7F, byte_field,    decimal_cell, "防御力"},
    {2, 0x7F, byte_field,    decimal_cell, "回避率"},
    {1, 0x80, flag,          mark_cell,    "呪い"},
    {2, 0x80, inverted_flag, mark_cell,    "ガーター"},
    {3, 0x80, flag,          mark_cell,    "耐斬"},
    {3, 0x40, flag,          mark_cell,    "耐打"},
    {3, 0x20, flag,          mark_cell,    "耐貫"},
    {3, 0x10, flag,          mark_cell,    "耐弓"},
    {3, 0x08, flag,          mark_cell,    "耐熱"},
    {3, 0x04, flag,          mark_cell,    "耐冷"},
    {3, 0x02, flag,          mark_cell,    "耐雷"},
    {3, 0x01, flag,          mark_cell,    "耐状"},
});

// Bit 0x08 of bytes 1 and 3, bit 0x40 of byte 5 and bits 0x30 of byte 8 belong to no field.
const Layout armour = item_layout({
    {0, 0xFF, byte_field, decimal_cell, "物理防御力"},
    {1, 0x07, byte_field, grade_cell,   "物理防御補正"},
    {1, 0x80, flag,       mark_cell,    "斬"},
    {1, 0x40, flag,       mark_cell,    "打"},
    {1, 0x20, flag,       mark_cell,    "突"},
    {1, 0x10, flag,       mark_cell,    "射"},
    {2, 0xFF, byte_field, decimal_cell, "魔法防御力"},
    {3, 0x07, byte_field, grade_cell,   "魔法防御補正"},
    {3, 0x80, flag,       mark_cell,    "熱"},
    {3, 0x40, flag,       mark_cell,    "冷"},
    {3, 0x20, flag,       mark_cell,    "雷"},
    {3, 0x10, flag,       mark_cell,    "状"},
    {4, 0x80, flag,       mark_cell,    "耐気絶"},
    {4, 0x40, flag,       mark_cell,    "耐石化"},
    {4, 0x20, flag,       mark_cell,    "耐マヒ"},
    {4, 0x10, flag,       mark_cell,    "耐眠り"},
    {4, 0x08, flag,       mark_cell,    "耐暗闇"},
    {4, 0x04, flag,       mark_cell,    "耐精神"},
    {4, 0x02, flag,       mark_cell,    "耐毒"},
    {4, 0x01, flag,       mark_cell,    "耐スタン"},
    {5, 0x80, flag,       mark_cell,    "呪い"},
    {5, 0x20, flag,       mark_cell,    "アクセサリー"},
    {5, 0x10, flag,       mark_cell,    "靴"},
    {5, 0x08, flag,       mark_cell,    "小手"},
    {5, 0x04, flag,       mark_cell,    "兜"},
    {5, 0x02, flag,       mark_cell,    "服"},
    {5, 0x01, flag,       mark_cell,    "鎧"},
    {6, 0x07, byte_field, decimal_cell, "耐術"},
    {6, 0x80, flag,       mark_cell,    "耐地"},
    {6, 0x40, flag,       mark_cell,    "耐凝"},
    {6, 0x20, flag,       mark_cell,    "耐音"},
    {6, 0x10, flag,       mark_cell,    "耐投"},
    {6, 0x08, flag,       mark_cell,    "耐水"},
    {7, 0x80, flag,       mark_cell,    "Plus腕力"},
    {7, 0x40, flag,       mark_cell,    "Plus器用"},
    {7, 0x20, flag,       mark_cell,    "Plus素早"},
    {7, 0x10, flag,       mark_cell,    "Plus体力"},
    {7, 0x08, flag,       mark_cell,    "Plus魔力"},
    {7, 0x04, flag,       mark_cell,    "Plus意思力"},
    {7, 0x02, flag,       mark_cell,    "Plus魅力"},
    {7, 0x01, flag,       mark_cell,    "Plus2"},
    {8, 0x80, flag,       mark_cell,    "能力非表示"},
    {8, 0x40, flag,       mark_cell,    "自動回復"},
    {8, 0x0F, byte_field, decimal_cell, "重さ"},
});

const Layout consumables = item_layout({
    {0,          0x80, flag,       mark_cell,    "不明フラグ"},
    {0,          0x40, flag,       mark_cell,    "不明フラグ"},
    {0,          0x20, flag,       mark_cell,    "LP回復"},
    {0,          0x10, flag,       mark_cell,    "JP回復"},
    {0,          0x08, flag,       mark_cell,    "WP回復"},
    {0,          0x04, flag,       mark_cell,    "不明フラグ"},
    {0,          0x02, flag,       mark_cell,    "全体"},
    {0,          0x01, flag,       mark_cell,    "一人"},
    {1,          0x7F, byte_field, decimal_cell, "回復量"},
    {1,          0x80, flag,       mark_cell,    "完全回復"},
    {comment_at, 0xFF, byte_field, hex8_cell,    "コメントID"},
});

// The effect records of tools, weapons, shields and armour are packed one after another from
// 0x3E0000 in ID order (the stream ends at 0x3E0600); consumables have a table of their own.
// Tools and consumables keep their comment IDs in tables of one byte per item.
struct SubTable {
  Section section;
  std::uint32_t comment_table;  // 0: no comment IDs
};
const SubTable sub_tables[] = {
    {{"道具",         0x3E0000, 4, 8,   &tools},       0x3E95C3},
    {{"武器",         0x3E0020, 4, 72,  &weapons},     0},
    {{"盾",           0x3E0140, 4, 16,  &shields},     0},
    {{"防具",         0x3E0180, 9, 128, &armour},      0},
    {{"消費アイテム", 0x3E9738, 2, 32,  &consumables}, 0x3E9778},
};
constexpr int sub_table_count = 5;
constexpr std::uint32_t effect_stream_size = 0x600;  // from 0x3E0000

// The sub-table of an item and the item's row in it; false for IDs outside the table.
bool locate(int id, int& sub, int& row) {
  int first = 0;
  for (sub = 0; sub < sub_table_count; ++sub) {
    const int rows = sub_tables[sub].section.rows;
    if (id >= first && id < first + rows) {
      row = id - first;
      return true;
    }
    first += rows;
  }
  return false;
}

std::uint32_t effect_offset(const Section& section, int row) {
  return section.rom_offset + section.entry_size * static_cast<std::uint32_t>(row);
}

}  // namespace

const FixedTable& item_table() {
  static const FixedTable table = [] {
    FixedTable t{table_name, file_name, {}};
    for (const SubTable& sub : sub_tables) t.sections.push_back(sub.section);
    return t;
  }();
  return table;
}

std::uint32_t item_field_map(std::uint8_t* entry, TableRecord& record, Direction direction, int id) {
  int sub = 0;
  int row = 0;
  if (!locate(id, sub, row)) return 0;
  const Section& section = sub_tables[sub].section;
  field_map(*section.layout, entry, direction, record);
  // Consumable records lie in a table of their own and take no room in the effect stream.
  return section.layout == &consumables ? 0 : section.entry_size;
}

void item_cell_map(const CellTarget& target, TableRecord& record, Direction direction, int id) {
  int sub = 0;
  int row = 0;
  if (!locate(id, sub, row)) return;
  cell_map(*sub_tables[sub].section.layout, target, direction, record);
}

std::unique_ptr<ItemTable> load_items(JobContext& job) {
  auto table = std::make_unique<ItemTable>();
  job.report.section(msg::load_banner, table_name);
  int id = 0;
  for (const SubTable& sub : sub_tables) {
    const Section& section = sub.section;
    std::vector<TableRecord>& records = table->rows.emplace_back();
    records.reserve(static_cast<std::size_t>(section.rows));
    for (int row = 0; row < section.rows; ++row, ++id) {
      const std::uint32_t item = static_cast<std::uint32_t>(id);
      std::array<std::uint8_t, gathered_size> bytes{};
      rom_read(job.rom, bytes.data(), effect_offset(section, row), section.entry_size);
      rom_read(job.rom, bytes.data() + price_at, price_table + 2 * item, 2);
      if (sub.comment_table) {
        rom_read(job.rom, bytes.data() + comment_at, sub.comment_table + static_cast<std::uint32_t>(row), 1);
      }
      TableRecord& record = records.emplace_back(make_record(*section.layout, id));
      item_field_map(bytes.data(), record, Direction::extract, id);
      std::array<std::uint8_t, name_size> name{};
      rom_read(job.rom, name.data(), name_table + name_size * item, name.size());
      record.text[name_field] = decode_name(name.data(), name.size());
    }
  }
  return table;
}

void write_item_csv(JobContext& job, const std::string& folder, const ItemTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, item_count);
  write_fixed_sections(job, out, item_table(), *table);
  out.line();
  out.line();
  out.line(",IDの欄は16進法");
  out.line(",武器の種類番号が16以上で両手持ちになる");
  out.line(",防具の物理防御補正、魔法防御補正の値は×、△、○、○+、◎、□(便宜上)、☆の7つ");
  out.line(",防具の種類(アクセサリー、靴、小手、兜、服、鎧)にはいずれかに○が必要かも？");
  out.line(",防具の上の両補正はそれぞれその右の4つのフラグに適用される");
  out.line(",耐術は0から順に、蒼龍、朱鳥、白虎、玄武、太陽、月、アビス");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<ItemTable> read_item_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(1);
  return read_fixed_sections(job, in, item_table(), folder + file_name);
}

void store_items(JobContext& job, const ItemTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  int first = 0;
  std::uint32_t stream_used = 0;
  for (std::size_t s = 0; s < std::size(sub_tables) && s < table->rows.size(); ++s) {
    const SubTable& sub = sub_tables[s];
    const Section& section = sub.section;
    const std::vector<TableRecord>& records = table->rows[s];
    if (section.layout != &consumables) stream_used += section.entry_size * static_cast<std::uint32_t>(section.rows);
    for (int row = 0; row < section.rows && row < static_cast<int>(records.size()); ++row) {
      const int id = first + row;
      const std::uint32_t item = static_cast<std::uint32_t>(id);
      TableRecord record = records[static_cast<std::size_t>(row)];
      std::array<std::uint8_t, gathered_size> bytes{};
      item_field_map(bytes.data(), record, Direction::build, id);
      rom_write(job.rom, bytes.data(), effect_offset(section, row), section.entry_size);
      rom_write(job.rom, bytes.data() + price_at, price_table + 2 * item, 2);
      if (sub.comment_table) {
        rom_write(job.rom, bytes.data() + comment_at, sub.comment_table + static_cast<std::uint32_t>(row), 1);
      }
      std::array<std::uint8_t, name_size> name{};
      encode_record_name(job.report, file_name, record, name_field, name.data(), name.size());
      rom_write(job.rom, name.data(), name_table + name_size * item, name.size());
    }
    first += section.rows;
  }
  job.report.add(msg::room_used, Report::format(msg::item_effects.text, file_name),
                 static_cast<int>(stream_used), static_cast<int>(effect_stream_size));
}

PipelineTable items_table() {
  return make_pipeline_table<ItemTable>(load_items, write_item_csv, read_item_csv, store_items);
}
