// Cells of one CSV line: cell_start, cell_starts, cell_text, cell_string and the values they
// read as.
#include "adapters/cells.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "cells";
constexpr char guard = '\x5A';
constexpr std::size_t guard_size = 8;
constexpr std::size_t npos = std::string_view::npos;

// The cell as a spreadsheet reads it: from its start to the comma outside quotes; a quote
// opens or closes a quoted run, and inside one a doubled quote is one quote. A NUL is a byte
// like any other.
std::string model_text(std::string_view line, std::size_t start) {
  std::string text;
  bool quoted = false;
  for (std::size_t i = start; i < line.size() && line[i] != '\n';) {
    const std::size_t length = cp932_length(line, i);
    if (length == 1 && line[i] == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        text += '"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    if (length == 1 && line[i] == ',' && !quoted) break;
    text.append(line.substr(i, length));
    i += length;
  }
  return text;
}

// The cell's text must be the model's, cut to the capacity on a character boundary.
void check_text(std::string_view line, int column, std::size_t start, std::size_t capacity) {
  std::vector<char> out(capacity + guard_size, guard);
  const std::size_t n = fa::cell_text(out.data(), capacity, line, column);
  if (n > capacity) fuzz_fail(target, "column %d: %zu bytes for capacity %zu", column, n, capacity);
  if (std::any_of(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), [](char c) { return c != guard; }))
    fuzz_fail(target, "column %d capacity %zu: bytes past the %zu written changed", column, capacity, n);
  if (start == npos) {
    if (n != 0) fuzz_fail(target, "column %d lies past the line but gave %zu bytes", column, n);
    return;
  }
  const std::string whole = model_text(line, start);
  if (whole.compare(0, n, out.data(), n) != 0)
    fuzz_fail(target, "column %d capacity %zu: the text is not the cell's", column, capacity);
  std::size_t i = 0;
  while (i < n) i += cp932_length(whole, i);
  if (i > n) fuzz_fail(target, "column %d capacity %zu: the text ends inside a two-byte character", column, capacity);
  if (n < whole.size() && n + cp932_length(whole, n) <= capacity)
    fuzz_fail(target, "column %d capacity %zu: the text stops before a character that fits", column, capacity);
  if (fa::cell_string(line, column, capacity) != std::string_view(out.data(), n))
    fuzz_fail(target, "column %d capacity %zu: cell_string differs from cell_text", column, capacity);
}

// A value read from a cell prints in a form that reads as the same value.
void check_value(const std::string& cell, int column) {
  for (const CellKind kind : {decimal_cell, hex8_cell, hex16_cell, mark_cell, grade_cell}) {
    const std::optional<std::int32_t> value = fa::read_cell_value(cell, kind);
    if (!value) continue;
    const std::string printed = fa::cell_value_text(kind, *value);
    if (fa::read_cell_value(printed, kind) != value)
      fuzz_fail(target, "column %d kind %d: %d prints as a text that reads otherwise", column,
                static_cast<int>(kind), static_cast<int>(*value));
  }
}

}  // namespace

int fuzz_cells(const std::uint8_t* data, std::size_t size) {
  // An exact copy, so that a read past the line's end is a sanitizer error.
  const std::vector<char> bytes(data, data + size);
  const std::string_view line(bytes.data(), bytes.size());
  const int columns =
      static_cast<int>(std::min<std::ptrdiff_t>(std::count(line.begin(), line.end(), ',') + 2, 40));
  const std::vector<std::size_t> starts = fa::cell_starts(line, columns);
  if (starts.size() != static_cast<std::size_t>(columns))
    fuzz_fail(target, "cell_starts gave %zu starts for %d columns", starts.size(), columns);
  for (int column = 0; column < columns; ++column) {
    const std::size_t start = fa::cell_start(line, column);
    if (starts[static_cast<std::size_t>(column)] != start)
      fuzz_fail(target, "column %d: cell_starts says %zu, cell_start %zu", column,
                starts[static_cast<std::size_t>(column)], start);
    if (start != npos && start > size)
      fuzz_fail(target, "column %d starts at %zu, past the line", column, start);
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                                       std::size_t{5}, fa::name_capacity, size + 1}) {
      check_text(line, column, start, capacity);
    }
    check_value(fa::cell_string(line, column, size + 1), column);
  }
  return fuzz_pass;
}
