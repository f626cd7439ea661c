#include "table/record_lines.hpp"

#include <cstdio>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "table/cells.hpp"
#include "table/csv_file.hpp"

namespace {

std::string id_text(const RowIds& ids, std::int32_t id) {
  char text[24];
  if (ids.cell == decimal_cell) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(id));
  } else {
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(id));
  }
  return text;
}

void report_blank_lines(Report& report, const std::string& file, const RecordLines& rows) {
  int count = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < rows.text.size(); ++i) {
    if (!blank_line(rows.text[i])) continue;
    if (count++ == 0) first = i;
  }
  if (count == 0) return;
  PlaceScope place(&report, Place{file, rows.line[first]});
  report.add(msg::blank_row, count);
}

// Puts the lines in ID order when their IDs are the section's, each once.
void order_by_id(Report& report, const std::string& file, const RowIds& ids, RecordLines& rows) {
  if (ids.column < 0) return;
  const std::size_t count = rows.text.size();
  std::vector<std::size_t> line_of_row(count, count);
  std::size_t first_mismatch = count;
  bool each_once = true;
  for (std::size_t i = 0; i < count; ++i) {
    // An empty row (reported as such) stands where it is.
    std::int32_t id = ids.first + static_cast<std::int32_t>(i);
    const bool read = blank_line(rows.text[i]) ||
                      parse_exact(cell_string(rows.text[i], ids.column), ids.cell, id);
    const std::int64_t row = std::int64_t{id} - ids.first;
    if (!read || row != static_cast<std::int64_t>(i)) {
      if (first_mismatch == count) first_mismatch = i;
    }
    if (!read || row < 0 || row >= static_cast<std::int64_t>(count) ||
        line_of_row[static_cast<std::size_t>(row)] != count) {
      each_once = false;
      continue;
    }
    line_of_row[static_cast<std::size_t>(row)] = i;
  }
  if (first_mismatch == count) return;
  PlaceScope place(&report, Place{file, rows.line[first_mismatch], "ID"});
  if (!each_once) {
    const std::string& line = rows.text[first_mismatch];
    report.add(msg::row_id_mismatch, cell_string(line, ids.column, 32),
               id_text(ids, ids.first + static_cast<std::int32_t>(first_mismatch)));
    return;
  }
  report.add(msg::rows_placed_by_id);
  RecordLines ordered;
  ordered.text.reserve(count);
  ordered.line.reserve(count);
  for (const std::size_t i : line_of_row) {
    ordered.text.push_back(std::move(rows.text[i]));
    ordered.line.push_back(rows.line[i]);
  }
  rows = std::move(ordered);
}

}  // namespace

bool blank_line(const std::string& line) { return line.find_first_not_of(',') == std::string::npos; }

RowIds row_ids(const Layout& layout, std::int32_t first) {
  RowIds ids;
  ids.first = first;
  int column = 0;
  for (const Field& field : layout) {
    if (!field.header || field.cell == no_cell) continue;
    if (field.rom_byte == row_id) {
      ids.column = column;
      ids.cell = field.cell;
      break;
    }
    ++column;
  }
  return ids;
}

bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       std::vector<std::string>& lines, int* first_line) {
  if (first_line) *first_line = in.line_number() + 1;
  lines.assign(count > 0 ? static_cast<std::size_t>(count) : 0, std::string());
  for (std::string& line : lines) {
    if (!in.next_line(line)) {
      PlaceScope whole_file(&report, Place{});
      report.add(msg::file_too_short, path);
      return false;
    }
  }
  return true;
}

bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       const RowIds& ids, RecordLines& rows) {
  int first_line = 0;
  if (!read_record_lines(report, in, count, path, rows.text, &first_line)) return false;
  rows.line.resize(rows.text.size());
  for (std::size_t i = 0; i < rows.line.size(); ++i)
    rows.line[i] = first_line + static_cast<int>(i);
  const std::string file = file_name_of(path);
  report_blank_lines(report, file, rows);
  order_by_id(report, file, ids, rows);
  return true;
}
