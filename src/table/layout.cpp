#include "table/layout.hpp"

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
    transfer_bits(entry + field.rom_byte, direction, field.bits, record.value[f], field.mask);
  }
}

void cell_map(const Layout& layout, const CellTarget& target, Direction direction,
              TableRecord& record) {
  // In a build the line is walked once: each cell is then cut from where it begins, which
  // reads exactly what locating it from the start of the line would.
  const bool build = direction == Direction::build;
  const std::vector<std::size_t> starts =
      build ? cell_starts(target.line, static_cast<int>(layout.size())) : std::vector<std::size_t>();
  int column = 0;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    const Field& field = layout[f];
    if (!field.header || field.cell == no_cell) continue;
    CellTarget cell = target;
    int at = column;
    if (build) {
      const std::size_t start = starts[static_cast<std::size_t>(column)];
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
    }
    ++column;
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

std::size_t entry_size(const Layout& layout) {
  std::size_t size = 0;
  for (const Field& field : layout) {
    if (field.rom_byte < 0 || field.bits == no_bits) continue;
    const std::size_t end = static_cast<std::size_t>(field.rom_byte) + (field.bits == word_field ? 2 : 1);
    if (end > size) size = end;
  }
  return size;
}
