#include "table/fixed_table.hpp"

#include "app/message_log.hpp"
#include "app/messages.hpp"
#include "app/rom_image.hpp"

std::unique_ptr<FixedTableBlock> load_fixed_table(const FixedTable& table) {
  auto block = std::make_unique<FixedTableBlock>();
  log_section(msg::load_banner, table.name);
  std::vector<std::uint8_t> entry;
  for (const Section& section : table.sections) {
    std::vector<TableRecord>& records = block->rows.emplace_back();
    records.reserve(static_cast<std::size_t>(section.rows));
    entry.assign(section.entry_size, 0);
    for (int row = 0; row < section.rows; ++row) {
      std::fill(entry.begin(), entry.end(), 0);
      rom_read(entry.data(), section.rom_offset + section.entry_size * static_cast<std::uint32_t>(row),
               entry.size());
      TableRecord& record = records.emplace_back(make_record(*section.layout, row));
      field_map(*section.layout, entry.data(), Direction::extract, record);
    }
  }
  return block;
}

void write_fixed_sections(CsvWriter& out, const FixedTable& table, const FixedTableBlock& block) {
  for (std::size_t s = 0; s < table.sections.size() && s < block.rows.size(); ++s) {
    const Section& section = table.sections[s];
    out.line();
    log_progress("%s", section.title);
    out.line(header_line(*section.layout));
    for (TableRecord record : block.rows[s]) {
      cell_map(*section.layout, CellTarget{&out, {}}, Direction::extract, record);
      out.line();
    }
  }
}

bool read_record_lines(CsvReader& in, int count, const std::string& path,
                       std::vector<std::string>& lines) {
  lines.assign(static_cast<std::size_t>(count), std::string());
  for (std::string& line : lines) {
    if (!in.next_line(line)) {
      log_message(msg::file_too_short, path.c_str());
      return false;
    }
  }
  return true;
}

std::unique_ptr<FixedTableBlock> read_fixed_sections(CsvReader& in, const FixedTable& table,
                                                     const std::string& path) {
  auto block = std::make_unique<FixedTableBlock>();
  std::vector<std::string> lines;
  for (const Section& section : table.sections) {
    log_progress("%s", section.title);
    in.skip_lines(2);
    if (!read_record_lines(in, section.rows, path, lines)) return nullptr;
    std::vector<TableRecord>& records = block->rows.emplace_back();
    for (int row = 0; row < section.rows; ++row) {
      TableRecord& record = records.emplace_back(make_record(*section.layout, row));
      cell_map(*section.layout, CellTarget{nullptr, lines[static_cast<std::size_t>(row)]},
               Direction::build, record);
    }
  }
  return block;
}

void store_fixed_table(const FixedTable& table, const FixedTableBlock& block) {
  log_section(msg::store_banner, table.name);
  std::vector<std::uint8_t> entry;
  for (std::size_t s = 0; s < table.sections.size() && s < block.rows.size(); ++s) {
    const Section& section = table.sections[s];
    entry.assign(section.entry_size, 0);
    for (std::size_t row = 0; row < block.rows[s].size(); ++row) {
      std::fill(entry.begin(), entry.end(), 0);
      TableRecord record = block.rows[s][row];
      field_map(*section.layout, entry.data(), Direction::build, record);
      rom_write(entry.data(), section.rom_offset + section.entry_size * static_cast<std::uint32_t>(row),
                entry.size());
    }
  }
}
