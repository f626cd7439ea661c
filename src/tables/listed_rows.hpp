#pragma once
#include <string>
#include <vector>

#include "table/record_lines.hpp"

class Report;

// The rows of a list that holds as many rows as its file gives (string.csv's groups,
// event_battle.csv), each with its line in the file.
//
// When the ID cells (column 0, hex) hold 0 to n - 1, each once, every row goes to the place its
// ID names, so a list sorted in a spreadsheet reads as it was written. Otherwise the rows stay in
// file order, and the first whose ID does not match its place is named. A row with no cell
// filled counts as matching its place; such rows are named too, and keep the image's entry.
void place_listed_rows(Report& report, const std::string& file_name, RecordLines& rows);

// The texts of the line's cells from column `first` (from 0) on; the empty cells at its end,
// as a spreadsheet pads a short row, are left out.
std::vector<std::string> row_cells(const std::string& line, int first);

// A line that holds nothing but commas.
bool empty_row_line(const std::string& line);
