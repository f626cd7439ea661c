#include "tables/action_patterns.hpp"

namespace {

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

const TableDescription& action_pattern_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "敵パターン";
    t.file_name = "monster_ptn.csv";
    t.purpose = "敵の行動パターン（敵技8つの組）、二回行動する敵、敵が落とすアイテムとお金。";
    t.preamble = ",敵パターンデータ,総数:1,";
    t.sections = {
        section("行動パターン", 256, action_pattern).reads({rom_table(0x3E5ECB, 8)}),
        section("二回行動", 32, two_action).reads({rom_table(0x3E66CB, 2)}),
        section("ドロップアイテム", 64, drop_items).reads({rom_table(0x3E678B, 5)}),
    };
    t.comments = {
        ",IDの欄は16進法,",
        ",ドロップアイテムはFDで装備武器1、FEで装備武器2,",
    };
    return t;
  }();
  return table;
}
