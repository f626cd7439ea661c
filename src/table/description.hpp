#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "table/layout.hpp"

class CsvReader;
class CsvWriter;
class Report;
struct JobContext;

// What a table's rows are counted by in a ROM table: their row in the section, or their ID.
enum class RowIndex { row, id };
enum class SourceKind {
  bytes,          // `size` bytes at rom_offset + stride * index
  bit_per_index,  // one bit of a bit array from rom_offset, index 0 in the highest bit of byte 0
};

// One ROM table that holds a part of every row's entry.
struct RomSource {
  std::uint32_t rom_offset;  // of index 0
  std::uint32_t stride;
  std::uint32_t size;  // bytes per index; for a bit array, the bytes of the whole array
  int at;              // where the bytes lie in the entry; a bit lies in bit 0 of that byte
  RowIndex index = RowIndex::row;
  SourceKind kind = SourceKind::bytes;

  // Builders, so that a description says what each number is.
  constexpr RomSource& into(int entry_byte) {
    at = entry_byte;
    return *this;
  }
  constexpr RomSource& by_id() {
    index = RowIndex::id;
    return *this;
  }
};
// A table of `entry_size` bytes an index from rom_offset, into byte 0 of the entry and
// indexed by row until said otherwise.
constexpr RomSource rom_table(std::uint32_t rom_offset, std::uint32_t entry_size) {
  return {rom_offset, entry_size, entry_size, 0};
}
// A bit array of `size` bytes, one bit an index.
constexpr RomSource bit_array(std::uint32_t rom_offset, std::uint32_t size) {
  return {rom_offset, 0, size, 0, RowIndex::row, SourceKind::bit_per_index};
}

// A row's name: `size` bytes of game text at rom_offset + size * ID, padded with blanks.
struct NameSlot {
  std::uint32_t rom_offset = 0;
  std::uint32_t size = 0;  // 0: the rows have no name
};
constexpr NameSlot name_slots(std::uint32_t rom_offset, std::uint32_t slot_size) {
  return {rom_offset, slot_size};
}

// Where rows of varying length are packed one after another, and the table of 16-bit
// pointers to them when there is one.
struct PackedArea {
  std::uint32_t rom_offset = 0;
  std::uint32_t size = 0;  // 0: the section has no packed area
  std::uint32_t pointer_table = 0;

  constexpr PackedArea& pointers_at(std::uint32_t table) {
    pointer_table = table;
    return *this;
  }
};
constexpr PackedArea packed_area(std::uint32_t rom_offset, std::uint32_t size) {
  return {rom_offset, size};
}

// A part of a file: a header line and its rows, all described by one layout.
struct Section {
  const char* title = nullptr;  // the progress text; in a titled file also the line before the header
  int rows = 0;                 // the rows of a fixed section; the most a packed one holds
  const Layout* layout = nullptr;
  std::vector<RomSource> sources;
  NameSlot name = {};
  std::int32_t first_id = 0;  // the ID of the first row
  int data_rows = -1;         // rows from the first that hold more than ID and name; -1: all
  PackedArea area = {};
  int area_column = -1;    // the field whose header carries the area's size
  int repeated_from = -1;  // the field from which the columns repeat to the end of a row

  // Builders, so that a description reads top to bottom.
  Section& reads(std::vector<RomSource> from) {
    sources = std::move(from);
    return *this;
  }
  Section& named(NameSlot slots) {
    name = slots;
    return *this;
  }
  Section& ids_from(std::int32_t id) {
    first_id = id;
    return *this;
  }
  Section& data_in_first(int count) {
    data_rows = count;
    return *this;
  }
  Section& packed(PackedArea rows_area) {
    area = rows_area;
    return *this;
  }
  Section& area_size_in(int field) {
    area_column = field;
    return *this;
  }
  Section& repeats_from(int field) {
    repeated_from = field;
    return *this;
  }
};
// A section of `rows` rows described by `layout`; a null title for an untitled one.
inline Section section(const char* title, int rows, const Layout& layout) {
  Section s;
  s.title = title;
  s.rows = rows;
  s.layout = &layout;
  return s;
}

// What a table may add to the shared steps: a rule over each row read from the file, and
// what it reports after its rows are stored.
struct TableHooks {
  void (*after_read)(Report& report, std::int32_t id, TableRecord& record) = nullptr;
  void (*after_store)(JobContext& job) = nullptr;
};

// One file of the CSV folder and the ROM tables behind it. Fixed tables are moved by the
// shared steps of fixed_table.hpp alone; the others read and write their rows themselves and
// take the rest from here. The guide to the files is made from these descriptions.
struct TableDescription {
  const char* name = nullptr;       // Japanese, for the banners
  const char* file_name = nullptr;  // e.g. "monster.csv"
  const char* purpose = nullptr;    // what the file is for, in Japanese, for the guide
  const char* preamble = nullptr;   // the file's first line
  std::vector<Section> sections;
  std::vector<const char*> comments;  // the lines after the rows
  bool fixed_rows = true;             // every section has exactly its rows; otherwise at most
  bool titled_sections = false;       // each header follows a line with the section's title
  int comment_gap = 2;                // empty lines between the last row and the comments
  TableHooks hooks = {};
};

// The header of field `f`: the name column carries its slot size, "名前(8)", and the area
// column the area's size, "文字列(最大5632バイト)".
std::string column_header(const Section& section, std::size_t f);
// A section's header line: each column's header and a comma.
std::string header_line(const Section& section);
// The rows of a section that hold data beside ID and name.
int data_rows(const Section& section);
// The bytes of a section's entry: one past the last byte its sources fill.
std::size_t entry_size(const Section& section);
// A table's file opened for writing with its preamble written; false after reporting why not.
bool open_table_file(CsvWriter& out, JobContext& job, const std::string& folder,
                     const TableDescription& table);
// The comments written after the rows and the file closed, a failed write reported.
void close_table_file(CsvWriter& out, Report& report, const std::string& folder,
                      const TableDescription& table);
// A table's file opened for reading, past its preamble; false after reporting why not.
bool open_table_file(CsvReader& in, Report& report, const std::string& folder,
                     const TableDescription& table);
