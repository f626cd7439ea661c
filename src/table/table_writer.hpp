#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "table/cells.hpp"
#include "table/description.hpp"

class CsvWriter;
struct JobContext;

// Writes a table's file whole: its preamble, the lines `write_body` writes, then its comments.
// A file that cannot be opened or written is reported, and nothing is left half-written.
void write_table_file(JobContext& job, const std::string& folder, const TableDescription& table,
                      const std::function<void(CsvWriter&)>& write_body);

// The lines that begin a section of a list: an empty line, then its header line.
void write_section_start(CsvWriter& out, const Section& section);

// One row as the extract writes it: its ID cell, its cells each followed by a comma, and the
// line end written by end().
class CsvRow {
 public:
  CsvRow(CsvWriter& out, std::int32_t id);
  CsvRow& value(CellKind kind, std::int32_t value);
  // Text written as it is (already in its cell's form), then its comma.
  CsvRow& text(std::string_view text);
  // Where a layout's cell map writes its cells in the row.
  CellTarget cells() const { return CellTarget{&out_, {}}; }
  void end();

 private:
  CsvWriter& out_;
};
