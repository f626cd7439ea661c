#include "tables/formation_techs.hpp"

#include "tables/shared_columns.hpp"

namespace {

// A technique's entry: its 12 requirement bytes, then its 14 effect bytes.
constexpr int requirement = 0;
constexpr int effect = 12;

// The record tables are indexed by the game's technique number, and formation techniques
// are numbers 0x20 to 0x5F.
constexpr std::uint32_t first_technique = 0x20;

const Layout formation_tech = joined({
    id_and_name(),
    {
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

}  // namespace

const TableDescription& formation_tech_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "陣形技";
    t.file_name = "form_tech.csv";
    t.purpose = "陣形技の名前、使える条件と効果。行 n は技番号 0x20 + n です。";
    t.preamble = ",陣形技データ,総数:64,";
    t.sections = {section(nullptr, 64, formation_tech)
                      .reads({rom_table(0x3E6A2B + 12 * first_technique, 12).into(requirement),
                              rom_table(0x3E6EAB + 14 * first_technique, 14).into(effect)})
                      .named(name_slots(0x3D3BC0, 10))};
    t.comments = {
        ",IDの欄は16進法,",
        ",①：一人目 ②：二人目 ③：三人目 ④：四人目 ⑤：五人目,",
        ",①術可からクリティカル条件の前までが使用条件,",
        ",命中率以降は味方技データのコピー。どう違うのかよくわからん,",
    };
    return t;
  }();
  return table;
}
