#include "tables/monsters.hpp"

#include "tables/shared_columns.hpp"

namespace {

// A monster's entry: its size byte, then its 25 stat bytes.
constexpr int size_byte = 0;
constexpr int stat_byte(int byte) { return 1 + byte; }

const Layout monster = joined({id_and_name(), {
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
}});

}  // namespace

const TableDescription& monster_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "モンスター";
    t.file_name = "monster.csv";
    t.purpose = "モンスターの名前、大きさ、種族、耐性、能力値、行動パターン、装備と所持アイテム。";
    t.preamble = ",モンスターデータ,総数:320,";
    t.sections = {section(nullptr, 320, monster)
                      .reads({rom_table(0x26E400, 1).into(size_byte), rom_table(0x3E3F8B, 25).into(stat_byte(0))})
                      .named(name_slots(0x3D0A80, 8))};
    t.comments = {
        ",IDの欄は16進法",
        ",縦横サイズは1～5？",
        ",種族は順に(なし？、獣人、獣、蛇、竜、両棲、鳥、昆虫、植物、無機、魚、水棲、不明、悪魔、骸骨、巨人)",
        ",耐術は0から順に、蒼龍、朱鳥、白虎、玄武、太陽、月、アビス",
    };
    return t;
  }();
  return table;
}
