#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/job_context.hpp"
#include "table/description.hpp"
#include "table/pipeline_table.hpp"
#include "table/table_block.hpp"

// The six lists of variable-length strings: "string.csv". In the ROM each list is a table of
// 16-bit pointers followed by its packed text area.
struct StringGroup {
  std::uint32_t pointer_table;  // ROM offset
  int pointers;                 // n: the list holds at most n - 1 strings
  int minimum_kept;             // strings written on store even when the rows are fewer
  std::uint32_t text_area;      // ROM offset
  std::uint32_t area_size;
};

inline constexpr std::size_t string_group_count = 6;
const std::array<StringGroup, string_group_count>& string_groups();
// One section per list, made from the lists above.
const TableDescription& string_table();

// The Shift-JIS text of every string of every list lies back to back in `text`. For each list,
// `ends` holds where its text starts, then where each of its strings ends.
struct StringTable : TableBlock {
  std::string text;
  std::array<std::vector<std::size_t>, string_group_count> ends;
  // The file's line of each string read from it, for the messages about its text.
  std::array<std::vector<int>, string_group_count> lines;
  // Which strings read from the file keep the image's bytes (their row was emptied).
  std::array<std::vector<bool>, string_group_count> kept;
};

std::size_t string_count(const StringTable& table, std::size_t group);
std::string_view string_text(const StringTable& table, std::size_t group, std::size_t k);

std::unique_ptr<StringTable> load_strings(JobContext& job);
void write_string_csv(JobContext& job, const std::string& folder, const StringTable* table);
std::unique_ptr<StringTable> read_string_csv(JobContext& job, const std::string& folder);
void store_strings(JobContext& job, const StringTable* table);
// The steps of this table for the registry.
PipelineTable string_steps(const TableDescription& table);
