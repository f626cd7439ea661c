#include "tables/listed_rows.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "table/cells.hpp"

namespace {

constexpr int id_column = 0;

std::string id_text(std::size_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(id));
  return text;
}

// The row an ID cell names, or `count` when it names none of the list's rows.
std::size_t named_row(const std::string& line, std::size_t count) {
  std::int32_t id = 0;
  if (!parse_exact(cell_string(line, id_column, line.size()), hex8_cell, id)) return count;
  return id >= 0 && static_cast<std::size_t>(id) < count ? static_cast<std::size_t>(id) : count;
}

void report_blank_rows(Report& report, const std::string& file, const RecordLines& rows) {
  int blanks = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < rows.text.size(); ++i) {
    if (empty_row_line(rows.text[i]) && blanks++ == 0) first = i;
  }
  if (blanks == 0) return;
  PlaceScope place(&report, Place{file, rows.line[first]});
  report.add(msg::list_row_blank, blanks);
}

}  // namespace

std::vector<std::string> row_cells(const std::string& line, int first) {
  const int columns = static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1;
  const std::vector<std::size_t> starts = cell_starts(line, columns);
  std::vector<std::string> cells;
  for (int c = first; c < columns && starts[static_cast<std::size_t>(c)] != std::string::npos; ++c) {
    cells.push_back(cell_string(std::string_view(line).substr(starts[static_cast<std::size_t>(c)]), 0));
  }
  while (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

bool empty_row_line(const std::string& line) { return line.find_first_not_of(',') == std::string::npos; }

void place_listed_rows(Report& report, const std::string& file_name, RecordLines& rows) {
  report_blank_rows(report, file_name, rows);
  const std::size_t count = rows.text.size();
  std::vector<std::size_t> line_of_row(count, count);
  std::size_t first_mismatch = count;
  bool each_once = true;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t row = empty_row_line(rows.text[i]) ? i : named_row(rows.text[i], count);
    if (row != i && first_mismatch == count) first_mismatch = i;
    if (row == count || line_of_row[row] != count) {
      each_once = false;
    } else {
      line_of_row[row] = i;
    }
  }
  if (first_mismatch == count) return;
  PlaceScope place(&report, Place{file_name, rows.line[first_mismatch], "ID"});
  if (!each_once) {
    report.add(msg::row_id_mismatch, cell_string(rows.text[first_mismatch], id_column, 32),
               id_text(first_mismatch));
    return;
  }
  report.add(msg::rows_placed_by_id);
  RecordLines ordered;
  for (const std::size_t i : line_of_row) {
    ordered.text.push_back(std::move(rows.text[i]));
    ordered.line.push_back(rows.line[i]);
  }
  rows = std::move(ordered);
}
