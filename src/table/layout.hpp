#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "table/bits.hpp"
#include "table/cells.hpp"

class Report;
struct FieldCodec;

// One line of a table's description: where the field lies in its entry's ROM bytes, how it
// is shown in the CSV, and its column header. A table is described once by such lines, in
// column order, and the field map, the cell map and the header line all come from them.
struct Field {
  int rom_byte;         // offset of the field in the entry, or row_id / no_rom
  std::uint32_t mask;   // bits within the byte, or within the little-endian word
  BitKind bits;
  CellKind cell;
  const char* header;   // column header, or nullptr for a field without a column
  // The table's own way of moving a field of kind codec_field.
  const FieldCodec* codec = nullptr;
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
// False for fields without ROM bytes, whose values are never stored, and for codec fields
// without a range of their own.
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

// How a table moves the fields its bytes hold in a way of its own (a running total, a sign
// bit): field `f` of the layout between the entry bytes and the record. In a build the entry
// holds the image's bits under the field, which the codec replaces, so that it can keep what
// the cell cannot show (a sign bit over a magnitude of 0).
struct FieldCodec {
  void (*move)(const Layout& layout, std::size_t f, std::uint8_t* entry, Direction direction,
               TableRecord& record);
  const char* note;  // how the bytes hold the value, for the guide to the files
};

// A zero-filled record for the layout; its row-number fields hold `id`.
TableRecord make_record(const Layout& layout, std::int32_t id);

// Field map: every field with ROM bytes, through transfer_bits or its codec. The entry bytes
// must have the fields' bits cleared before a build.
void field_map(const Layout& layout, std::uint8_t* entry, Direction direction, TableRecord& record);
// The bits of an entry's `size` bytes that some field other than a codec field holds: a build
// keeps the others as the image has them.
std::vector<std::uint8_t> held_bits(const Layout& layout, std::size_t size);
// Cell map: the first `fields` fields (all by default) that have a column, in column order,
// through transfer_cell. In a build, a value that does not fit its field is clamped to the
// nearest one it holds and reported on the target's report at its place with the column's
// header.
// A build reads each column from the file column `file_columns` gives for it (see ColumnMap;
// -1: the file lacks the column, and the field keeps its value), or by position without one.
void cell_map(const Layout& layout, const CellTarget& target, Direction direction,
              TableRecord& record, std::size_t fields = static_cast<std::size_t>(-1),
              const std::vector<int>* file_columns = nullptr);
// The header line without its line end: each header followed by a comma.
std::string header_line(const Layout& layout);
// The field of the row's name (the first text cell), or the layout's size when it has none.
std::size_t name_field(const Layout& layout);
// The fields before the first one with ROM bytes: a row's ID and name.
std::size_t leading_fields(const Layout& layout);
// Encodes a record's name into its slot, reporting replaced characters and a name too long
// for the slot at the record's line of `file_name`.
void encode_record_name(Report& report, const char* file_name, const Layout& layout,
                        const TableRecord& record, std::uint8_t* slot, std::size_t slot_size);
// The pieces of a table's description, one after the other.
Layout joined(std::initializer_list<Layout> parts);
