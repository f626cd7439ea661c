#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/csv_file.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// A section of a table: `rows` entries of `entry_size` bytes from `rom_offset` on, every entry
// described by the same layout.
struct Section {
  const char* title;  // shown with log_progress at the start of the section in the file
  std::uint32_t rom_offset;
  std::uint32_t entry_size;
  int rows;
  const Layout* layout;
};

// A table of fixed-size arrays at fixed ROM offsets, indexed by row number.
struct FixedTable {
  const char* name;       // Japanese name for the banners
  const char* file_name;  // e.g. "monster_ptn.csv"
  std::vector<Section> sections;
};

// One vector of records per section.
struct FixedTableBlock : TableBlock {
  std::vector<std::vector<TableRecord>> rows;
};

// Load from ROM: every entry of every section, through its field map.
std::unique_ptr<FixedTableBlock> load_fixed_table(JobContext& job, const FixedTable& table);
// Writes the sections: for each an empty line, the header line and one line per record.
// The caller writes the preamble before and the comments after.
void write_fixed_sections(JobContext& job, CsvWriter& out, const FixedTable& table,
                          const FixedTableBlock& block);
// Reads the sections after the preamble: for each it skips two lines and reads one line per
// record. A file that ends before the last record gives no table: the message names the file
// and the ROM keeps its bytes.
std::unique_ptr<FixedTableBlock> read_fixed_sections(JobContext& job, CsvReader& in,
                                                     const FixedTable& table,
                                                     const std::string& path);
// Store into ROM: every entry rebuilt from zero through its field map.
void store_fixed_table(JobContext& job, const FixedTable& table, const FixedTableBlock& block);

// Reads the remaining record lines of a section; false when the file ended first, after
// reporting the short-file message for `path`. The lines are consecutive: the first one's
// number in the file goes to *first_line when asked for.
bool read_record_lines(Report& report, CsvReader& in, int count, const std::string& path,
                       std::vector<std::string>& lines, int* first_line = nullptr);
