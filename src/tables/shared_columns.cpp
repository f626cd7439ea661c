#include "tables/shared_columns.hpp"

#include <cstdint>

namespace {

struct FlagBit {
  std::uint32_t mask;
  const char* header;
};

Layout flag_byte(int at, std::initializer_list<FlagBit> bits) {
  Layout layout;
  for (const FlagBit& bit : bits) layout.push_back({at, bit.mask, flag, mark_cell, bit.header});
  return layout;
}

}  // namespace

Layout attribute_flags(int at) {
  return flag_byte(at, {
                           {0x80, "斬属性"},
                           {0x40, "打属性"},
                           {0x20, "貫属性"},
                           {0x10, "弓属性"},
                           {0x08, "熱属性"},
                           {0x04, "冷属性"},
                           {0x02, "雷属性"},
                           {0x01, "状属性"},
                       });
}

Layout range_flags(int at) {
  return flag_byte(at, {
                           {0x80, "両手"},
                           {0x40, "範囲遠距離"},
                           {0x20, "範囲全部"},
                           {0x10, "範囲縦一列"},
                           {0x08, "範囲横一列"},
                           {0x04, "範囲敵"},
                           {0x02, "範囲味方"},
                           {0x01, "範囲自分"},
                       });
}

Layout special_attribute_flags(int at) {
  return flag_byte(at, {
                           {0x80, "地面属性"},
                           {0x40, "飛行属性"},
                           {0x20, "凝視属性"},
                           {0x10, "音波属性"},
                           {0x08, "投げ属性"},
                           {0x01, "水属性"},
                       });
}

Layout effect_flags(int at) {
  return flag_byte(at, {
                           {0x80, "特殊効果"},
                           {0x40, "不明ビット"},
                           {0x20, "武器固有"},
                           {0x10, "不明ビット"},
                           {0x08, "行動最初"},
                           {0x04, "行動最後"},
                           {0x02, "カウンター"},
                           {0x01, "不明ビット"},
                       });
}

Layout effect_head(int at, const Layout& byte_six) {
  return joined({
      {
          {at + 0, 0xFF, byte_field, decimal_cell, "命中率"},
          {at + 1, 0xFF, byte_field, decimal_cell, "基本ダメージ"},
          {at + 2, 0xFF, byte_field, decimal_cell, "成長率"},
          {at + 3, 0xFF, byte_field, decimal_cell, "追加効果"},
      },
      attribute_flags(at + 4),
      range_flags(at + 5),
      byte_six,
      special_attribute_flags(at + 7),
      effect_flags(at + 8),
  });
}

Layout technique_effect(int at) {
  return joined({
      effect_head(at, {{at + 6, 0xFF, byte_field, decimal_cell, "特殊効果"}}),
      {
          {at + 9,  0xFF, byte_field, decimal_cell, "不明"},
          {at + 10, 0xFF, byte_field, decimal_cell, "技タイプ"},
          {at + 11, 0xC0, byte_field, decimal_cell, "術タイプ不明"},
          {at + 11, 0x38, byte_field, decimal_cell, "地属性"},
          {at + 11, 0x03, byte_field, decimal_cell, "天属性"},
          {at + 12, 0xFF, byte_field, decimal_cell, "種類"},
          {at + 13, 0x1F, byte_field, decimal_cell, "消費ポイント"},
          {at + 13, 0x80, flag,       mark_cell,    "武器破壊"},
          {at + 13, 0x40, flag,       mark_cell,    "全消費"},
          {at + 13, 0x20, flag,       mark_cell,    "術"},
      },
  });
}

Layout id_and_name() {
  return {
      {row_id, 0, no_bits, hex8_cell, "ID"},
      {no_rom, 0, no_bits, text_cell, "名前"},
  };
}
