#include "tables/formations.hpp"

#include "core/messages.hpp"
#include "core/report.hpp"
#include "tables/shared_columns.hpp"

namespace {

constexpr int rate_limit = 255;
constexpr int speed_limit = 3;  // bit 2 the sign, bits 1-0 the magnitude

// A formation's entry: its role, position, info position and technique entries in turn.
constexpr int role_at = 0;
constexpr int position_at = 11;
constexpr int info_at = 23;
constexpr int techs_at = 35;

// A targeting rate: its byte holds this rate plus the rates before it, modulo 256.
void move_running_total(const Layout& layout, std::size_t f, std::uint8_t* entry, Direction direction,
                        TableRecord& record) {
  const FieldCodec* codec = layout[f].codec;
  std::uint32_t before = 0;  // the total up to the previous rate
  std::size_t previous = f;
  for (std::size_t g = 0; g < f; ++g) {
    if (layout[g].codec != codec) continue;
    before += static_cast<std::uint32_t>(record.value[g]);
    previous = g;
  }
  std::uint8_t& byte = entry[layout[f].rom_byte];
  if (direction == Direction::extract) {
    const std::int32_t total_before = previous == f ? 0 : entry[layout[previous].rom_byte];
    record.value[f] = static_cast<std::int32_t>(byte) - total_before;
  } else {
    byte = static_cast<std::uint8_t>((before + static_cast<std::uint32_t>(record.value[f])) & 0xFF);
  }
}

// A member's speed: bit 2 the sign (set: negative), bits 1-0 the magnitude.
void move_signed_speed(const Layout& layout, std::size_t f, std::uint8_t* entry, Direction direction,
                       TableRecord& record) {
  std::uint8_t& byte = entry[layout[f].rom_byte];
  std::int32_t& value = record.value[f];
  if (direction == Direction::extract) {
    const std::int32_t magnitude = byte & 0x03;
    value = (byte & 0x04) ? -magnitude : magnitude;
  } else {
    // A sign bit over a magnitude of 0 (-0) prints as 0: a 0 keeps it, so that an unchanged
    // file builds the image's byte.
    const bool negative_zero = (byte & 0x07) == 0x04;
    const std::uint32_t raw = static_cast<std::uint32_t>(value);
    const std::uint32_t magnitude = value < 0 ? 0u - raw : raw;
    const bool negative = value < 0 || (value == 0 && negative_zero);
    byte = static_cast<std::uint8_t>((byte & ~0x07) | (negative ? 0x04 : 0) | (magnitude & 0x03));
  }
}

const FieldCodec running_total = {
    move_running_total,
    "the byte holds the running total of the rates up to this one (mod 256); a build cuts the rates so "
    "that their sum stays within 255"};
const FieldCodec signed_speed = {move_signed_speed, "bit 2 the sign (set: negative), bits 1-0 the magnitude"};

// A member's rate and speed, each moved by its codec.
Field rate(int rom_byte, const char* header) {
  return {rom_byte, 0xFF, codec_field, decimal_cell, header, &running_total};
}
Field speed(int rom_byte, const char* header) {
  return {rom_byte, 0x07, codec_field, decimal_cell, header, &signed_speed, -speed_limit, speed_limit};
}

const Layout formation = joined({id_and_name(), {
    rate(role_at + 0, "①確率"),
    rate(role_at + 1, "②確率"),
    rate(role_at + 2, "③確率"),
    rate(role_at + 3, "④確率"),
    rate(role_at + 4, "⑤確率"),
    speed(role_at + 5, "①素早さ"),
    speed(role_at + 6, "②素早さ"),
    speed(role_at + 7, "③素早さ"),
    speed(role_at + 8, "④素早さ"),
    speed(role_at + 9, "⑤素早さ"),
    {role_at + 5,      0x80, flag,          mark_cell,    "①前防"},
    {role_at + 6,      0x80, flag,          mark_cell,    "②前防"},
    {role_at + 7,      0x80, flag,          mark_cell,    "③前防"},
    {role_at + 8,      0x80, flag,          mark_cell,    "④前防"},
    {role_at + 9,      0x80, flag,          mark_cell,    "⑤前防"},
    {role_at + 5,      0x40, flag,          mark_cell,    "①後防"},
    {role_at + 6,      0x40, flag,          mark_cell,    "②後防"},
    {role_at + 7,      0x40, flag,          mark_cell,    "③後防"},
    {role_at + 8,      0x40, flag,          mark_cell,    "④後防"},
    {role_at + 9,      0x40, flag,          mark_cell,    "⑤後防"},
    {role_at + 5,      0x20, flag,          mark_cell,    "①近攻"},
    {role_at + 6,      0x20, flag,          mark_cell,    "②近攻"},
    {role_at + 7,      0x20, flag,          mark_cell,    "③近攻"},
    {role_at + 8,      0x20, flag,          mark_cell,    "④近攻"},
    {role_at + 9,      0x20, flag,          mark_cell,    "⑤近攻"},
    {role_at + 5,      0x10, flag,          mark_cell,    "①遠攻"},
    {role_at + 6,      0x10, flag,          mark_cell,    "②遠攻"},
    {role_at + 7,      0x10, flag,          mark_cell,    "③遠攻"},
    {role_at + 8,      0x10, flag,          mark_cell,    "④遠攻"},
    {role_at + 9,      0x10, flag,          mark_cell,    "⑤遠攻"},
    {role_at + 5,      0x08, flag,          mark_cell,    "①術攻"},
    {role_at + 6,      0x08, flag,          mark_cell,    "②術攻"},
    {role_at + 7,      0x08, flag,          mark_cell,    "③術攻"},
    {role_at + 8,      0x08, flag,          mark_cell,    "④術攻"},
    {role_at + 9,      0x08, flag,          mark_cell,    "⑤術攻"},
    {role_at + 10,     0x3F, byte_field,    decimal_cell, "回復"},
    {role_at + 10,     0x80, flag,          mark_cell,    "通常"},
    {role_at + 10,     0x40, flag,          mark_cell,    "自然回復"},
    {techs_at + 0,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 1,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 2,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 3,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 4,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 5,     0xFF, byte_field,    hex8_cell,    "陣形技"},
    {techs_at + 6,     0x80, flag,          mark_cell,    "スペルフュージョン"},
    {position_at + 0,  0xFF, byte_field,    decimal_cell, "①Ｙ座標"},
    {position_at + 1,  0xFF, byte_field,    decimal_cell, "①Ｘ座標"},
    {position_at + 2,  0xFF, byte_field,    decimal_cell, "②Ｙ座標"},
    {position_at + 3,  0xFF, byte_field,    decimal_cell, "②Ｘ座標"},
    {position_at + 4,  0xFF, byte_field,    decimal_cell, "③Ｙ座標"},
    {position_at + 5,  0xFF, byte_field,    decimal_cell, "③Ｘ座標"},
    {position_at + 6,  0xFF, byte_field,    decimal_cell, "④Ｙ座標"},
    {position_at + 7,  0xFF, byte_field,    decimal_cell, "④Ｘ座標"},
    {position_at + 8,  0xFF, byte_field,    decimal_cell, "⑤Ｙ座標"},
    {position_at + 9,  0xFF, byte_field,    decimal_cell, "⑤Ｘ座標"},
    {position_at + 10, 0xFF, byte_field,    decimal_cell, "⑥Ｙ座標"},
    {position_at + 11, 0xFF, byte_field,    decimal_cell, "⑥Ｘ座標"},
    {info_at + 0,      0xFF, byte_field,    decimal_cell, "①情報Ｙ座標"},
    {info_at + 1,      0xFF, byte_field,    decimal_cell, "①情報Ｘ座標"},
    {info_at + 2,      0xFF, byte_field,    decimal_cell, "②情報Ｙ座標"},
    {info_at + 3,      0xFF, byte_field,    decimal_cell, "②情報Ｘ座標"},
    {info_at + 4,      0xFF, byte_field,    decimal_cell, "③情報Ｙ座標"},
    {info_at + 5,      0xFF, byte_field,    decimal_cell, "③情報Ｘ座標"},
    {info_at + 6,      0xFF, byte_field,    decimal_cell, "④情報Ｙ座標"},
    {info_at + 7,      0xFF, byte_field,    decimal_cell, "④情報Ｘ座標"},
    {info_at + 8,      0xFF, byte_field,    decimal_cell, "⑤情報Ｙ座標"},
    {info_at + 9,      0xFF, byte_field,    decimal_cell, "⑤情報Ｘ座標"},
    {info_at + 10,     0xFF, byte_field,    decimal_cell, "⑥情報Ｙ座標"},
    {info_at + 11,     0xFF, byte_field,    decimal_cell, "⑥情報Ｘ座標"},
}});

}  // namespace

const Layout& formation_layout() { return formation; }

void apply_rate_rule(TableRecord& record, int index, Report* report) {
  std::int64_t sum = 0;
  int member = 0;
  for (std::size_t f = 0; f < formation.size(); ++f) {
    if (formation[f].codec != &running_total) continue;
    ++member;
    std::int32_t& rate = record.value[f];
    sum += rate;
    if (sum > rate_limit) {
      if (report) {
        report->add(msg::formation_rate_sum, index, member, rate_limit);
        report->add(msg::formation_rate_cut, index, member);
      }
      rate = static_cast<std::int32_t>(rate_limit - (sum - rate));
      sum = rate_limit;
    }
  }
}

const TableDescription& formation_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "陣形";
    t.file_name = "form.csv";
    t.purpose = "陣形の名前。使える陣形は各メンバーの狙われる確率、素早さ、役割、位置と陣形技も。";
    t.preamble = ",陣形データ,総数:64,";
    t.sections = {section(nullptr, 64, formation)
                      .reads({rom_table(0x3E68CB, 11).into(role_at), rom_table(0x3E73EB, 12).into(position_at),
                              rom_table(0x3E763B, 12).into(info_at), rom_table(0x3E939B, 7).into(techs_at)})
                      .named(name_slots(0x3D0000, 10))
                      .data_in_first(32)};
    t.comments = {
        ",IDの欄は16進法、IDが20以降は未使用？",
        ",素早さは-3～3,",
        ",確率：狙われる確率(255分の\?\?),",
        ",①：一人目 ②：二人目 ③：三人目 ④：四人目 ⑤：五人目 ⑥：六人目,",
        ",陣形技は20～5Fの間,",
    };
    t.hooks.after_read = [](Report& report, std::int32_t id, TableRecord& record) {
      apply_rate_rule(record, id, &report);
    };
    return t;
  }();
  return table;
}
