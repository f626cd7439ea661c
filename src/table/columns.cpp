#include "table/columns.hpp"

#include <algorithm>

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

std::vector<ColumnName> section_columns(const Section& section) {
  const Layout& layout = *section.layout;
  std::vector<ColumnName> names;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    if (layout[f].header && layout[f].cell != no_cell) names.push_back({column_header(section, f), layout[f].header});
  }
  return names;
}

std::vector<ColumnName> line_columns(std::string_view own) {
  std::vector<ColumnName> names;
  for (const std::string& cell : header_cells(own)) {
    if (!cell.empty()) names.push_back({cell, cell});
  }
  return names;
}

bool match_columns(Report& report, const char* file_name, int line, const std::vector<ColumnName>& names,
                   std::string_view header, ColumnMap& map) {
  const std::vector<std::string> cells = header_cells(header);
  std::vector<bool> taken(cells.size(), false);
  map.file_column.clear();
  map.header_cells = static_cast<int>(cells.size());
  while (map.header_cells > 0 && cells[static_cast<std::size_t>(map.header_cells) - 1].empty()) --map.header_cells;
  std::vector<std::string> missing;
  bool any = false;
  for (const ColumnName& name : names) {
    int found = -1;
    for (std::size_t j = 0; j < cells.size() && found < 0; ++j) {
      if (!taken[j] && (cells[j] == name.full || cells[j] == name.brief)) found = static_cast<int>(j);
    }
    if (found >= 0) {
      taken[static_cast<std::size_t>(found)] = true;
      any = true;
    } else {
      missing.push_back(name.full);
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

bool match_columns(Report& report, const char* file_name, int line, const Section& section,
                   std::string_view header, ColumnMap& map) {
  return match_columns(report, file_name, line, section_columns(section), header, map);
}

bool match_list_columns(Report& report, const char* file_name, int line, const std::vector<ColumnName>& names,
                        int repeated_from, std::string_view header, ListColumns& list) {
  ColumnMap map;
  if (!match_columns(report, file_name, line, names, header, map)) return false;
  const std::vector<std::string> cells = header_cells(header);
  const std::size_t lead = repeated_from < 0 ? names.size() : static_cast<std::size_t>(repeated_from);
  list.lead.assign(map.file_column.begin(), map.file_column.begin() + static_cast<std::ptrdiff_t>(lead));
  list.tail = repeated_from < 0 ? -1 : map.file_column[lead];
  list.complete = std::find(list.lead.begin(), list.lead.end(), -1) == list.lead.end() &&
                  (repeated_from < 0 || list.tail >= 0);
  list.memo.assign(cells.size(), false);
  for (std::size_t j = 0; j < cells.size(); ++j) {
    const bool taken = std::find(map.file_column.begin(), map.file_column.end(), static_cast<int>(j)) !=
                       map.file_column.end();
    list.memo[j] = !taken && !cells[j].empty();
  }
  list.as_written = map.header_cells == static_cast<int>(names.size());
  for (std::size_t j = 0; j < names.size() && list.as_written; ++j) {
    list.as_written = map.file_column[j] == static_cast<int>(j) && cells[j] == names[j].full;
  }
  return true;
}

std::string list_row(const std::string& line, const ListColumns& list) {
  if (list.as_written) return line;
  const int columns = static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1;
  const std::vector<std::size_t> starts = cell_starts(line, columns);
  const auto raw = [&](int c) -> std::string_view {
    if (c < 0 || c >= columns || starts[static_cast<std::size_t>(c)] == std::string::npos) return {};
    const std::size_t begin = starts[static_cast<std::size_t>(c)];
    const bool last = c + 1 >= columns || starts[static_cast<std::size_t>(c) + 1] == std::string::npos;
    const std::size_t end = last ? line.size() : starts[static_cast<std::size_t>(c) + 1] - 1;
    return std::string_view(line).substr(begin, end - begin);
  };
  std::string row;
  for (std::size_t f = 0; f < list.lead.size(); ++f) {
    if (f > 0) row += ',';
    row += raw(list.lead[f]);
  }
  if (list.tail < 0) return row;
  for (int c = list.tail; c < columns && starts[static_cast<std::size_t>(c)] != std::string::npos; ++c) {
    if (static_cast<std::size_t>(c) < list.memo.size() && list.memo[static_cast<std::size_t>(c)]) continue;
    row += ',';
    row += raw(c);
  }
  return row;
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

int list_file_column(const ListColumns& list, int column) {
  if (list.as_written || column < 0) return column;
  const auto lead = static_cast<int>(list.lead.size());
  if (column < lead) return list.lead[static_cast<std::size_t>(column)];
  if (list.tail < 0) return column;
  int c = list.tail;
  for (int k = lead;; ++c) {
    const bool memo = static_cast<std::size_t>(c) < list.memo.size() && list.memo[static_cast<std::size_t>(c)];
    if (!memo && k++ == column) return c;
  }
}
