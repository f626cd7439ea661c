#pragma once
// Every call of the cells target into the program.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/cells.hpp"

namespace fuzz_adapter {

inline constexpr std::size_t name_capacity = ::name_capacity;

inline std::size_t cell_text(char* out, std::size_t capacity, std::string_view line, int column) {
  return ::cell_text(out, capacity, line, column);
}
inline std::size_t cell_start(std::string_view line, int column) { return ::cell_start(line, column); }
inline std::vector<std::size_t> cell_starts(std::string_view line, int columns) {
  return ::cell_starts(line, columns);
}
inline std::string cell_string(std::string_view line, int column, std::size_t capacity) {
  return ::cell_string(line, column, capacity);
}
inline std::optional<std::int32_t> read_cell_value(std::string_view cell, CellKind kind) {
  return ::read_cell_value(cell, kind);
}
inline std::string cell_value_text(CellKind kind, std::int32_t value) {
  return ::cell_value_text(kind, value);
}

}  // namespace fuzz_adapter
