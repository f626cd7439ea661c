#pragma once
#include <cstdint>
#include <string>
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
};

// A row's name: `size` bytes of game text at rom_offset + size * ID, padded with blanks.
struct NameSlot {
  std::uint32_t rom_offset = 0;
  std::uint32_t size = 0;  // 0: the rows have no name
};

// Where rows of varying length are packed one after another, and the table of 16-bit
// pointers to them when there is one.
struct PackedArea {
  std::uint32_t rom_offset = 0;
  std::uint32_t size = 0;  // 0: the section has no packed area
  std::uint32_t pointer_table = 0;
};

// A part of a file: a header line and its rows, all described by one layout.
struct Section {
  const char* title;  // the progress text; in a titled file also the line before the header
  int rows;           // the rows of a fixed section; the most a packed one holds
  const Layout* layout;
  std::vector<RomSource> sources;
  NameSlot name = {};
  std::int32_t first_id = 0;  // the ID of the first row
  int data_rows = -1;         // rows from the first that hold more than ID and name; -1: all
  PackedArea area = {};
  int area_column = -1;    // the field whose header carries the area's size
  int repeated_from = -1;  // the field from which the columns repeat to the end of a row
};

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
  const char* name;       // Japanese, for the banners
  const char* file_name;  // e.g. "monster.csv"
  const char* purpose;    // what the file is for, in Japanese, for the guide
  const char* preamble;   // the file's first line
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
