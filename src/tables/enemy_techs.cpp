#include "tables/enemy_techs.hpp"

#include "tables/shared_columns.hpp"

namespace {

// A technique's entry: its 16 effect bytes, then its dodge difficulty.
constexpr int effect = 0;
constexpr int difficulty = 16;

const Layout enemy_tech = joined({
    id_and_name(),
    effect_head(effect,
                {
                    // No shift: the lowest bit of 0xF7 is bit 0, and bit 3 is the dodge flag.
                    {effect + 6, 0xF7, byte_field, decimal_cell, "不明"},
                    {effect + 6, 0x08, flag,       mark_cell,    "見切り可"},
                }),
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

}  // namespace

const TableDescription& enemy_tech_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "敵技";
    t.file_name = "mons_tech.csv";
    t.purpose = "敵の技の名前と効果、見切りの難易度。";
    t.preamble = ",敵技データ,総数:256,";
    // The difficulty is stored too, or an edit of its column would be lost.
    t.sections = {section(nullptr, 256, enemy_tech)
                      .reads({rom_table(0x3E1D00, 16).into(effect), rom_table(0x3E3D4B, 1).into(difficulty)})
                      .named(name_slots(0x3D31C0, 10))};
    t.comments = {",IDの欄は16進法"};
    return t;
  }();
  return table;
}
