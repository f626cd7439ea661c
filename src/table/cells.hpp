#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/report.hpp"
#include "table/bits.hpp"
#include "text/names.hpp"

class CsvWriter;

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
  // The column's header and its number from 1, for the messages about the cell.
  const char* header = nullptr;
  int column_number = 0;
};


// ---- Locating cells in a line ----
// A cell that begins with a double quote runs to the closing one, commas and all, and "" in it
// is one quote; quotes elsewhere in a cell are dropped while they protect commas.

// The text of cell `column` (from 0) of the line; empty when the line has no such column.
std::string cell_string(std::string_view line, int column);
// The same, cut to at most `capacity` bytes without splitting a character.
std::string cell_string(std::string_view line, int column, std::size_t capacity);
// Copies the text of cell `column` into the destination, at most `capacity` bytes, without
// terminator; returns the number of bytes copied (0 when the line has no such column).
std::size_t cell_text(char* destination, std::size_t capacity, std::string_view line, int column);
// Where cell `column` begins, or npos when the line ends before it.
std::size_t cell_start(std::string_view line, int column);
// Where each of the first `columns` cells begins (npos for cells the line lacks), in one walk.
std::vector<std::size_t> cell_starts(std::string_view line, int columns);

// ---- Reading a cell's value ----
// Every number, mark and grade of every file is read by read_cell_value, and strictly: the
// value is exactly what the cell says, or there is none. Blanks (half- and full-width) around
// the text and one pair of double quotes around it are passed over, and full-width digits,
// letters, signs and blanks read as their ASCII forms. Then:
//   decimal_cell  an optional sign (+ - ＋ － −) and digits, or digits grouped by commas
//                 ("1,034", as a spreadsheet saves a number shown with separators);
//   hex8_cell, hex16_cell  hex digits in either case, with or without 0x or 0X;
//   mark_cell     ○, 〇 or ◯ read as 1, × as 0; the digits 1 and 0 as themselves;
//   grade_cell    - × △ ○ ○＋ ◎ □ ☆ as 0 to 7, the digits 0 to 7 as themselves, 〇 or ◯ for ○,
//                 ○+ for ○＋, － or − for -.
// Anything else is unreadable: letters, a fraction, an exponent, text after the value, a NUL
// byte, an empty cell, a sign on a hex number. Numbers beyond 32 bits read as the nearest 32-bit
// value, so that a range check sees them as too large or too small, never wrapped.
std::optional<std::int32_t> read_cell_value(std::string_view cell, CellKind kind);
// The value of cell `column` (from 0) of a line; none also when the line lacks the column.
std::optional<std::int32_t> read_line_cell(std::string_view line, int column, CellKind kind);
// The value as its kind prints it in a file ("12", "0x0C", "○", "◎").
std::string cell_value_text(CellKind kind, std::int32_t value);

// ---- Messages about a cell ----
// Where a cell lies: the file's name ("monster.csv"), the line from 1, the column's header and
// its number from 1 as a spreadsheet counts columns.
struct CellPlace {
  std::string file;
  int line = 0;
  std::string header;
  int column = 0;
};
// The place as messages show it: the file, the line, and the header with the column's number.
Place place_of(const CellPlace& cell);

// Warns that the cell's text is not a value of its kind; `kept` is the value that stays
// (the input image's, as a rule), printed in the kind's form.
void report_unreadable_cell(Report& report, const CellPlace& place, std::string_view text,
                            CellKind kind, std::int32_t kept);
// Warns that the line ends before the cell; `kept` stays.
void report_missing_cell(Report& report, const CellPlace& place, CellKind kind, std::int32_t kept);
// The one rule for values out of range: the nearest value in [min, max] is stored, and a
// warning names the cell, the value and the stored one. Returns the value to store. No
// message without a report.
std::int32_t clamp_cell_value(Report* report, const CellPlace& place, CellKind kind,
                              std::int32_t value, std::int32_t min, std::int32_t max);

// What became of a cell read by take_cell.
enum class CellStatus { read, clamped, unreadable, missing };
// Reads cell `column` (from 0) of the line into `value` in one step: its value when it has one
// (clamped into [min, max] when a range is given), otherwise `value` keeps what it holds -- the
// caller fills it with the image's value first -- and a warning names the cell. Messages go to
// the report when there is one.
struct CellRange {
  std::int32_t min;
  std::int32_t max;
};
CellStatus take_cell(Report* report, const CellPlace& place, std::string_view line, int column,
                     CellKind kind, std::int32_t& value,
                     std::optional<CellRange> range = std::nullopt);

// ---- Moving fields of the fixed tables ----
// Moves one numeric field between its value and a cell. Extract: appends the cell and returns
// the characters written. Build: a readable cell sets the field; an unreadable or missing one
// leaves it as it is, with a warning on the target's report when it has one. Returns the bytes
// of the cell's text (0 for a missing cell).
std::size_t transfer_cell(const CellTarget& target, Direction direction, CellKind kind,
                          std::int32_t& field, int column);
// Moves one text field; a text read back keeps at most capacity - 1 bytes. A line that lacks
// the column leaves the text as it is.
std::size_t transfer_text_cell(const CellTarget& target, Direction direction, std::string& text,
                               int column, std::size_t capacity = name_capacity);

// The printed form of a grade value.
const char* grade_symbol(std::int32_t value);
// Kept for ID cells: the value of a cell of a numeric kind (see read_cell_value); false for any
// other text and for mark and grade kinds.
bool parse_exact(std::string_view cell, CellKind kind, std::int32_t& value);
