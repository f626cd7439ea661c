#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "table/layout.hpp"

class CsvReader;
class Report;

// How the rows of one section are numbered in its file: the ID column and the first row's ID.
struct RowIds {
  int column = 0;  // -1: the file has none, and the rows stay in file order
  CellKind cell = hex8_cell;
  std::int32_t first = 0;
};
// The ID column of a layout (its row-number field), for a section whose rows start at `first`.
RowIds row_ids(const Layout& layout, std::int32_t first);

// The record lines of one section in row order, and the line of the file each came from.
struct RecordLines {
  std::vector<std::string> text;
  std::vector<int> line;
};

// A line of commas alone, as a spreadsheet saves an emptied row.
bool blank_line(const std::string& line);

// Reads the next `count` lines as they are; false when the file ended first, after reporting
// the short-file message for `path`. The first one's number in the file goes to *first_line
// when asked for.
bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       std::vector<std::string>& lines, int* first_line = nullptr);
// Reads the `count` record lines of a fixed-row section in the same way. When the ID cells hold
// exactly the section's IDs, in any order, each line goes to the row its ID names, so a file sorted
// in a spreadsheet reads as it was written; otherwise the lines stay in file order, with a warning
// at the first whose ID does not match its position. Empty lines are reported.
bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       const RowIds& ids, RecordLines& rows);
