#include "table/columns.hpp"

#include "core/messages.hpp"
#include "core/report.hpp"
#include "table/cells.hpp"

namespace {

// The header cells of the line, blanks around each passed over.
std::vector<std::string> header_cells(std::string_view header) {
  std::vector<std::string> cells;
  for (int column = 0; cell_start(header, column) != std::string_view::npos; ++column) {
    std::string text = cell_string(header, column);
    const std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    cells.push_back(begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1));
  }
  return cells;
}

// The columns nobody reads, as "「メモ」（5列目）、…"; the empty cell after the last comma is
// not a column.
std::string unknown_columns(const std::vector<std::string>& cells, const std::vector<bool>& taken) {
  std::string list;
  for (std::size_t j = 0; j < cells.size(); ++j) {
    if (taken[j] || (cells[j].empty() && j + 1 == cells.size())) continue;
    if (!list.empty()) list += "、";
    list += Report::format(msg::at_column.text, "「" + cells[j] + "」", static_cast<int>(j) + 1);
  }
  return list;
}

}  // namespace

bool match_columns(Report& report, const char* file_name, int line, const Section& section,
                   std::string_view header, ColumnMap& map) {
  const Layout& layout = *section.layout;
  const std::vector<std::string> cells = header_cells(header);
  std::vector<bool> taken(cells.size(), false);
  map.file_column.clear();
  map.header_cells = static_cast<int>(cells.size());
  while (map.header_cells > 0 && cells[static_cast<std::size_t>(map.header_cells) - 1].empty()) --map.header_cells;
  std::vector<std::string> missing;
  bool any = false;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    if (!layout[f].header || layout[f].cell == no_cell) continue;
    const std::string full = column_header(section, f);
    int found = -1;
    for (std::size_t j = 0; j < cells.size() && found < 0; ++j) {
      if (!taken[j] && (cells[j] == full || cells[j] == layout[f].header)) found = static_cast<int>(j);
    }
    if (found >= 0) {
      taken[static_cast<std::size_t>(found)] = true;
      any = true;
    } else {
      missing.push_back(full);
    }
    map.file_column.push_back(found);
  }
  PlaceScope place(&report, Place{file_name, line});
  if (!any) {
    report.add(msg::header_unmatched, file_name);
    return false;
  }
  for (const std::string& column : missing) report.add(msg::column_missing, column);
  const std::string unknown = unknown_columns(cells, taken);
  if (!unknown.empty()) report.add(msg::columns_ignored, unknown);
  return true;
}

bool cells_past_header(Report& report, const char* file_name, int line, std::string_view row,
                       const ColumnMap& map) {
  for (int column = map.header_cells; cell_start(row, column) != std::string_view::npos; ++column) {
    const std::string text = cell_string(row, column);
    if (text.empty()) continue;
    PlaceScope place(&report, Place{file_name, line});
    report.add(msg::cell_past_header, column + 1, text);
    return true;
  }
  return false;
}
