#include "table/layout.hpp"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/messages.hpp"
#include "core/report.hpp"

namespace {

// The bits a field of a mask with a gap holds (0xF7: all but bit 3), or 0 for a field whose
// range says all.
std::uint32_t gapped_bits(const Field& field) {
  if ((field.bits != byte_field && field.bits != word_field) || field.max >= field.min) return 0;
  const std::uint32_t mask = field.mask & (field.bits == byte_field ? 0xFFu : 0xFFFFu);
  const std::uint32_t bits = mask ? mask >> lowest_bit(mask) : 0;
  return (bits & (bits + 1)) ? bits : 0;
}

void clamp_to_field(const Field& field, const CellTarget& target, std::int32_t& value) {
  FieldRange range{};
  if (!field_range(field, range)) return;
  const CellPlace place{target.file_name ? target.file_name : "", target.line_number,
                        field.header ? field.header : "", target.column_number};
  value = clamp_cell_value(target.report, place, field.cell, value, range.min, range.max);
  const std::uint32_t bits = gapped_bits(field);
  const auto raw = static_cast<std::uint32_t>(value);
  if (!bits || (raw & ~bits) == 0) return;
  const auto stored = static_cast<std::int32_t>(raw & bits);
  if (target.report) {
    PlaceScope scope(target.report, place_of(place));
    target.report->add(msg::value_bits_dropped, cell_value_text(field.cell, value),
                       cell_value_text(hex8_cell, static_cast<std::int32_t>(bits)),
                       cell_value_text(field.cell, stored));
  }
  value = stored;
}

}  // namespace

bool field_range(const Field& field, FieldRange& range) {
  if (field.rom_byte < 0) return false;
  if (field.max >= field.min) {
    range = {field.min, field.max};
    return true;
  }
  switch (field.bits) {
    case byte_field:
    case word_field: {
      const std::uint32_t width_mask = field.bits == byte_field ? 0xFFu : 0xFFFFu;
      const std::uint32_t mask = field.mask & width_mask;
      if (mask == 0) return false;
      range = {0, static_cast<std::int32_t>(mask >> lowest_bit(mask))};
      return true;
    }
    case flag:
    case inverted_flag:
      range = {0, 1};
      return true;
    case no_bits:
    case codec_field:
      return false;
  }
  return false;
}

TableRecord make_record(const Layout& layout, std::int32_t id) {
  TableRecord record;
  record.value.assign(layout.size(), 0);
  record.text.resize(layout.size());
  for (std::size_t f = 0; f < layout.size(); ++f) {
    if (layout[f].rom_byte == row_id) record.value[f] = id;
  }
  return record;
}

void field_map(const Layout& layout, std::uint8_t* entry, Direction direction, TableRecord& record) {
  for (std::size_t f = 0; f < layout.size(); ++f) {
    const Field& field = layout[f];
    if (field.rom_byte < 0 || field.bits == no_bits) continue;
    if (field.bits == codec_field) {
      if (field.codec) field.codec->move(layout, f, entry, direction, record);
    } else {
      transfer_bits(entry + field.rom_byte, direction, field.bits, record.value[f], field.mask);
    }
  }
}

std::vector<std::uint8_t> held_bits(const Layout& layout, std::size_t size) {
  std::vector<std::uint8_t> held(size, 0);
  const auto hold = [&](int at, std::uint32_t bits) {
    if (at >= 0 && static_cast<std::size_t>(at) < size) held[static_cast<std::size_t>(at)] |= static_cast<std::uint8_t>(bits);
  };
  for (const Field& field : layout) {
    if (field.rom_byte < 0 || field.bits == no_bits || field.bits == codec_field) continue;
    hold(field.rom_byte, field.mask & 0xFF);
    if (field.bits == word_field) hold(field.rom_byte + 1, (field.mask >> 8) & 0xFF);
  }
  return held;
}

void cell_map(const Layout& layout, const CellTarget& target, Direction direction,
              TableRecord& record, std::size_t fields, const std::vector<int>* file_columns) {
  // In a build the line is walked once: each cell is then cut from where it begins, which
  // reads exactly what locating it from the start of the line would.
  const bool build = direction == Direction::build;
  Report* report = target.report;
  PlaceScope place(build && target.file_name ? report : nullptr,
                   Place{target.file_name ? target.file_name : "", target.line_number});
  if (build) record.line = target.line_number;
  int columns = static_cast<int>(layout.size());
  if (file_columns) {
    for (const int c : *file_columns) columns = std::max(columns, c + 1);
  }
  const std::vector<std::size_t> starts =
      build ? cell_starts(target.line, columns) : std::vector<std::size_t>();
  int column = 0;
  for (std::size_t f = 0; f < layout.size() && f < fields; ++f) {
    const Field& field = layout[f];
    if (!field.header || field.cell == no_cell) continue;
    const int at_column = column++;
    CellTarget cell = target;
    cell.header = field.header;
    int at = at_column;
    if (build) {
      const int file_column = file_columns && static_cast<std::size_t>(at_column) < file_columns->size()
                                  ? (*file_columns)[static_cast<std::size_t>(at_column)]
                                  : at_column;
      if (file_column < 0) continue;  // the file lacks the column: reported with its header
      cell.column_number = file_column + 1;
      const std::size_t start = starts[static_cast<std::size_t>(file_column)];
      if (start == std::string_view::npos) {
        cell.line = {};
        at = 1;  // no such cell
      } else {
        cell.line = target.line.substr(start);
        at = 0;
      }
    }
    if (field.cell == text_cell) {
      transfer_text_cell(cell, direction, record.text[f], at);
    } else {
      transfer_cell(cell, direction, field.cell, record.value[f], at);
      if (build) clamp_to_field(field, cell, record.value[f]);
    }
  }
}

std::string header_line(const Layout& layout) {
  std::string line;
  for (const Field& field : layout) {
    if (!field.header || field.cell == no_cell) continue;
    line += field.header;
    line += ',';
  }
  return line;
}

void encode_record_name(Report& report, const char* file_name, const Layout& layout,
                        const TableRecord& record, std::uint8_t* slot, std::size_t slot_size) {
  const std::size_t f = name_field(layout);
  if (f >= layout.size()) return;
  PlaceScope place(&report, Place{file_name, record.line, layout[f].header ? layout[f].header : ""});
  encode_name(record.text[f], slot, slot_size, &report);
}

std::size_t name_field(const Layout& layout) {
  std::size_t f = 0;
  while (f < layout.size() && layout[f].cell != text_cell) ++f;
  return f;
}

std::size_t leading_fields(const Layout& layout) {
  std::size_t f = 0;
  while (f < layout.size() && layout[f].rom_byte < 0) ++f;
  return f;
}

Layout joined(std::initializer_list<Layout> parts) {
  Layout layout;
  for (const Layout& part : parts) layout.insert(layout.end(), part.begin(), part.end());
  return layout;
}
