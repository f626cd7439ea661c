#include "table/fixed_table.hpp"

#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"

std::unique_ptr<FixedTableBlock> load_fixed_table(JobContext& job, const FixedTable& table) {
  auto block = std::make_unique<FixedTableBlock>();
  job.report.section(msg::load_banner, table.name);
  std::vector<std::uint8_t> entry;
  for (const Section& section : table.sections) {
    std::vector<TableRecord>& records = block->rows.emplace_back();
    records.reserve(static_cast<std::size_t>(section.rows));
    entry.assign(section.entry_size, 0);
    for (int row = 0; row < section.rows; ++row) {
      std::fill(entry.begin(), entry.end(), 0);
      rom_read(job.rom, entry.data(),
               section.rom_offset + section.entry_size * static_cast<std::uint32_t>(row), entry.size());
      TableRecord& record = records.emplace_back(make_record(*section.layout, row));
      field_map(*section.layout, entry.data(), Direction::extract, record);
    }
  }
  return block;
}

void write_fixed_sections(JobContext& job, CsvWriter& out, const FixedTable& table,
                          const FixedTableBlock& block) {
  for (std::size_t s = 0; s < table.sections.size() && s < block.rows.size(); ++s) {
    const Section& section = table.sections[s];
    out.line();
    job.report.progress(msg::progress, section.title);
    out.line(header_line(*section.layout));
    for (TableRecord record : block.rows[s]) {
      cell_map(*section.layout, CellTarget{&out, {}}, Direction::extract, record);
      out.line();
    }
  }
}

bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       std::vector<std::string>& lines, int* first_line) {
  if (first_line) *first_line = in.line_number() + 1;
  lines.assign(static_cast<std::size_t>(count), std::string());
  for (std::string& line : lines) {
    if (!in.next_line(line)) {
      PlaceScope whole_file(&report, Place{});
      report.add(msg::file_too_short, path);
      return false;
    }
  }
  return true;
}

std::unique_ptr<FixedTableBlock> read_fixed_sections(JobContext& job, CsvReader& in,
                                                     const FixedTable& table,
                                                     const std::string& path) {
  auto block = std::make_unique<FixedTableBlock>();
  std::vector<std::string> lines;
  for (const Section& section : table.sections) {
    job.report.progress(msg::progress, section.title);
    in.skip_lines(2);
    int first_line = 0;
    if (!read_record_lines(job.report, in, section.rows, path, lines, &first_line)) return nullptr;
    std::vector<TableRecord>& records = block->rows.emplace_back();
    for (int row = 0; row < section.rows; ++row) {
      TableRecord& record = records.emplace_back(make_record(*section.layout, row));
      cell_map(*section.layout,
               CellTarget{nullptr, lines[static_cast<std::size_t>(row)], &job.report, table.file_name,
                          first_line + row},
               Direction::build, record);
    }
  }
  return block;
}

void store_fixed_table(JobContext& job, const FixedTable& table, const FixedTableBlock& block) {
  job.report.section(msg::store_banner, table.name);
  std::vector<std::uint8_t> entry;
  for (std::size_t s = 0; s < table.sections.size() && s < block.rows.size(); ++s) {
    const Section& section = table.sections[s];
    entry.assign(section.entry_size, 0);
    for (std::size_t row = 0; row < block.rows[s].size(); ++row) {
      std::fill(entry.begin(), entry.end(), 0);
      TableRecord record = block.rows[s][row];
      field_map(*section.layout, entry.data(), Direction::build, record);
      rom_write(job.rom, entry.data(),
                section.rom_offset + section.entry_size * static_cast<std::uint32_t>(row), entry.size());
    }
  }
}
