#include "tables/ally_techs.hpp"

#include "tables/shared_columns.hpp"

namespace {

// A technique's entry: its 14 effect bytes, its 2 spark type bytes, its comment ID and a byte
// whose bit 0 is its initial-mastery bit.
constexpr int effect = 0;
constexpr int spark = 14;
constexpr int comment = 16;
constexpr int mastery = 17;

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
  static const Layout layout = joined({id_and_name(), technique_effect(effect), shared_tail()});
  return layout;
}

const Layout& dodge_layout() {
  static const Layout layout = joined({
      id_and_name(),
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

// Every ROM table is indexed by technique number, over both sections.
std::vector<RomSource> technique_sources() {
  return {
      rom_table(0x3E0F00, 14).into(effect).by_id(),
      rom_table(0x3E353F, 2).into(spark).by_id(),
      rom_table(0x3E94C3, 1).into(comment).by_id(),
      // One bit per technique, technique 0 in the highest bit of the first byte.
      bit_array(0x3DEFFC, 32).into(mastery).by_id(),
  };
}
constexpr NameSlot technique_names = name_slots(0x3D27C0, 10);

}  // namespace

const TableDescription& ally_tech_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "味方技";
    t.file_name = "tech.csv";
    t.purpose = "味方の技の名前と効果、閃きタイプ、コメント、初期極意。使用できる技と見切り技で列が違います。";
    t.preamble = ",味方技データ,総数:256,";
    t.sections = {
        section("使用できる技", first_dodge_tech, usable_layout()).reads(technique_sources()).named(technique_names),
        section("見切り技", 256 - first_dodge_tech, dodge_layout()).reads(technique_sources()).named(technique_names)
            .ids_from(first_dodge_tech),
    };
    t.comments = {
        ",IDの欄は16進法",
        ",地属性は(蒼龍、朱鳥、白虎、玄武)　天属性は(物理、太陽、月、アビス)の順",
        ",閃きタイプはキャラの閃きタイプと関連",
        ",struct.defだけだとよくわからんことが多い",
    };
    return t;
  }();
  return table;
}
