#include "tables/event_battles.hpp"

#include <algorithm>
#include <string_view>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/cells.hpp"
#include "table/csv_file.hpp"
#include "table/pipeline_table.hpp"

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

// Reads the byte cells after the ID cell into the area from p on, up to the first empty cell.
// Returns false when a byte found no room.
bool read_bytes(std::string_view line, EventBattleTable& table, std::size_t& p) {
  std::size_t next = cell_start(line, 1);
  while (next != std::string_view::npos) {
    line = line.substr(next);
    std::int32_t value = 0;
    if (transfer_cell(CellTarget{nullptr, line}, Direction::build, hex8_cell, value, 0) == 0) break;
    if (p == event_battle_area_size) return false;
    table.data[p++] = static_cast<std::uint8_t>(value);
    next = cell_start(line, 1);
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
  static const TableDescription table{
      "イベントバトル",
      "event_battle.csv",
      "イベントで起こる戦闘のデータ（バイト列）。一つの領域に詰めて書き込みます。",
      ",イベントバトルデータ,",
      {{nullptr, static_cast<int>(event_battle_count), &battle_row, {}, {}, 0, -1,
        {event_battle_area, event_battle_area_size, event_battle_pointers}, 1, 1}},
      {",IDの欄は16進法,"},
      false,
  };
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
  CsvWriter out;
  if (!open_table_file(out, job, folder, description)) return;
  out.line();
  out.line(header_line(description.sections.front()));
  report_unlisted_pointers(job.report, *table, listed_addresses(*table));
  std::size_t p = 0;
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    if (table->address[j] == event_battle_unused) break;
    std::int32_t id = static_cast<std::int32_t>(j);
    transfer_cell(CellTarget{&out, {}}, Direction::extract, hex8_cell, id, 0);
    const std::size_t length = listed_length(*table, j, p);
    for (std::size_t i = 0; i < length; ++i) {
      std::int32_t value = table->data[p++];
      transfer_cell(CellTarget{&out, {}}, Direction::extract, hex8_cell, value, 0);
    }
    out.line();
  }
  close_table_file(out, job.report, folder, description);
}

std::unique_ptr<EventBattleTable> read_event_battle_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  const char* const file_name = event_battle_table().file_name;
  if (!open_table_file(in, job.report, folder, event_battle_table())) return nullptr;
  const std::string path = folder + file_name;
  auto table = std::make_unique<EventBattleTable>();
  in.skip_lines(2);
  table->address[0] = event_battle_area;
  std::size_t p = 0;
  bool dropped = false;
  std::string line;
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    if (!in.next_line(line)) {
      job.report.add(msg::file_too_short, path);
      return nullptr;
    }
    // The empty line after the last listed entry ends the list, as after a table whose
    // pointers end in unused ones; a spreadsheet saves it as a line of commas. The ID cell
    // itself is never read.
    if (line.find_first_not_of(',') == std::string::npos) {
      std::fill(table->address.begin() + static_cast<std::ptrdiff_t>(j), table->address.end(),
                event_battle_unused);
      break;
    }
    if (!read_bytes(line, *table, p)) dropped = true;
    if (j + 1 < event_battle_count) {
      table->address[j + 1] = static_cast<std::int32_t>(event_battle_area + p);
    }
  }
  std::fill(table->data.begin() + static_cast<std::ptrdiff_t>(p), table->data.end(), 0xFF);
  if (dropped) {
    job.report.add(msg::area_overrun, event_battle_table().name, static_cast<int>(event_battle_area_size));
  }
  job.report.add(msg::room_used, file_name, static_cast<int>(p), static_cast<int>(event_battle_area_size));
  return table;
}

void store_event_battles(JobContext& job, const EventBattleTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, event_battle_table().name);
  // Rows as the image's extract lists them keep the image's pointers, which the listing may
  // not hold (the extract named them), and its bytes, which the rows hold.
  const auto image = battles_in(job.rom);
  if (table->data == image->data && table->address == listed_addresses(*image)) return;
  std::array<std::uint8_t, 2 * event_battle_count> pointers{};
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    std::int32_t address = table->address[j];
    event_battle_field_map(&pointers[2 * j], address, Direction::build);
  }
  rom_write(job.rom, pointers.data(), event_battle_pointers, pointers.size());
  rom_write(job.rom, table->data.data(), event_battle_area, table->data.size());
}

PipelineTable event_battle_steps(const TableDescription&) {
  return make_pipeline_table<EventBattleTable>(load_event_battles, write_event_battle_csv,
                                               read_event_battle_csv, store_event_battles);
}
