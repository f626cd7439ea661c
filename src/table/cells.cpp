#include "table/cells.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/hex.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"
#include "table/csv_file.hpp"

namespace {

// A NUL byte is part of its cell, where it makes a value unreadable, instead of ending the line
// and emptying the cells after it.
bool ends_line(std::string_view line, std::size_t i) { return i >= line.size() || line[i] == '\n'; }

// The symbols, as Shift-JIS, in the order they are tested when reading.
struct Grade {
  std::int32_t value;
  const char* symbol;
};
const Grade grades[] = {{7, "☆"}, {6, "□"}, {5, "◎"}, {4, "○＋"}, {3, "○"}, {2, "△"}, {1, "×"}};
// Look-alikes a keyboard or an input method gives instead of a symbol, after full-width signs
// have been read as ASCII ("○＋" is then "○+").
const Grade grade_look_alikes[] = {{4, "○+"}, {4, "〇+"}, {4, "◯+"}, {3, "〇"}, {3, "◯"}, {0, "-"}};
const char* const mark_yes = "○";
const char* const mark_no = "×";
const char* const mark_yes_look_alikes[] = {"○", "〇", "◯", "1"};
const char* const mark_no_look_alikes[] = {"×", "0"};

// Full-width forms that read as ASCII in number cells.
struct FullWidth {
  const char* wide;
  char ascii;
};
const FullWidth full_width[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
    {"７", '7'}, {"８", '8'}, {"９", '9'}, {"Ａ", 'A'}, {"Ｂ", 'B'}, {"Ｃ", 'C'}, {"Ｄ", 'D'},
    {"Ｅ", 'E'}, {"Ｆ", 'F'}, {"ａ", 'a'}, {"ｂ", 'b'}, {"ｃ", 'c'}, {"ｄ", 'd'}, {"ｅ", 'e'},
    {"ｆ", 'f'}, {"ｘ", 'x'}, {"Ｘ", 'X'}, {"＋", '+'}, {"－", '-'},  // "−" is the same code
    {"，", ','}, {"　", ' '},
};

bool is_blank(std::string_view text, std::size_t at, std::size_t length) {
  if (length == 1) return text[at] == ' ' || text[at] == '\t';
  return text.substr(at, length) == "　";
}

// The text without blanks around it.
std::string_view trim_blanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool any = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = sjis::char_length(text, at);
    if (!is_blank(text, at, length)) {
      if (!any) begin = at;
      any = true;
      end = at + length;
    }
    at += length;
  }
  return any ? text.substr(begin, end - begin) : std::string_view();
}

// The text without blanks and one pair of quotes, full-width forms read as ASCII; other
// characters are kept as they are.
std::string normalized(std::string_view cell) {
  cell = trim_blanks(cell);
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
    cell = trim_blanks(cell.substr(1, cell.size() - 2));
  }
  std::string text;
  text.reserve(cell.size());
  for (std::size_t at = 0; at < cell.size();) {
    const std::size_t length = sjis::char_length(cell, at);
    const std::string_view c = cell.substr(at, length);
    at += length;
    // Every full-width form is two bytes: a single byte is kept without a look at the list.
    char ascii = 0;
    for (std::size_t i = 0; length == 2 && i < std::size(full_width); ++i) {
      if (c[0] == full_width[i].wide[0] && c[1] == full_width[i].wide[1]) ascii = full_width[i].ascii;
    }
    if (ascii) {
      text += ascii;
    } else {
      text.append(c);
    }
  }
  return text;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::int32_t saturated(std::int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

// Digits alone, or grouped by commas in threes after a first group of one to three.
std::optional<std::int32_t> read_decimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const bool grouped = text.find(',') != std::string_view::npos;
  std::int64_t value = 0;
  int digits_in_group = 0;
  bool first_group = true;
  for (const char c : text) {
    if (c == ',' && grouped) {
      if (digits_in_group == 0 || digits_in_group > 3 || (!first_group && digits_in_group != 3)) {
        return std::nullopt;
      }
      first_group = false;
      digits_in_group = 0;
      continue;
    }
    if (!is_digit(c)) return std::nullopt;
    ++digits_in_group;
    value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 40);
  }
  if (digits_in_group == 0 || (grouped && digits_in_group != 3)) return std::nullopt;
  return saturated(negative ? -value : value);
}

std::optional<std::int32_t> read_hex(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    const int digit = hex_value(c);
    if (digit < 0) return std::nullopt;
    value = std::min<std::int64_t>(value * 16 + digit, std::int64_t{1} << 40);
  }
  return saturated(value);
}

std::optional<std::int32_t> read_mark(std::string_view text) {
  for (const char* yes : mark_yes_look_alikes) {
    if (text == yes) return 1;
  }
  for (const char* no : mark_no_look_alikes) {
    if (text == no) return 0;
  }
  return std::nullopt;
}

std::optional<std::int32_t> read_grade(std::string_view text) {
  for (const Grade& g : grades) {
    if (text == g.symbol) return g.value;
  }
  for (const Grade& g : grade_look_alikes) {
    if (text == g.symbol) return g.value;
  }
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '7') return text[0] - '0';
  return std::nullopt;
}

const char* kind_name(CellKind kind) {
  switch (kind) {
    case hex8_cell:
    case hex16_cell: return msg::kind_hex.text;
    case mark_cell: return msg::kind_mark.text;
    case grade_cell: return msg::kind_grade.text;
    default: return msg::kind_decimal.text;
  }
}

// The cell texts of an extract, written here instead of by a printf: they are most of its
// output. `text` holds at least 23 bytes.
std::size_t decimal_text(char* text, std::int32_t value) {
  std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  char digits[10];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t n = 0;
  if (value < 0) text[n++] = '-';
  while (count > 0) text[n++] = digits[--count];
  return n;
}

// "0x" and at least `width` upper-case digits, as "0x%0*X" would write them.
std::size_t hex_text(char* text, std::uint32_t value, int width) {
  int digits = 1;
  while (digits < 8 && (value >> (4 * digits)) != 0) ++digits;
  if (digits < width) digits = width;
  text[0] = '0';
  text[1] = 'x';
  for (int i = 0; i < digits; ++i) {
    const unsigned digit = (value >> (4 * (digits - 1 - i))) & 0xF;
    text[2 + i] = hex_digits[digit];
  }
  return 2 + static_cast<std::size_t>(digits);
}

std::size_t copy_text(char* text, const char* symbol) {
  const std::size_t n = std::strlen(symbol);
  std::memcpy(text, symbol, n);
  return n;
}

CellPlace place_of(const CellTarget& target) {
  return CellPlace{target.file_name ? target.file_name : "", target.line_number,
                   target.header ? target.header : "", target.column_number};
}

}  // namespace

// Where cell `column` begins, or npos when the line ends before it.
std::size_t cell_start(std::string_view line, int column) {
  std::size_t i = 0;
  bool quoted = false;
  for (int commas = 0; commas < column;) {
    if (ends_line(line, i)) return std::string_view::npos;
    const char c = line[i];
    if (sjis::char_length(line, i) == 2) {
      i += 2;
      continue;
    }
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      ++commas;
    }
    ++i;
  }
  return i;
}

std::vector<std::size_t> cell_starts(std::string_view line, int columns) {
  std::vector<std::size_t> starts(static_cast<std::size_t>(columns > 0 ? columns : 0),
                                  std::string_view::npos);
  std::size_t i = 0;
  bool quoted = false;
  for (int column = 0; column < columns; ++column) {
    starts[static_cast<std::size_t>(column)] = i;
    // Walk to the comma that ends this cell.
    for (;;) {
      if (ends_line(line, i)) return starts;
      const char c = line[i];
      if (sjis::char_length(line, i) == 2) {
        i += 2;
        continue;
      }
      ++i;
      if (c == '"') {
        quoted = !quoted;
      } else if (c == ',' && !quoted) {
        break;
      }
    }
  }
  return starts;
}

std::string cell_string(std::string_view line, int column) {
  std::string text;
  std::size_t i = cell_start(line, column);
  if (i == std::string_view::npos) return text;
  bool quoted = false;
  std::size_t run = i;  // the start of the characters not yet appended
  while (!ends_line(line, i)) {
    const std::size_t length = sjis::char_length(line, i);
    const char c = line[i];
    if (length == 1 && (c == '"' || (c == ',' && !quoted))) {
      text.append(line.substr(run, i - run));
      if (c == ',') return text;
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        text += '"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      run = i;
      continue;
    }
    i += length;
  }
  text.append(line.substr(run, std::min(i, line.size()) - run));
  return text;
}

std::string cell_string(std::string_view line, int column, std::size_t capacity) {
  std::string text = cell_string(line, column);
  text.resize(sjis::cut(text, capacity));
  return text;
}

std::size_t cell_text(char* destination, std::size_t capacity, std::string_view line, int column) {
  if (!destination) return 0;
  const std::string text = cell_string(line, column, capacity);
  std::copy(text.begin(), text.end(), destination);
  return text.size();
}

std::optional<std::int32_t> read_cell_value(std::string_view cell, CellKind kind) {
  // Most cells are plain ASCII without blanks or quotes, already in normal form: read in place.
  const bool plain = std::all_of(cell.begin(), cell.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && c != ' ' && c != '\t' && c != '"';
  });
  std::string normal;
  if (!plain) normal = normalized(cell);
  const std::string_view text = plain ? cell : std::string_view(normal);
  switch (kind) {
    case decimal_cell: return read_decimal(text);
    case hex8_cell:
    case hex16_cell: return read_hex(text);
    case mark_cell: return read_mark(text);
    case grade_cell: return read_grade(text);
    default: return std::nullopt;
  }
}

std::optional<std::int32_t> read_line_cell(std::string_view line, int column, CellKind kind) {
  if (cell_start(line, column) == std::string_view::npos) return std::nullopt;
  return read_cell_value(cell_string(line, column), kind);
}

bool parse_exact(std::string_view cell, CellKind kind, std::int32_t& value) {
  if (kind != decimal_cell && kind != hex8_cell && kind != hex16_cell) return false;
  const std::optional<std::int32_t> read = read_cell_value(cell, kind);
  if (read) value = *read;
  return read.has_value();
}

std::string cell_value_text(CellKind kind, std::int32_t value) {
  char text[32];
  switch (kind) {
    case hex8_cell: std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value)); break;
    case hex16_cell: std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value)); break;
    case mark_cell: return value ? mark_yes : mark_no;
    case grade_cell: return grade_symbol(value);
    default: std::snprintf(text, sizeof text, "%d", static_cast<int>(value)); break;
  }
  return text;
}

Place place_of(const CellPlace& cell) {
  std::string column = cell.header;
  if (cell.column > 0) column = Report::format(msg::at_column.text, cell.header, cell.column);
  return Place{cell.file, cell.line, column};
}

void report_unreadable_cell(Report& report, const CellPlace& place, std::string_view text,
                            CellKind kind, std::int32_t kept) {
  PlaceScope scope(&report, place_of(place));
  report.add(msg::cell_unreadable, std::string(text), kind_name(kind), cell_value_text(kind, kept));
}

void report_missing_cell(Report& report, const CellPlace& place, CellKind kind, std::int32_t kept) {
  PlaceScope scope(&report, place_of(place));
  report.add(msg::cell_missing, cell_value_text(kind, kept));
}

std::int32_t clamp_cell_value(Report* report, const CellPlace& place, CellKind kind,
                              std::int32_t value, std::int32_t min, std::int32_t max) {
  if (value >= min && value <= max) return value;
  const std::int32_t stored = value < min ? min : max;
  if (report) {
    PlaceScope scope(report, place_of(place));
    // Ranges print as plain numbers: a hex column's range reads better without padding.
    const CellKind range_kind = kind == hex16_cell ? hex8_cell : kind;
    report->add(msg::value_clamped, cell_value_text(range_kind, value),
                cell_value_text(range_kind, min), cell_value_text(range_kind, max),
                cell_value_text(range_kind, stored));
  }
  return stored;
}

CellStatus take_cell(Report* report, const CellPlace& place, std::string_view line, int column,
                     CellKind kind, std::int32_t& value, std::optional<CellRange> range) {
  if (cell_start(line, column) == std::string_view::npos) {
    if (report) report_missing_cell(*report, place, kind, value);
    return CellStatus::missing;
  }
  const std::string text = cell_string(line, column);
  const std::optional<std::int32_t> read = read_cell_value(text, kind);
  if (!read) {
    if (report) report_unreadable_cell(*report, place, text, kind, value);
    return CellStatus::unreadable;
  }
  value = range ? clamp_cell_value(report, place, kind, *read, range->min, range->max) : *read;
  return value == *read ? CellStatus::read : CellStatus::clamped;
}

const char* grade_symbol(std::int32_t value) {
  for (const Grade& g : grades) {
    if (g.value == value) return g.symbol;
  }
  return "-";
}

std::size_t transfer_cell(const CellTarget& target, Direction direction, CellKind kind,
                          std::int32_t& field, int column) {
  if (direction == Direction::extract) {
    if (!target.file) return 0;
    char text[24];
    std::size_t n = 0;
    switch (kind) {
      case decimal_cell: n = decimal_text(text, field); break;
      case hex8_cell: n = hex_text(text, static_cast<std::uint32_t>(field), 2); break;
      case hex16_cell: n = hex_text(text, static_cast<std::uint32_t>(field), 4); break;
      case mark_cell: n = copy_text(text, field ? mark_yes : mark_no); break;
      case grade_cell: n = copy_text(text, grade_symbol(field)); break;
      default: return 0;
    }
    text[n++] = ',';
    target.file->write(std::string_view(text, n));
    return n;
  }
  if (kind < decimal_cell || kind > grade_cell) return 0;
  Report* report = target.report;
  take_cell(report, place_of(target), target.line, column, kind, field);
  return cell_string(target.line, column).size();
}

std::size_t transfer_text_cell(const CellTarget& target, Direction direction, std::string& text,
                               int column, std::size_t capacity) {
  if (direction == Direction::extract) {
    if (!target.file) return 0;
    target.file->write(text);
    target.file->write(",");
    return text.size() + 1;
  }
  if (capacity == 0) return 0;
  if (cell_start(target.line, column) == std::string_view::npos) return 0;
  text = cell_string(target.line, column, capacity - 1);
  return text.size();
}
