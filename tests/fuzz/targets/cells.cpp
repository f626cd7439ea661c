// Cells of one CSV line: cell_start, cell_starts, cell_text and cell_string.
#include "adapters/cells.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "cells";
constexpr char guard = '\x5A';
constexpr std::size_t guard_size = 8;
constexpr std::size_t npos = std::string_view::npos;

bool line_end(std::string_view line, std::size_t i) {
  return i >= line.size() || line[i] == '\n' || line[i] == '\0';
}

// The cell's text must be a run of the line's bytes after the start and its opening quote,
// end on a character boundary, and hold no comma or quote of its own.
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
  const std::size_t from = start + (!line_end(line, start) && line[start] == '"' ? 1 : 0);
  if (line.substr(from, n) != std::string_view(out.data(), n))
    fuzz_fail(target, "column %d capacity %zu: the text is not the line's bytes at %zu", column, capacity,
              from);
  if (fa::cell_string(line, column, capacity) != std::string_view(out.data(), n))
    fuzz_fail(target, "column %d capacity %zu: cell_string differs from cell_text", column, capacity);
  // Code page 932's reading of the line; no comma or quote is ever a trail byte.
  std::size_t i = from;
  while (i < from + n) i += cp932_length(line, i);
  if (i > from + n)
    fuzz_fail(target, "column %d capacity %zu: the text ends inside a two-byte character", column, capacity);
  if (std::string_view(out.data(), n).find_first_of(",\"") != std::string_view::npos)
    fuzz_fail(target, "column %d: the text holds a comma or quote of its own", column);
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
  }
  return fuzz_pass;
}
