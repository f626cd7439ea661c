#include "table/description.hpp"

#include <algorithm>

#include "table/csv_file.hpp"

std::string column_header(const Section& section, std::size_t f) {
  const Layout& layout = *section.layout;
  std::string header = layout.at(f).header ? layout[f].header : "";
  if (f == name_field(layout) && section.name.size) {
    header += "(" + std::to_string(section.name.size) + ")";
  }
  if (static_cast<int>(f) == section.area_column && section.area.size) {
    header += "(最大" + std::to_string(section.area.size) + "バイト)";
  }
  return header;
}

std::string header_line(const Section& section) {
  std::string line;
  const Layout& layout = *section.layout;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    if (!layout[f].header || layout[f].cell == no_cell) continue;
    line += column_header(section, f) + ",";
  }
  return line;
}

int data_rows(const Section& section) {
  return section.data_rows < 0 ? section.rows : std::min(section.data_rows, section.rows);
}

std::size_t entry_size(const Section& section) {
  std::size_t size = 0;
  for (const RomSource& source : section.sources) {
    const std::size_t bytes = source.kind == SourceKind::bit_per_index ? 1 : source.size;
    size = std::max(size, static_cast<std::size_t>(source.at) + bytes);
  }
  return size;
}

bool open_table_file(CsvWriter& out, JobContext& job, const std::string& folder,
                     const TableDescription& table) {
  if (!open_table_writer(out, job, folder, table.file_name)) return false;
  out.line(table.preamble);
  return true;
}

void close_table_file(CsvWriter& out, Report& report, const std::string& folder,
                      const TableDescription& table) {
  if (!table.comments.empty()) {
    for (int i = 0; i < table.comment_gap; ++i) out.line();
    for (const char* comment : table.comments) out.line(comment);
  }
  close_table_writer(out, report, folder, table.file_name);
}

bool open_table_file(CsvReader& in, Report& report, const std::string& folder,
                     const TableDescription& table) {
  if (!open_table_reader(in, report, folder, table.file_name)) return false;
  in.skip_lines(1);
  return true;
}
