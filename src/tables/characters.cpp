#include "tables/characters.hpp"

#include "tables/shared_columns.hpp"

namespace {

// A character's entry: its 48 stat bytes, then its 16 growth bytes.
constexpr int stats = 0;
constexpr int growth = 48;

const Layout character = joined({id_and_name(), {
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
}});

}  // namespace

const TableDescription& character_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "キャラクター";
    t.file_name = "char.csv";
    t.purpose = "キャラクターの名前。仲間になるキャラクターは能力値、初期の技・術・装備、成長度も。";
    t.preamble = ",キャラクターデータ,総数:256,";
    t.sections = {section(nullptr, 256, character)
                      .reads({rom_table(0x3E0600, 48).into(stats), rom_table(0x3E31BF, 16).into(growth)})
                      .named(name_slots(0x3D1480, 8))
                      .data_in_first(48)};
    t.comments = {
        ",IDの欄は16進法,",
        ",アンデッドの次の不明は性別の不明,",
        ",技IDと術IDは初期習得の技ID。腕IDと体IDは初期装備のアイテムID,",
        ",地術は(蒼龍、朱鳥、白虎、玄武)の総称とする。天術は(太陽、月)の総称とする,",
        ",成長率では使われていないものもある,",
    };
    return t;
  }();
  return table;
}
