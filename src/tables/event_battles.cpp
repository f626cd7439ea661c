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

bool fill_begins(const EventBattleTable& table, std::size_t p) {
  if (p + 4 > event_battle_area_size) return false;
  return std::all_of(&table.data[p], &table.data[p] + 4, [](std::uint8_t b) { return b == 0xFF; });
}

// Entries are listed as lying back to back from the start of the area. An entry's length is
// the distance to the next entry; the last one, before the end of the table or before an
// unused pointer, runs up to the 0xFF fill.
std::size_t listed_length(const EventBattleTable& table, std::size_t j, std::size_t p) {
  const std::size_t room = event_battle_area_size - p;
  const bool last = j + 1 == event_battle_count || table.address[j + 1] == event_battle_unused;
  if (!last) {
    const std::int64_t distance = std::int64_t{table.address[j + 1]} - table.address[j];
    return distance > 0 ? std::min(static_cast<std::size_t>(distance), room) : 0;
  }
  std::size_t length = 0;
  while (length < room && !fill_begins(table, p + length)) ++length;
  return length;
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
  auto table = std::make_unique<EventBattleTable>();
  job.report.section(msg::load_banner, event_battle_table().name);
  std::array<std::uint8_t, 2 * event_battle_count> pointers{};
  rom_read(job.rom, pointers.data(), event_battle_pointers, pointers.size());
  for (std::size_t j = 0; j < event_battle_count; ++j) {
    std::int32_t& address = table->address[j];
    event_battle_field_map(&pointers[2 * j], address, Direction::extract);
    if (address != event_battle_unused) address += bank;
  }
  rom_read(job.rom, table->data.data(), event_battle_area, table->data.size());
  return table;
}

void write_event_battle_csv(JobContext& job, const std::string& folder, const EventBattleTable* table) {
  if (!table) return;
  const TableDescription& description = event_battle_table();
  CsvWriter out;
  if (!open_table_file(out, job, folder, description)) return;
  out.line();
  out.line(header_line(description.sections.front()));
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
