#include "table/fixed_table.hpp"

#include <algorithm>
#include <map>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "table/columns.hpp"
#include "table/csv_file.hpp"
#include "table/table_writer.hpp"
#include "text/charset.hpp"
#include "text/names.hpp"

namespace {

std::uint32_t index_of(const RomSource& source, const Section& section, int row) {
  return static_cast<std::uint32_t>(source.index == RowIndex::id ? section.first_id + row : row);
}

std::uint32_t name_offset(const Section& section, int row) {
  return section.name.rom_offset +
         section.name.size * static_cast<std::uint32_t>(section.first_id + row);
}

void read_sources(const RomImage& rom, const Section& section, int row, std::uint8_t* entry) {
  for (const RomSource& source : section.sources) {
    const std::uint32_t index = index_of(source, section, row);
    if (source.kind == SourceKind::bit_per_index) {
      std::uint8_t byte = 0;
      rom_read(rom, &byte, source.rom_offset + index / 8, 1);
      entry[source.at] = static_cast<std::uint8_t>((byte >> (7 - index % 8)) & 1);
    } else {
      rom_read(rom, entry + source.at, source.rom_offset + source.stride * index, source.size);
    }
  }
}

// Bit arrays are gathered over every row, then written whole.
struct BitArray {
  std::uint32_t rom_offset;
  std::vector<std::uint8_t> bytes;
};

void write_sources(JobContext& job, const Section& section, int row, const std::uint8_t* entry,
                   std::vector<BitArray>& bit_arrays) {
  for (const RomSource& source : section.sources) {
    const std::uint32_t index = index_of(source, section, row);
    if (source.kind == SourceKind::bytes) {
      rom_write(job.rom, entry + source.at, source.rom_offset + source.stride * index, source.size);
      continue;
    }
    auto array = std::find_if(bit_arrays.begin(), bit_arrays.end(),
                              [&](const BitArray& a) { return a.rom_offset == source.rom_offset; });
    if (array == bit_arrays.end()) {
      // Bits of indices without a row keep what the image holds.
      array = bit_arrays.insert(bit_arrays.end(),
                                {source.rom_offset, std::vector<std::uint8_t>(source.size, 0)});
      rom_read(job.rom, array->bytes.data(), source.rom_offset, source.size);
    }
    if (index / 8 < array->bytes.size()) {
      const auto bit = static_cast<std::uint8_t>(0x80 >> (index % 8));
      std::uint8_t& byte = array->bytes[index / 8];
      byte = static_cast<std::uint8_t>((entry[source.at] & 1) ? byte | bit : byte & ~bit);
    }
  }
}

// A row as the image holds it.
TableRecord image_record(const RomImage& rom, const Section& section, int row) {
  const Layout& layout = *section.layout;
  TableRecord record = make_record(layout, section.first_id + row);
  if (section.name.size) {
    std::vector<std::uint8_t> name(section.name.size, blank_code);
    rom_read(rom, name.data(), name_offset(section, row), name.size());
    record.text[name_field(layout)] = decode_name(name.data(), name.size());
  }
  if (row < data_rows(section)) {
    std::vector<std::uint8_t> entry(entry_size(section), 0);
    read_sources(rom, section, row, entry.data());
    field_map(layout, entry.data(), Direction::extract, record);
  }
  return record;
}

}  // namespace

std::unique_ptr<FixedTableBlock> load_fixed_table(JobContext& job, const TableDescription& table) {
  auto block = std::make_unique<FixedTableBlock>();
  job.report.section(msg::load_banner, table.name);
  for (const Section& section : table.sections) {
    std::vector<TableRecord>& records = block->rows.emplace_back();
    records.reserve(static_cast<std::size_t>(section.rows));
    for (int row = 0; row < section.rows; ++row) {
      records.push_back(image_record(job.rom, section, row));
    }
  }
  return block;
}

void write_fixed_csv(JobContext& job, const std::string& folder, const TableDescription& table,
                     const FixedTableBlock* block) {
  if (!block) return;
  write_table_file(job, folder, table, [&](CsvWriter& out) {
    for (std::size_t s = 0; s < table.sections.size() && s < block->rows.size(); ++s) {
      const Section& section = table.sections[s];
      const std::size_t leading = leading_fields(*section.layout);
      out.line();
      if (section.title) job.report.progress(msg::progress, section.title);
      if (table.titled_sections) out.line(std::string(",") + (section.title ? section.title : "") + ",");
      out.line(header_line(section));
      for (std::size_t row = 0; row < block->rows[s].size(); ++row) {
        TableRecord record = block->rows[s][row];
        const bool data = static_cast<int>(row) < data_rows(section);
        cell_map(*section.layout, CellTarget{&out, {}}, Direction::extract, record,
                 data ? section.layout->size() : leading);
        out.line();
      }
    }
  });
}

std::unique_ptr<FixedTableBlock> read_fixed_csv(JobContext& job, const std::string& folder,
                                                const TableDescription& table) {
  CsvReader in;
  if (!open_table_file(in, job.report, folder, table)) return nullptr;
  const std::string path = folder + table.file_name;
  auto block = std::make_unique<FixedTableBlock>();
  RecordLines lines;
  for (const Section& section : table.sections) {
    const Layout& layout = *section.layout;
    if (section.title) job.report.progress(msg::progress, section.title);
    in.skip_lines(table.titled_sections ? 2 : 1);
    std::string header;
    ColumnMap columns;
    if (!in.next_line(header)) {
      job.report.add(msg::file_too_short, path);
      return nullptr;
    }
    if (!match_columns(job.report, table.file_name, in.line_number(), section, header, columns)) {
      return nullptr;
    }
    RowIds ids = row_ids(layout, section.first_id);
    const auto id_column = static_cast<std::size_t>(ids.column);
    ids.column = id_column < columns.file_column.size() ? columns.file_column[id_column] : -1;
    if (!read_record_lines(job.report, in, section.rows, path, ids, lines)) return nullptr;
    std::vector<TableRecord>& records = block->rows.emplace_back();
    records.reserve(lines.text.size());
    for (std::size_t row = 0; row < lines.text.size(); ++row) {
      const std::int32_t id = section.first_id + static_cast<std::int32_t>(row);
      const bool data = static_cast<int>(row) < data_rows(section);
      // Every cell that cannot be read keeps the image's value, and an empty row or one with
      // a comma too many the whole row (it was reported once).
      TableRecord& record =
          records.emplace_back(image_record(job.rom, section, static_cast<int>(row)));
      record.line = lines.line[row];
      if (blank_line(lines.text[row]) ||
          cells_past_header(job.report, table.file_name, lines.line[row], lines.text[row], columns)) {
        continue;
      }
      cell_map(layout,
               CellTarget{nullptr, lines.text[row], &job.report, table.file_name, lines.line[row]},
               Direction::build, record, data ? layout.size() : leading_fields(layout),
               &columns.file_column);
      if (data && table.hooks.after_read) {
        PlaceScope place(&job.report, Place{table.file_name, lines.line[row]});
        table.hooks.after_read(job.report, id, record);
      }
    }
  }
  return block;
}

void store_fixed_table(JobContext& job, const TableDescription& table,
                       const FixedTableBlock* block) {
  if (!block) return;
  job.report.section(msg::store_banner, table.name);
  std::vector<std::uint8_t> entry;
  std::vector<std::uint8_t> name;
  std::vector<BitArray> bit_arrays;
  for (std::size_t s = 0; s < table.sections.size() && s < block->rows.size(); ++s) {
    const Section& section = table.sections[s];
    const std::vector<TableRecord>& records = block->rows[s];
    const std::vector<std::uint8_t> held = held_bits(*section.layout, entry_size(section));
    for (int row = 0; row < section.rows && static_cast<std::size_t>(row) < records.size(); ++row) {
      TableRecord record = records[static_cast<std::size_t>(row)];
      if (section.name.size) {
        name.assign(section.name.size, 0);
        encode_record_name(job.report, table.file_name, *section.layout, record, name.data(),
                           name.size());
        rom_write(job.rom, name.data(), name_offset(section, row), name.size());
      }
      if (row >= data_rows(section)) continue;
      // Bits no field holds keep the input's values: only what the file says changes.
      entry.assign(held.size(), 0);
      read_sources(job.rom, section, row, entry.data());
      for (std::size_t i = 0; i < entry.size(); ++i) entry[i] &= static_cast<std::uint8_t>(~held[i]);
      field_map(*section.layout, entry.data(), Direction::build, record);
      write_sources(job, section, row, entry.data(), bit_arrays);
    }
  }
  for (const BitArray& array : bit_arrays) {
    rom_write(job.rom, array.bytes.data(), array.rom_offset, array.bytes.size());
  }
  if (table.hooks.after_store) table.hooks.after_store(job);
}

void report_shared_names(Report& report, const TableDescription& earlier,
                         const FixedTableBlock& earlier_rows, const TableDescription& later,
                         const FixedTableBlock& later_rows) {
  struct Slot {
    const TableRecord* record;
    std::size_t field;
    std::uint32_t size;
  };
  std::map<std::uint32_t, Slot> slots;
  for (std::size_t s = 0; s < earlier.sections.size() && s < earlier_rows.rows.size(); ++s) {
    const Section& section = earlier.sections[s];
    for (std::size_t row = 0; section.name.size && row < earlier_rows.rows[s].size(); ++row) {
      slots[name_offset(section, static_cast<int>(row))] = {
          &earlier_rows.rows[s][row], name_field(*section.layout), section.name.size};
    }
  }
  for (std::size_t s = 0; s < later.sections.size() && s < later_rows.rows.size(); ++s) {
    const Section& section = later.sections[s];
    for (std::size_t row = 0; section.name.size && row < later_rows.rows[s].size(); ++row) {
      const auto shared = slots.find(name_offset(section, static_cast<int>(row)));
      if (shared == slots.end() || shared->second.size != section.name.size) continue;
      const std::string& first = shared->second.record->text[shared->second.field];
      const TableRecord& record = later_rows.rows[s][row];
      const std::string& second = record.text[name_field(*section.layout)];
      std::vector<std::uint8_t> a(section.name.size), b(section.name.size);
      encode_name(first, a.data(), a.size());
      encode_name(second, b.data(), b.size());
      if (a == b) continue;
      PlaceScope place(&report, Place{later.file_name, record.line});
      report.add(msg::shared_name_differs, earlier.file_name, shared->second.record->line, first,
                 second);
    }
  }
}

PipelineTable fixed_table_steps(const TableDescription& table) {
  PipelineTable steps;
  steps.load = [&table](JobContext& job) -> std::unique_ptr<TableBlock> {
    return load_fixed_table(job, table);
  };
  steps.write_csv = [&table](JobContext& job, const std::string& folder, const TableBlock* block) {
    write_fixed_csv(job, folder, table, static_cast<const FixedTableBlock*>(block));
  };
  steps.read_csv = [&table](JobContext& job,
                            const std::string& folder) -> std::unique_ptr<TableBlock> {
    return read_fixed_csv(job, folder, table);
  };
  steps.store = [&table](JobContext& job, const TableBlock* block) {
    store_fixed_table(job, table, static_cast<const FixedTableBlock*>(block));
  };
  return steps;
}
