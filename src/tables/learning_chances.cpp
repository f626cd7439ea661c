#include "tables/learning_chances.hpp"

#include <algorithm>
#include <optional>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/cells.hpp"
#include "table/columns.hpp"
#include "table/pipeline_table.hpp"
#include "table/table_writer.hpp"
#include "tables/listed_rows.hpp"

namespace {

const std::array<LearningSubTable, learning_sub_table_count> sub_tables = {{
    {"技閃き確率",                 0x3E3A4B, 384},
    {"技閃き確率(カウンター)",     0x3E3F1B, 24},
    {"陣形技閃き確率",             0x3E3E4B, 96},
    {"陣形技閃き確率(カウンター)", 0x3E3F0B, 8},
}};

// In a header slot: the source technique and the number of pairs after it.
// In a pair slot: a derived technique and its difficulty.
const Layout slot_layout = {
    {0, 0xFF, byte_field, hex8_cell,    "派生技ID"},
    {1, 0xFF, byte_field, decimal_cell, "難易度"},
};
constexpr std::size_t first = 0;
constexpr std::size_t second = 1;

// A row as the file shows it: the source technique's slot, then its pairs.
const Layout row_layout = joined({
    {
        {row_id, 0, no_bits, hex8_cell, "ID"},
        {0, 0xFF, byte_field, hex8_cell, "技ID"},
    },
    slot_layout,
});

constexpr std::int32_t end_marker = 0xFF;
constexpr int max_pairs = 0xFF;  // the count is one byte
constexpr int slot_size = 2;
constexpr int pairs_in_column_line = 4;

std::unique_ptr<LearningTables> make_tables() {
  auto tables = std::make_unique<LearningTables>();
  for (int t = 0; t < learning_sub_table_count; ++t) {
    tables->slots[t].assign(static_cast<std::size_t>(sub_tables[t].capacity),
                            make_record(slot_layout, 0));
  }
  return tables;
}

std::string column_line() {
  std::string line = header_line(row_layout);
  for (int k = 1; k < pairs_in_column_line; ++k) line += header_line(slot_layout);
  return line;
}

// A row of the stream; the pairs of a header whose count runs past the area are cut at its end,
// and the count a build will write in its place is reported.
void write_rows(Report& report, CsvWriter& out, const LearningSubTable& sub,
                const std::vector<TableRecord>& slots) {
  const int capacity = static_cast<int>(slots.size());
  int s = 0;
  for (int row = 0; s < capacity && slots[s].value[first] != end_marker; ++row) {
    const int pairs = slots[s].value[second];
    if (pairs > capacity - 1 - s) {
      report.add(msg::learning_count_past_area, Report::format(msg::learning_part.text, learning_table().file_name, sub.name),
                 row, slots[s].value[first], pairs, capacity - 1 - s);
    }
    CsvRow line(out, row);
    line.value(hex8_cell, slots[s].value[first]);
    for (int p = s + 1; p <= s + pairs && p < capacity; ++p) {
      TableRecord pair = slots[p];
      learning_cell_map(line.cells(), pair, Direction::extract, 0);
    }
    line.end();
    s += pairs + 1;
  }
}

// Room for two bytes: a cell that begins with a two-byte character is not empty.
bool first_cell_empty(std::string_view line) { return cell_string(line, 0, 2).empty(); }

enum class Stop {
  separator,    // the empty line after the sub-table's rows
  end_of_file,
  elsewhere,    // a row out of sequence or ended early, a cell that cannot be read
};

// What a sub-table's rows gave: its slots (as many as the rows need, which may pass the area),
// or that a cell could not be read, so the sub-table keeps the image's bytes.
struct SubTableRows {
  std::vector<TableRecord> slots;
  bool unreadable = false;
};

// The header of the cell at `c` (0: the source technique, then pairs).
const char* cell_header(std::size_t c) {
  if (c == 0) return row_layout[1].header;
  return slot_layout[c % 2 == 1 ? first : second].header;
}

// Reads one row's cells after its ID into header and pair slots. False after naming the first
// cell that cannot be read (an empty one among them, a technique without its difficulty).
bool read_row(Report& report, const ListColumns& columns, const LearningSubTable& sub, const std::string& line,
              int line_number, std::vector<TableRecord>& slots) {
  std::vector<std::string> cells = row_cells(line, 1);
  if (cells.size() % 2 == 0) cells.emplace_back();  // the source, or a pair's difficulty, is missing
  std::vector<std::int32_t> values;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const CellKind kind = c == 0 || c % 2 == 1 ? hex8_cell : decimal_cell;
    const CellPlace place{learning_table().file_name, line_number, cell_header(c),
                          list_file_column(columns, static_cast<int>(c) + 1) + 1};
    const std::optional<std::int32_t> value = read_cell_value(cells[c], kind);
    if (!value) {
      PlaceScope scope(&report, place_of(place));
      report.add(msg::learning_cell_unreadable, cells[c], sub.name);
      return false;
    }
    // A source past a byte is held below 0xFF, the end marker, so that no row after it is lost.
    const std::int32_t top = c == 0 && *value != end_marker ? end_marker - 1 : 0xFF;
    values.push_back(clamp_cell_value(&report, place, kind, *value, 0, top));
  }
  int pairs = static_cast<int>(values.size() / 2);
  if (pairs > max_pairs) {
    PlaceScope scope(&report, Place{learning_table().file_name, line_number});
    report.add(msg::learning_too_many_pairs, sub.name, max_pairs);
    pairs = max_pairs;
  }
  TableRecord slot = make_record(slot_layout, 0);
  slot.value[first] = values[0];
  slot.value[second] = pairs;
  slots.push_back(slot);
  for (int p = 0; p < pairs; ++p) {
    slot.value[first] = values[static_cast<std::size_t>(2 * p + 1)];
    slot.value[second] = values[static_cast<std::size_t>(2 * p + 2)];
    slots.push_back(slot);
  }
  return true;
}

// Reads the rows of one sub-table up to its empty line.
Stop read_rows(Report& report, CsvReader& in, const ListColumns& columns, const LearningSubTable& sub,
               SubTableRows& rows) {
  std::string line;
  for (std::int32_t row = 0;; ++row) {
    if (!in.next_line(line)) return Stop::end_of_file;
    line = list_row(line, columns);
    if (first_cell_empty(line)) return Stop::separator;
    PlaceScope place(&report, Place{learning_table().file_name, in.line_number(), "ID"});
    std::int32_t number = -1;
    if (!parse_exact(cell_string(line, 0), hex8_cell, number) || number != row) {
      report.add(msg::learning_row_out_of_sequence, sub.name, cell_string(line, 0, 32),
                 static_cast<unsigned>(row));
      return Stop::elsewhere;
    }
    // The game reads a source 0xFF as the sub-table's end: what follows could never be read.
    if (read_line_cell(line, 1, hex8_cell) == end_marker) {
      report.add(msg::learning_source_ends, sub.name);
      return Stop::elsewhere;
    }
    if (!read_row(report, columns, sub, line, in.line_number(), rows.slots)) {
      rows.unreadable = true;
      return Stop::elsewhere;
    }
  }
}

bool skip_past_separator(CsvReader& in, const ListColumns& columns) {
  std::string line;
  while (in.next_line(line)) {
    if (first_cell_empty(list_row(line, columns))) return true;
  }
  return false;
}

}  // namespace

const std::array<LearningSubTable, learning_sub_table_count>& learning_sub_tables() {
  return sub_tables;
}

const Layout& learning_slot_layout() { return slot_layout; }

const TableDescription& learning_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "味方技、陣形技派生";
    t.file_name = "flash.csv";
    t.purpose = "技の閃き（派生）の表: 派生元の技ごとに、派生する技と難易度の組。領域に収まらない表と読めない欄のある表は元のままです。";
    t.preamble = ",味方技、陣形技派生データ,";
    for (const LearningSubTable& sub : sub_tables) {
      const auto area_size = static_cast<std::uint32_t>(sub.capacity * slot_size);
      t.sections.push_back(section(sub.name, sub.capacity - 1, row_layout)
                               .packed(packed_area(sub.rom_offset, area_size))
                               .repeats_from(2));
    }
    t.comments = {
        ",各種類ごとの間にある空行は残しておけば、限界数までなら派生元を追加できます,",
        ",派生技IDと難易度の一セットが必要です,",
        ",セット数に制限はない。がゲーム上であるかもしれない,",
        ",????確率の括弧内の数字はデータの限界総数,",
        "データの数とは総セット数+派生元データの数,",
    };
    t.fixed_rows = false;
    return t;
  }();
  return table;
}

void learning_field_map(std::uint8_t* bytes, TableRecord& slot, Direction direction) {
  field_map(slot_layout, bytes, direction, slot);
}

std::size_t learning_cell_map(const CellTarget& target, TableRecord& slot, Direction direction,
                              int cell) {
  transfer_cell(target, direction, slot_layout[first].cell, slot.value[first], cell);
  return transfer_cell(target, direction, slot_layout[second].cell, slot.value[second], cell + 1);
}

std::unique_ptr<LearningTables> load_learning_tables(JobContext& job) {
  auto tables = make_tables();
  job.report.section(msg::load_banner, learning_table().name);
  std::vector<std::uint8_t> area;
  for (int t = 0; t < learning_sub_table_count; ++t) {
    const LearningSubTable& sub = sub_tables[t];
    area.assign(static_cast<std::size_t>(sub.capacity * slot_size), 0);
    rom_read(job.rom, area.data(), sub.rom_offset, area.size());
    for (int j = 0; j < sub.capacity; ++j) {
      learning_field_map(&area[static_cast<std::size_t>(j * slot_size)],
                         tables->slots[t][static_cast<std::size_t>(j)], Direction::extract);
    }
  }
  return tables;
}

void write_learning_csv(JobContext& job, const std::string& folder, const LearningTables* tables) {
  if (!tables) return;
  write_table_file(job, folder, learning_table(), [&](CsvWriter& out) {
    for (int t = 0; t < learning_sub_table_count; ++t) {
      const LearningSubTable& sub = sub_tables[t];
      job.report.progress(msg::progress, sub.name);
      out.line();
      out.line(Report::format(msg::learning_part_heading.text, sub.name, sub.capacity - 1));
      out.line(column_line());
      write_rows(job.report, out, sub, tables->slots[t]);
    }
  });
}

// Each sub-table ends at its separator line (first cell empty). One whose rows do not fit its
// area or hold a cell that cannot be read keeps the image's bytes; so do the sub-table in which
// the file ends and the ones after it, while those before it are stored.
std::unique_ptr<LearningTables> read_learning_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_file(in, job.report, folder, learning_table())) return nullptr;
  auto tables = make_tables();
  // The first sub-table's column line places the columns of every row: a column inserted in a
  // spreadsheet moves them in each sub-table alike.
  std::string header;
  ListColumns columns;
  if (!in.skip_lines(2) || !in.next_line(header)) {
    job.report.add(msg::learning_file_cut, folder + learning_table().file_name, sub_tables[0].name);
    return nullptr;
  }
  constexpr int first_pair_column = 2;
  if (!match_list_columns(job.report, learning_table().file_name, in.line_number(), line_columns(column_line()),
                          first_pair_column, header, columns) ||
      !columns.complete) {
    return nullptr;
  }
  bool cut = false;
  for (int t = 0; t < learning_sub_table_count; ++t) {
    const LearningSubTable& sub = sub_tables[t];
    tables->used[t] = -1;
    job.report.progress(msg::progress, sub.name);
    SubTableRows rows;
    Stop stop = Stop::end_of_file;
    if (!cut && (t == 0 || in.skip_lines(2))) stop = read_rows(job.report, in, columns, sub, rows);
    if (stop == Stop::elsewhere && !skip_past_separator(in, columns)) stop = Stop::end_of_file;
    if (stop == Stop::end_of_file) {
      if (!cut) job.report.add(msg::learning_file_cut, folder + learning_table().file_name, sub.name);
      cut = true;
      continue;
    }
    if (rows.unreadable) continue;
    const int needed = static_cast<int>(rows.slots.size());
    if (needed > sub.capacity) {
      job.report.add(msg::area_overrun, Report::format(msg::learning_part.text, learning_table().file_name, sub.name),
                     sub.capacity * slot_size, (needed - sub.capacity) * slot_size);
      continue;
    }
    std::copy(rows.slots.begin(), rows.slots.end(), tables->slots[t].begin());
    tables->used[t] = needed;
  }
  return tables;
}

// Writes the slots the rows fill and the first byte of the slot after them, the end marker; the
// rest of the area keeps the image's bytes.
void store_learning_tables(JobContext& job, const LearningTables* tables) {
  if (!tables) return;
  job.report.section(msg::store_banner, learning_table().name);
  std::vector<std::uint8_t> area;
  for (int t = 0; t < learning_sub_table_count; ++t) {
    const LearningSubTable& sub = sub_tables[t];
    const int used = std::min(tables->used[t], sub.capacity);
    if (used < 0) continue;
    area.assign(static_cast<std::size_t>(used * slot_size), 0);
    for (int j = 0; j < used; ++j) {
      TableRecord slot = tables->slots[t][static_cast<std::size_t>(j)];
      learning_field_map(&area[static_cast<std::size_t>(j * slot_size)], slot, Direction::build);
    }
    if (used < sub.capacity) area.push_back(static_cast<std::uint8_t>(end_marker));
    job.report.add(msg::room_used, Report::format(msg::learning_part.text, learning_table().file_name, sub.name),
                   used * slot_size, sub.capacity * slot_size);
    rom_write(job.rom, area.data(), sub.rom_offset, area.size());
  }
}

PipelineTable learning_steps(const TableDescription&) {
  return make_pipeline_table<LearningTables>(load_learning_tables, write_learning_csv,
                                             read_learning_csv, store_learning_tables);
}
