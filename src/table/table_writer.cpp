#include "table/table_writer.hpp"

#include "core/job_context.hpp"
#include "table/csv_file.hpp"

void write_table_file(JobContext& job, const std::string& folder, const TableDescription& table,
                      const std::function<void(CsvWriter&)>& write_body) {
  CsvWriter out;
  if (!open_table_file(out, job, folder, table)) return;
  write_body(out);
  close_table_file(out, job.report, folder, table);
}

void write_section_start(CsvWriter& out, const Section& section) {
  out.line();
  out.line(header_line(section));
}

CsvRow::CsvRow(CsvWriter& out, std::int32_t id) : out_(out) { value(hex8_cell, id); }

CsvRow& CsvRow::value(CellKind kind, std::int32_t value) {
  transfer_cell(cells(), Direction::extract, kind, value, 0);
  return *this;
}

CsvRow& CsvRow::text(std::string_view text) {
  out_.write(text);
  out_.write(",");
  return *this;
}

void CsvRow::end() { out_.line(); }
