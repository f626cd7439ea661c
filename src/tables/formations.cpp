#include "tables/formations.hpp"

#include <array>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/fixed_table.hpp"
#include "tables/tables.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "form.csv";
const char* const table_name = "陣形";


constexpr int formation_count = 64;
constexpr int data_count = 32;  // formations with data beside their name
constexpr int rate_limit = 255;
constexpr int speed_limit = 3;  // bit 2 the sign, bits 1-0 the magnitude

constexpr std::uint32_t name_table = 0x3D0000;
constexpr std::uint32_t name_size = 10;

// A formation's four entries, gathered one after another into one buffer.
constexpr int role_at = 0;
constexpr int position_at = 11;
constexpr int info_at = 23;
constexpr int techs_at = 35;
constexpr std::size_t gathered_size = 42;

struct Entry {
  std::uint32_t rom_offset;  // of formation 0
  std::uint32_t size;
  int gathered_at;
};
const Entry entries[] = {
    {0x3E68CB, 11, role_at},
    {0x3E73EB, 12, position_at},
    {0x3E763B, 12, info_at},
    {0x3E939B, 7, techs_at},
};

// Field kinds of this table beside those of transfer_bits, which passes over them.
constexpr int running_total = 16;  // the byte holds this rate plus the rates before it, mod 256
constexpr int signed_speed = 17;   // bit 2 the sign (set: negative), bits 1-0 the magnitude

constexpr std::size_t name_field = 1;

const Layout formation = {
    {row_id,           0,    no_bits,       hex8_cell,    "ID"},
    {no_rom,           0,    no_bits,       text_cell,    "名前(10)"},
    {role_at + 0,      0xFF, running_total, decimal_cell, "①確率"},
    {role_at + 1,      0xFF, running_total, decimal_cell, "②確率"},
    {role_at + 2,      0xFF, running_total, decimal_cell, "③確率"},
    {role_at + 3,      0xFF, running_total, decimal_cell, "④確率"},
    {role_at + 4,      0xFF, running_total, decimal_cell, "⑤確率"},
    {role_at + 5,      0x07, signed_speed,  decimal_cell, "①素早さ", -speed_limit, speed_limit},
    {role_at + 6,      0x07, signed_speed,  decimal_cell, "②素早さ", -speed_limit, speed_limit},
    {role_at + 7,      0x07, signed_speed,  decimal_cell, "③素早さ", -speed_limit, speed_limit},
    {role_at + 8,      0x07, signed_speed,  decimal_cell, "④素早さ", -speed_limit, speed_limit},
    {role_at + 9,      0x07, signed_speed,  decimal_cell, "⑤素早さ", -speed_limit, speed_limit},
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
};

// Formations without data show their ID and name only.
const Layout name_only(formation.begin(), formation.begin() + 2);

// The rates and speeds, which transfer_bits cannot move.
void transfer_role_values(std::uint8_t* entry, Direction direction, TableRecord& record) {
  std::uint32_t total = 0;  // the running total up to the previous rate
  for (std::size_t f = 0; f < formation.size(); ++f) {
    const Field& field = formation[f];
    if (field.bits != running_total && field.bits != signed_speed) continue;
    std::uint8_t& byte = entry[field.rom_byte];
    std::int32_t& value = record.value[f];
    if (field.bits == running_total) {
      if (direction == Direction::extract) {
        value = static_cast<std::int32_t>(byte) - static_cast<std::int32_t>(total);
        total = byte;
      } else {
        total = (total + static_cast<std::uint32_t>(value)) & 0xFF;
        byte = static_cast<std::uint8_t>(byte | total);
      }
    } else {
      if (direction == Direction::extract) {
        const std::int32_t magnitude = byte & 0x03;
        value = (byte & 0x04) ? -magnitude : magnitude;
      } else {
        const std::uint32_t raw = static_cast<std::uint32_t>(value);
        const std::uint32_t magnitude = value < 0 ? 0u - raw : raw;
        byte = static_cast<std::uint8_t>(byte | (value < 0 ? 0x04 : 0) | (magnitude & 0x03));
      }
    }
  }
}

}  // namespace

const Layout& formation_layout() { return formation; }

void formation_field_map(std::uint8_t* entry, TableRecord& record, Direction direction) {
  field_map(formation, entry, direction, record);
  transfer_role_values(entry, direction, record);
}

void formation_cell_map(const CellTarget& target, TableRecord& record, Direction direction,
                        int index) {
  cell_map(index < data_count ? formation : name_only, target, direction, record);
}

void apply_rate_rule(TableRecord& record, int index, Report* report) {
  std::int64_t sum = 0;
  int member = 0;
  for (std::size_t f = 0; f < formation.size(); ++f) {
    if (formation[f].bits != running_total) continue;
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

std::unique_ptr<FormationTable> load_formations(JobContext& job) {
  auto table = std::make_unique<FormationTable>();
  job.report.section(msg::load_banner, table_name);
  table->rows.reserve(formation_count);
  for (int i = 0; i < formation_count; ++i) {
    const std::uint32_t index = static_cast<std::uint32_t>(i);
    TableRecord& record = table->rows.emplace_back(make_record(formation, i));
    std::array<std::uint8_t, name_size> name{};
    rom_read(job.rom, name.data(), name_table + name_size * index, name.size());
    record.text[name_field] = decode_name(name.data(), name.size());
    if (i >= data_count) continue;
    std::array<std::uint8_t, gathered_size> bytes{};
    for (const Entry& entry : entries) {
      rom_read(job.rom, bytes.data() + entry.gathered_at, entry.rom_offset + entry.size * index, entry.size);
    }
    formation_field_map(bytes.data(), record, Direction::extract);
  }
  return table;
}

void write_formation_csv(JobContext& job, const std::string& folder, const FormationTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(",%sデータ,総数:%d,\n", table_name, formation_count);
  out.line();
  out.line(header_line(formation));
  for (std::size_t i = 0; i < table->rows.size(); ++i) {
    TableRecord record = table->rows[i];
    formation_cell_map(CellTarget{&out, {}}, record, Direction::extract, static_cast<int>(i));
    out.line();
  }
  out.line();
  out.line();
  out.line(",IDの欄は16進法、IDが20以降は未使用？");
  out.printf(",素早さは-%d～%d,\n", speed_limit, speed_limit);
  out.printf(",確率：狙われる確率(%d分の\?\?),\n", rate_limit);
  out.line(",①：一人目 ②：二人目 ③：三人目 ④：四人目 ⑤：五人目 ⑥：六人目,");
  out.line(",陣形技は20～5Fの間,");
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<FormationTable> read_formation_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  in.skip_lines(3);
  std::vector<std::string> lines;
  int first_line = 0;
  if (!read_record_lines(job.report, in, formation_count, folder + file_name, lines, &first_line)) return nullptr;
  auto table = std::make_unique<FormationTable>();
  table->rows.reserve(formation_count);
  for (int i = 0; i < formation_count; ++i) {
    TableRecord& record = table->rows.emplace_back(make_record(formation, i));
    formation_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(i)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(i))}, record,
                       Direction::build, i);
    apply_rate_rule(record, i, &job.report);
  }
  return table;
}

void store_formations(JobContext& job, const FormationTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  for (std::size_t i = 0; i < table->rows.size() && i < formation_count; ++i) {
    const std::uint32_t index = static_cast<std::uint32_t>(i);
    TableRecord record = table->rows[i];
    std::array<std::uint8_t, name_size> name{};
    encode_record_name(job.report, file_name, record, name_field, name.data(), name.size());
    rom_write(job.rom, name.data(), name_table + name_size * index, name.size());
    if (i >= data_count) continue;
    std::array<std::uint8_t, gathered_size> bytes{};
    formation_field_map(bytes.data(), record, Direction::build);
    for (const Entry& entry : entries) {
      rom_write(job.rom, bytes.data() + entry.gathered_at, entry.rom_offset + entry.size * index, entry.size);
    }
  }
}

PipelineTable formations_table() {
  return make_pipeline_table<FormationTable>(load_formations, write_formation_csv,
                                             read_formation_csv, store_formations);
}
