#include "tables/event_battles.hpp"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/cells.hpp"
#include "table/columns.hpp"
#include "table/csv_file.hpp"
#include "table/table_writer.hpp"
#include "table/pipeline_table.hpp"
#include "tables/listed_rows.hpp"

namespace {

constexpr std::uint32_t bank = 0x3E0000;

// An entry's bytes, one cell each after its ID.
const Layout battle_row = {
    {row_id, 0, no_bits, hex8_cell, "ID"},
    {0, 0xFF, byte_field, hex8_cell, "データ"},
};

// One past the area's last byte other than 0xFF: the fill is the run of 0xFF at its end.
std::size_t data_end(const EventBattleTable& table) {
  std::size_t end = event_battle_area_size;
  while (end > 0 && table.data[end - 1] == 0xFF) --end;
  return end;
}

// Entries are listed as lying back to back from the start of the area. An entry's length is
// the distance to the next entry; the last one, before the end of the table or before an
// unused pointer, runs up to the 0xFF fill, so that every other byte of the area is in a row
// (0xFF FF FF FF may lie inside an entry).
std::size_t listed_length(const EventBattleTable& table, std::size_t j, std::size_t p) {
  const std::size_t room = event_battle_area_size - p;
  const bool last = j + 1 == event_battle_count || table.address[j + 1] == event_battle_unused;
  if (!last) {
    const std::int64_t distance = std::int64_t{table.address[j + 1]} - table.address[j];
    return distance > 0 ? std::min(static_cast<std::size_t>(distance), room) : 0;
  }
  const std::size_t end = data_end(table);
  return end > p ? end - p : 0;
}

using Addresses = std::array<std::int32_t, event_battle_count>;

// The pointers a build from the listed rows writes.
Addresses listed_addresses(const EventBattleTable& table) {
  Addresses listed;
  listed.fill(event_battle_unused);
  std::size_t p = 0;
  for (std::size_t j = 0; j < event_battle_count && table.address[j] != event_battle_unused; ++j) {
    listed[j] = static_cast<std::int32_t>(event_battle_area + p);
    p += listed_length(table, j, p);
  }
  return listed;
}

// The image's pointers that the listing cannot hold are named at the first of them, on its
// row or, past the list, on the empty line that ends it: rows 0..n-1 lie on lines 4..n+3.
void report_unlisted_pointers(Report& report, const EventBattleTable& table, const Addresses& listed) {
  constexpr int first_row_line = 4;
  int count = 0;
  std::size_t first = 0;
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    if (table.address[j] != listed[j] && count++ == 0) first = j;
  }
  if (count == 0) return;
  const std::size_t rows = static_cast<std::size_t>(
      std::find(listed.begin(), listed.end(), event_battle_unused) - listed.begin());
  PlaceScope place(&report, Place{event_battle_table().file_name,
                                  first_row_line + static_cast<int>(std::min(first, rows))});
  report.add(msg::battle_pointer_unlisted, static_cast<unsigned>(first),
             static_cast<unsigned>(table.address[first] & 0xFFFF), count,
             static_cast<unsigned>(listed[first] & 0xFFFF));
}

// The entries as the extract lists them.
BattleRows listed_rows(const EventBattleTable& table) {
  BattleRows rows;
  std::size_t p = 0;
  for (std::size_t j = 0; j < event_battle_count && table.address[j] != event_battle_unused; ++j) {
    const std::size_t length = listed_length(table, j, p);
    rows.emplace_back(table.data.begin() + static_cast<std::ptrdiff_t>(p),
                      table.data.begin() + static_cast<std::ptrdiff_t>(p + length));
    p += length;
  }
  return rows;
}

// A line that holds an entry: a blank line or a comment line after the list holds none.
bool holds_entry(const std::string& line) {
  if (empty_row_line(line)) return false;
  return !cell_string(line, 0).empty() || read_line_cell(line, 1, hex8_cell).has_value();
}

// The list's lines: up to the empty line after which no entry follows (the comments come after
// it). An empty line with entries after it is an emptied row. False for a file cut inside its
// list, which ends without that empty line before all the entries.
bool list_lines(CsvReader& in, const ListColumns& columns, RecordLines& rows) {
  RecordLines lines;
  std::string line;
  while (in.next_line(line)) {
    lines.text.push_back(list_row(line, columns));
    lines.line.push_back(in.line_number());
  }
  std::size_t end = lines.text.size();
  for (std::size_t i = lines.text.size(); i-- > 0;) {
    if (holds_entry(lines.text[i])) break;
    if (empty_row_line(lines.text[i])) end = i;
  }
  if (end == lines.text.size() && end < event_battle_count) return false;
  rows.text.assign(lines.text.begin(), lines.text.begin() + static_cast<std::ptrdiff_t>(end));
  rows.line.assign(lines.line.begin(), lines.line.begin() + static_cast<std::ptrdiff_t>(end));
  return true;
}

// The bytes of one row, each cell exactly read; a value past a byte is clamped. Empty cells at
// the end of the row are passed over. False, after naming the cell, when a cell cannot be read
// (an empty one among the bytes too): the entry then keeps the image's bytes.
bool read_battle(Report& report, const ListColumns& columns, const std::string& line, int line_number,
                 std::size_t id, std::vector<std::uint8_t>& bytes) {
  const std::vector<std::string> cells = row_cells(line, 1);
  const char* const file = event_battle_table().file_name;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const CellPlace place{file, line_number, battle_row[1].header,
                          list_file_column(columns, static_cast<int>(c) + 1) + 1};
    const std::optional<std::int32_t> value = read_cell_value(cells[c], hex8_cell);
    if (!value) {
      PlaceScope scope(&report, place_of(place));
      report.add(msg::battle_cell_unreadable, cells[c], static_cast<unsigned>(id));
      return false;
    }
    bytes.push_back(static_cast<std::uint8_t>(clamp_cell_value(&report, place, hex8_cell, *value, 0, 0xFF)));
  }
  return true;
}

std::unique_ptr<EventBattleTable> battles_in(const RomImage& rom) {
  auto table = std::make_unique<EventBattleTable>();
  std::array<std::uint8_t, 2 * event_battle_count> pointers{};
  rom_read(rom, pointers.data(), event_battle_pointers, pointers.size());
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    std::int32_t& address = table->address[j];
    event_battle_field_map(&pointers[2 * j], address, Direction::extract);
    if (address != event_battle_unused) address += bank;
  }
  rom_read(rom, table->data.data(), event_battle_area, table->data.size());
  return table;
}

}  // namespace

const TableDescription& event_battle_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "イベントバトル";
    t.file_name = "event_battle.csv";
    t.purpose = "イベントで起こる戦闘のデータ（バイト列）。一つの領域に詰めて書き込みます。IDが0から一つずつそろっていれば行はIDの位置に置かれます。読めない欄のある戦闘はROMのバイトのまま、領域に収まらない時は領域全体が元のままです。";
    t.preamble = ",イベントバトルデータ,";
    t.sections = {section(nullptr, static_cast<int>(event_battle_count), battle_row)
                      .packed(packed_area(event_battle_area, event_battle_area_size).pointers_at(event_battle_pointers))
                      .area_size_in(1)
                      .repeats_from(1)};
    t.comments = {",IDの欄は16進法,"};
    t.fixed_rows = false;
    return t;
  }();
  return table;
}

void event_battle_field_map(std::uint8_t* rom_bytes, std::int32_t& address, Direction direction) {
  transfer_bits(rom_bytes, direction, word_field, address, 0xFFFF);
}

std::unique_ptr<EventBattleTable> load_event_battles(JobContext& job) {
  job.report.section(msg::load_banner, event_battle_table().name);
  return battles_in(job.rom);
}

void write_event_battle_csv(JobContext& job, const std::string& folder, const EventBattleTable* table) {
  if (!table) return;
  const TableDescription& description = event_battle_table();
  write_table_file(job, folder, description, [&](CsvWriter& out) {
    write_section_start(out, description.sections.front());
    report_unlisted_pointers(job.report, *table, listed_addresses(*table));
    std::size_t p = 0;
    for (std::size_t j = 0; j < event_battle_count && table->address[j] != event_battle_unused; ++j) {
      CsvRow row(out, static_cast<std::int32_t>(j));
      const std::size_t length = listed_length(*table, j, p);
      for (std::size_t i = 0; i < length; ++i) row.value(hex8_cell, table->data[p++]);
      row.end();
    }
  });
}

std::unique_ptr<EventBattleTable> read_event_battle_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  const char* const file_name = event_battle_table().file_name;
  if (!open_table_file(in, job.report, folder, event_battle_table())) return nullptr;
  in.skip_lines(1);
  std::string header;
  if (!in.next_line(header)) {
    job.report.add(msg::file_too_short, folder + file_name);
    return nullptr;
  }
  ListColumns columns;
  const Section& section = event_battle_table().sections.front();
  if (!match_list_columns(job.report, file_name, in.line_number(), section_columns(section), 1, header, columns) ||
      !columns.complete) {
    return nullptr;
  }
  RecordLines rows;
  if (!list_lines(in, columns, rows)) {
    job.report.add(msg::file_too_short, folder + file_name);
    return nullptr;
  }
  if (rows.text.size() > event_battle_count) {
    PlaceScope place(&job.report, Place{file_name, rows.line[event_battle_count]});
    job.report.add(msg::battle_rows_dropped, static_cast<int>(event_battle_count));
    rows.text.resize(event_battle_count);
    rows.line.resize(event_battle_count);
  }
  place_listed_rows(job.report, file_name, rows);
  auto table = std::make_unique<EventBattleTable>();
  table->rows.resize(rows.text.size());
  table->kept.assign(rows.text.size(), false);
  for (std::size_t j = 0; j < rows.text.size(); ++j) {
    table->kept[j] = empty_row_line(rows.text[j]) ||
                     !read_battle(job.report, columns, rows.text[j], rows.line[j], j, table->rows[j]);
  }
  return table;
}

// Rows as the image's extract lists them keep the image's pointers, which the listing may not
// hold (the extract named them), and its bytes; so does a list that does not fit. Otherwise the
// entries are packed from the area's start, the pointers after the list unused and the rest of
// the area filled with 0xFF.
void store_event_battles(JobContext& job, const EventBattleTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, event_battle_table().name);
  const BattleRows image = listed_rows(*battles_in(job.rom));
  BattleRows rows = table->rows;
  for (std::size_t j = 0; j < rows.size(); ++j) {
    if (table->kept[j]) rows[j] = j < image.size() ? image[j] : std::vector<std::uint8_t>();
  }
  std::size_t used = 0;
  for (const auto& row : rows) used += row.size();
  if (used > event_battle_area_size) {
    job.report.add(msg::area_overrun, event_battle_table().name, static_cast<int>(event_battle_area_size),
                   static_cast<int>(used - event_battle_area_size));
    return;
  }
  job.report.add(msg::room_used, event_battle_table().file_name, static_cast<int>(used),
                 static_cast<int>(event_battle_area_size));
  if (rows == image) return;
  std::array<std::uint8_t, 2 * event_battle_count> pointers{};
  std::array<std::uint8_t, event_battle_area_size> data{};
  data.fill(0xFF);
  std::size_t p = 0;
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    std::int32_t address = event_battle_unused;
    if (j < rows.size()) {
      address = static_cast<std::int32_t>((event_battle_area + p) & 0xFFFF);
      std::copy(rows[j].begin(), rows[j].end(), data.begin() + static_cast<std::ptrdiff_t>(p));
      p += rows[j].size();
    }
    event_battle_field_map(&pointers[2 * j], address, Direction::build);
  }
  rom_write(job.rom, pointers.data(), event_battle_pointers, pointers.size());
  rom_write(job.rom, data.data(), event_battle_area, data.size());
}

PipelineTable event_battle_steps(const TableDescription&) {
  return make_pipeline_table<EventBattleTable>(load_event_battles, write_event_battle_csv,
                                               read_event_battle_csv, store_event_battles);
}
