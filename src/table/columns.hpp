#pragma once
#include <string_view>
#include <vector>

#include "table/description.hpp"

class Report;

// Where the columns of a section lie in its file. A file whose header line is the table's
// own is read by position; one with a column inserted, moved or removed in a spreadsheet is
// read by header text, so no value lands in another field.
struct ColumnMap {
  // For each column of the layout, in column order: its column in the file (from 0), or -1
  // when the file lacks it.
  std::vector<int> file_column;
  // The cells of the header line: a row with text in a cell past them has a comma too many.
  int header_cells = 0;
};

// Finds the section's columns in the file's header line (line `line` of `file_name`). Each
// column is the first not yet taken whose header is the column's ("名前(8)" or "名前"), so
// repeated headers are matched in order. Columns the table does not know are named in one
// info line and read by nothing; a column the file lacks is a warning, and its field keeps the
// image's values. False, after an error, when no header matches: the table is refused.
bool match_columns(Report& report, const char* file_name, int line, const Section& section,
                   std::string_view header, ColumnMap& map);
// Whether the row has text in a cell past the header's: an unquoted comma in a cell shifts
// every cell after it, so the row cannot be read. Warns, naming the first such cell.
bool cells_past_header(Report& report, const char* file_name, int line, std::string_view row,
                       const ColumnMap& map);
