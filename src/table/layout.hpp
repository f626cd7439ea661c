#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "table/bits.hpp"
#include "table/cells.hpp"

class Report;

// One line of a table's description: where the field lies in its entry's ROM bytes, how it
// is shown in the CSV, and its column header. A table is described once by such lines, in
// column order, and the field map, the cell map and the header line all come from them.
struct Field {
  int rom_byte;         // offset of the field in the entry, or row_id / no_rom
  std::uint32_t mask;   // bits within the byte, or within the little-endian word
  int bits;             // BitKind
  int cell;             // CellKind
  const char* header;   // column header, or nullptr for a field without a column
  // The values the field holds, for kinds whose range the mask does not tell; unset
  // (max < min) for the others.
  std::int32_t min = 0;
  std::int32_t max = -1;
};

// The smallest and largest value a field holds.
struct FieldRange {
  std::int32_t min;
  std::int32_t max;
};
// False for fields without ROM bytes, whose values are never stored.
bool field_range(const Field& field, FieldRange& range);

inline constexpr int no_rom = -1;  // the field has no ROM bytes of its own
inline constexpr int row_id = -2;  // the field is the record's row number

using Layout = std::vector<Field>;

// One row of a table: a value per field, and a text per field (used by text cells only).
struct TableRecord {
  std::vector<std::int32_t> value;
  std::vector<std::string> text;
  int line = 0;  // the line of the file it was read from, for messages; 0 when read from ROM
};

// A zero-filled record for the layout; its row-number fields hold `id`.
TableRecord make_record(const Layout& layout, std::int32_t id);

// Field map: every field with ROM bytes, through transfer_bits. The entry bytes must be
// zeroed before a build.
void field_map(const Layout& layout, std::uint8_t* entry, Direction direction, TableRecord& record);
// Cell map: every field with a column, in column order, through transfer_cell.
// In a build, a value that does not fit its field is clamped to the nearest one it holds and
// reported on the report, when one is given, at its place with the column's header.
void cell_map(const Layout& layout, const CellTarget& target, Direction direction,
              TableRecord& record, Report* report = nullptr);
// The header line without its line end: each header followed by a comma.
std::string header_line(const Layout& layout);
// Encodes a record's name into its slot, reporting replaced characters at the record's line
// of `file_name`.
void encode_record_name(Report& report, const char* file_name, const TableRecord& record,
                        std::size_t name_field, std::uint8_t* slot, std::size_t slot_size);
// The number of ROM bytes the layout covers (one past its last field byte).
std::size_t entry_size(const Layout& layout);
