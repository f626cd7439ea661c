#pragma once
#include <string>
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

// A column a file may hold: its header as the extract writes it, and the shorter form a user
// may leave ("名前" for "名前(8)").
struct ColumnName {
  std::string full;
  std::string brief;
};
// The columns of a section, and those of a header line the extract writes (one per header).
std::vector<ColumnName> section_columns(const Section& section);
std::vector<ColumnName> line_columns(std::string_view own);
// The same matching over a list of columns.
bool match_columns(Report& report, const char* file_name, int line, const std::vector<ColumnName>& names,
                   std::string_view header, ColumnMap& map);

// Where the columns of a list file lie (string.csv, eventN.csv, event_battle.csv, flash.csv).
// In a list whose data cells repeat to the end of a row, every cell from the first repeated
// column on is data, except those under a header the list does not know: those are memo
// columns, in every row, however long the row.
struct ListColumns {
  std::vector<int> lead;   // the file column of each column before the repeated ones; -1: missing
  int tail = -1;           // the file column where the repeated ones begin; -1: none repeat
  std::vector<bool> memo;  // for each header cell: a memo column, read by nothing
  bool as_written = true;  // the header line is the list's own: rows are read as they are
  bool complete = true;    // every column before the repeated ones, and the first of those, found
};
// Matches the list's header line as match_columns does; `repeated_from` is the first of
// `names` that repeats to the end of a row, or -1.
bool match_list_columns(Report& report, const char* file_name, int line, const std::vector<ColumnName>& names,
                        int repeated_from, std::string_view header, ListColumns& list);
// The row with its cells in the list's own order (a missing column an empty cell, memo columns
// left out), each cell as written, quotes and all.
std::string list_row(const std::string& line, const ListColumns& list);
// The file column (from 0) of column `column` of such a row, for messages naming the cell.
int list_file_column(const ListColumns& list, int column);
// Whether the row has text in a cell past the header's: an unquoted comma in a cell shifts
// every cell after it, so the row cannot be read. Warns, naming the first such cell.
bool cells_past_header(Report& report, const char* file_name, int line, std::string_view row,
                       const ColumnMap& map);
