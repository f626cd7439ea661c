#include "table_job.hpp"

#include <gtest/gtest.h>

std::vector<std::string> split_cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
    cells.push_back(line.substr(start, comma - start));
  }
  cells.push_back(line.substr(start));
  return cells;
}

std::string join_cells(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) line += (c ? "," : "") + cells[c];
  return line;
}

TableJob::TableJob(const std::string& file_name)
    : rom(dir.path("sample.smc")), csv(dir.path("csv/") + file_name) {
  write_sample(rom);
  input = read_bytes(rom);
  EXPECT_EQ(extract(rom, dir.path("csv/")), 0);
  lines = split_lines(read_text(csv));
}

std::size_t TableJob::column(std::size_t header_line, const std::string& header) const {
  const std::vector<std::string> headers = split_cells(lines.at(header_line));
  std::size_t c = 0;
  while (c < headers.size() && headers[c] != header) ++c;
  EXPECT_LT(c, headers.size()) << "no column " << header;
  return c;
}

std::string TableJob::cell(std::size_t header_line, std::size_t line,
                           const std::string& header) const {
  const std::vector<std::string> cells = split_cells(lines.at(line));
  const std::size_t c = column(header_line, header);
  return c < cells.size() ? cells[c] : std::string();
}

void TableJob::set_cell(std::size_t header_line, std::size_t line, const std::string& header,
                        const std::string& text) {
  std::vector<std::string> cells = split_cells(lines.at(line));
  const std::size_t c = column(header_line, header);
  if (c >= cells.size()) cells.resize(c + 1);
  cells[c] = text;
  lines[line] = join_cells(cells);
}

void TableJob::clear_cells(std::size_t line, std::size_t first) {
  std::vector<std::string> cells = split_cells(lines.at(line));
  for (std::size_t c = first; c < cells.size(); ++c) cells[c].clear();
  lines[line] = join_cells(cells);
}

std::vector<std::uint8_t> TableJob::rebuild() {
  write_text(csv, join_lines(lines));
  EXPECT_EQ(build(rom, dir.path("out.smc"), dir.path("csv/")), 0);
  return read_bytes(dir.path("out.smc"));
}

long TableJob::changed(const std::vector<std::uint8_t>& out, std::uint32_t offset,
                       std::size_t size) const {
  for (std::size_t i = offset; i < std::size_t{offset} + size; ++i) {
    if (i >= out.size() || i >= input.size() || out[i] != input[i]) return static_cast<long>(i);
  }
  return -1;
}
