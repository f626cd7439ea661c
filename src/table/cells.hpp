#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "table/bits.hpp"
#include "text/names.hpp"

class CsvWriter;
class Report;

// How a field is printed in and parsed from its CSV cell.
enum CellKind : int {
  no_cell = -1,     // the field has no column
  text_cell = 0,    // Shift-JIS text, printed as it is
  decimal_cell = 1, // "%d"
  hex8_cell = 2,    // "0x%02X"
  hex16_cell = 3,   // "0x%04X"
  mark_cell = 4,    // "○" or "×"
  grade_cell = 5,   // "×" "△" "○" "○＋" "◎" "□" "☆", or "-"
};

// Where a cell goes (extract: appended to the file) or comes from (build: one line's text).
struct CellTarget {
  CsvWriter* file = nullptr;
  std::string_view line;
  // In a build: where the line comes from, for the messages about its cells.
  Report* report = nullptr;
  const char* file_name = nullptr;
  int line_number = 0;
};


// Copies the raw text of cell `column` (from 0) of the line into the destination, at most
// `capacity` bytes, without terminator; returns the number of bytes copied (0 when the line
// has no such column). Quotes only protect commas while columns are counted.
std::size_t cell_text(char* destination, std::size_t capacity, std::string_view line, int column);
std::size_t cell_start(std::string_view line, int column);
// Where each of the first `columns` cells begins (npos for cells the line lacks), in one walk.
std::vector<std::size_t> cell_starts(std::string_view line, int columns);
std::string cell_string(std::string_view line, int column, std::size_t capacity);

// Moves one numeric field between its value and a cell. Returns the characters written
// (extract) or the bytes cell_text took (build).
std::size_t transfer_cell(const CellTarget& target, Direction direction, CellKind kind,
                          std::int32_t& field, int column);
// Moves one text field; a text read back keeps at most capacity - 1 bytes.
std::size_t transfer_text_cell(const CellTarget& target, Direction direction, std::string& text,
                               int column, std::size_t capacity = name_capacity);

// The printed form of a grade value and the value of a grade or mark cell's text.
const char* grade_symbol(std::int32_t value);
std::int32_t parse_grade(std::string_view cell);
std::int32_t parse_mark(std::string_view cell);
std::int32_t parse_hex(std::string_view cell);
std::int32_t parse_decimal(std::string_view cell);
// The value of a cell that holds one number and nothing else, in the form its kind prints
// (hex cells with or without "0x", decimal cells as digits); false for any other text.
bool parse_exact(std::string_view cell, CellKind kind, std::int32_t& value);
