#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "test_support.hpp"

// Cells of a CSV line cut at every comma (quotes not considered), and the line again.
std::vector<std::string> split_cells(const std::string& line);
std::string join_cells(const std::vector<std::string>& cells);

// The sample ROM extracted into a fresh folder, one table file of it held as lines for a test
// to edit, and a build from the edited files.
class TableJob {
 public:
  explicit TableJob(const std::string& file_name);

  // The cell of line `line` under the first column headed `header` in line `header_line`.
  std::string cell(std::size_t header_line, std::size_t line, const std::string& header) const;
  void set_cell(std::size_t header_line, std::size_t line, const std::string& header,
                const std::string& text);
  // Empties every cell of a line from column `first` on.
  void clear_cells(std::size_t line, std::size_t first);
  // Writes the lines back, builds, and returns the built image.
  std::vector<std::uint8_t> rebuild();
  // The first offset of [offset, offset + size) at which `out` differs from the input, or -1.
  long changed(const std::vector<std::uint8_t>& out, std::uint32_t offset, std::size_t size) const;

  TempDir dir;
  std::string rom;
  std::string csv;
  std::vector<std::uint8_t> input;
  std::vector<std::string> lines;

 private:
  std::size_t column(std::size_t header_line, const std::string& header) const;
};
