#include "table/cells.hpp"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/sjis.hpp"
#include "table/csv_file.hpp"

namespace {

bool ends_line(std::string_view line, std::size_t i) {
  return i >= line.size() || line[i] == '\n' || line[i] == '\0';
}


// The symbols, as Shift-JIS, in the order they are tested when reading.
struct Grade {
  std::int32_t value;
  const char* symbol;
};
const Grade grades[] = {{7, "☆"}, {6, "□"}, {5, "◎"}, {4, "○＋"}, {3, "○"}, {2, "△"}, {1, "×"}};
const char* const mark_yes = "○";
const char* const mark_no = "×";

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

std::size_t cell_text(char* destination, std::size_t capacity, std::string_view line, int column) {
  if (!destination) return 0;
  std::size_t i = cell_start(line, column);
  if (i == std::string_view::npos) return 0;
  if (!ends_line(line, i) && line[i] == '"') ++i;
  std::size_t n = 0;
  while (n < capacity && !ends_line(line, i)) {
    const char c = line[i];
    if (c == ',' || c == '"') break;
    if (sjis::char_length(line, i) == 2) {
      if (n + 2 > capacity) break;
      destination[n++] = c;
      destination[n++] = line[i + 1];
      i += 2;
    } else {
      destination[n++] = c;
      ++i;
    }
  }
  return n;
}

std::string cell_string(std::string_view line, int column, std::size_t capacity) {
  std::string text(capacity, '\0');
  text.resize(cell_text(text.data(), capacity, line, column));
  return text;
}

// Values beyond 32 bits stop at the nearest 32-bit value, so that the field's range check
// sees them as too large or too small instead of wrapped.
std::int32_t parse_decimal(std::string_view cell) {
  const std::string text(cell);
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

std::int32_t parse_hex(std::string_view cell) {
  std::size_t i = 0;
  if (cell.size() >= 2 && cell[0] == '0' && cell[1] == 'x') i = 2;
  std::uint32_t value = 0;
  for (; i < cell.size(); ++i) {
    const char c = cell[i];
    std::uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      break;
    }
    value = value > 0x0FFFFFFFu ? 0xFFFFFFFFu : value * 16 + digit;
  }
  return value > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(value);
}

bool parse_exact(std::string_view cell, CellKind kind, std::int32_t& value) {
  const bool hex = kind == hex8_cell || kind == hex16_cell;
  if (!hex && kind != decimal_cell) return false;
  if (hex && cell.size() > 2 && cell.substr(0, 2) == "0x") cell.remove_prefix(2);
  // Seven hex or nine decimal digits at most, so the value always fits.
  if (cell.empty() || cell.size() > (hex ? 7u : 9u)) return false;
  for (const char c : cell) {
    const bool digit = (c >= '0' && c <= '9') ||
                       (hex && ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')));
    if (!digit) return false;
  }
  value = hex ? parse_hex(cell) : parse_decimal(cell);
  return true;
}

std::int32_t parse_mark(std::string_view cell) {
  if (cell.substr(0, 2) == mark_yes) return 1;
  return (!cell.empty() && cell[0] == '1') ? 1 : 0;
}

std::int32_t parse_grade(std::string_view cell) {
  for (const Grade& g : grades) {
    if (cell == g.symbol || (!cell.empty() && cell[0] == static_cast<char>('0' + g.value))) {
      return g.value;
    }
  }
  return 0;
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
    char text[64];
    int n = 0;
    switch (kind) {
      case decimal_cell: n = std::snprintf(text, sizeof text, "%d,", field); break;
      case hex8_cell: n = std::snprintf(text, sizeof text, "0x%02X,", static_cast<unsigned>(field)); break;
      case hex16_cell: n = std::snprintf(text, sizeof text, "0x%04X,", static_cast<unsigned>(field)); break;
      case mark_cell: n = std::snprintf(text, sizeof text, "%s,", field ? mark_yes : mark_no); break;
      case grade_cell: n = std::snprintf(text, sizeof text, "%s,", grade_symbol(field)); break;
      default: return 0;
    }
    target.file->write(std::string_view(text, static_cast<std::size_t>(n)));
    return static_cast<std::size_t>(n);
  }
  if (kind < decimal_cell || kind > grade_cell) return 0;
  char work[64] = {};
  const std::size_t taken = cell_text(work, sizeof work - 1, target.line, column);
  const std::string_view cell(work, taken);
  switch (kind) {
    case decimal_cell: field = parse_decimal(cell); break;
    case hex8_cell:
    case hex16_cell: field = parse_hex(cell); break;
    case mark_cell: field = parse_mark(cell); break;
    case grade_cell: field = parse_grade(cell); break;
    default: break;
  }
  return taken;
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
  std::string cell(capacity - 1, '\0');
  const std::size_t taken = cell_text(cell.data(), capacity - 1, target.line, column);
  cell.resize(taken);
  text = cell;
  return taken;
}
