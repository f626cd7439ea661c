#include "tables/items.hpp"

#include "core/job_context.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "tables/shared_columns.hpp"

namespace {

// An item's entry: its effect record from byte 0, its price at 9, its comment ID at 11.
constexpr int price_at = 9;
constexpr int comment_at = 11;

// The cells every row starts with.
Layout item_layout(const Layout& own) {
  return joined({id_and_name(), {{price_at, 0xFFFF, word_field, decimal_cell, "値段"}}, own});
}

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
// 0x3E0000 in ID order; consumables have a table of their own. Tools and consumables keep
// their comment IDs in tables of one byte per item.
constexpr std::uint32_t effect_stream = 0x3E0000;
constexpr std::uint32_t effect_stream_size = 0x600;
constexpr NameSlot item_names = name_slots(0x3D0280, 8);

// Each section reads its effect records first; the prices are indexed by ID over every section.
constexpr RomSource prices = rom_table(0x3E9958, 2).into(price_at).by_id();
constexpr RomSource comment_ids(std::uint32_t rom_offset) { return rom_table(rom_offset, 1).into(comment_at); }

// The stream is always used whole: every record of the four sections in it is stored.
void report_effect_stream(JobContext& job) {
  std::uint32_t used = 0;
  for (const Section& section : item_table().sections) {
    const RomSource& effects = section.sources.front();
    if (effects.rom_offset >= effect_stream && effects.rom_offset < effect_stream + effect_stream_size) {
      used += effects.stride * static_cast<std::uint32_t>(section.rows);
    }
  }
  job.report.add(msg::room_used, Report::format(msg::item_effects.text, item_table().file_name),
                 static_cast<int>(used), static_cast<int>(effect_stream_size));
}

}  // namespace

const TableDescription& item_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "アイテム";
    t.file_name = "item.csv";
    t.purpose = "アイテムの名前と値段、種類ごとの効果（道具、武器、盾、防具、消費アイテム）。";
    t.preamble = ",アイテムデータ,総数:256,";
    t.sections = {
        section("道具", 8, tools).ids_from(0x00).named(item_names)
            .reads({rom_table(effect_stream, 4), prices, comment_ids(0x3E95C3)}),
        section("武器", 72, weapons).ids_from(0x08).named(item_names)
            .reads({rom_table(0x3E0020, 4), prices}),
        section("盾", 16, shields).ids_from(0x50).named(item_names)
            .reads({rom_table(0x3E0140, 4), prices}),
        section("防具", 128, armour).ids_from(0x60).named(item_names)
            .reads({rom_table(0x3E0180, 9), prices}),
        section("消費アイテム", 32, consumables).ids_from(0xE0).named(item_names)
            .reads({rom_table(0x3E9738, 2), prices, comment_ids(0x3E9778)}),
    };
    t.comments = {
        ",IDの欄は16進法",
        ",武器の種類番号が16以上で両手持ちになる",
        ",防具の物理防御補正、魔法防御補正の値は×、△、○、○+、◎、□(便宜上)、☆の7つ",
        ",防具の種類(アクセサリー、靴、小手、兜、服、鎧)にはいずれかに○が必要かも？",
        ",防具の上の両補正はそれぞれその右の4つのフラグに適用される",
        ",耐術は0から順に、蒼龍、朱鳥、白虎、玄武、太陽、月、アビス",
    };
    t.hooks.after_store = report_effect_stream;
    return t;
  }();
  return table;
}
