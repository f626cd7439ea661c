// Rows of every fixed-row table are placed by their IDs when the IDs allow it.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/report.hpp"
#include "table/cells.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t monster_names = 0x3D0A80, monster_stats = 0x3E3F8B;
constexpr std::size_t monster_row = 3;  // the line of monster 0

struct Rows {
  std::size_t header;  // the line of the section's header
  std::size_t count;
  const char* column;  // sorted by
};

// Sorts a section's rows by one column, largest first, as a spreadsheet does.
void sort_rows(TableJob& job, const Rows& rows) {
  std::vector<std::pair<std::int32_t, std::string>> sorted;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const std::size_t line = rows.header + 1 + i;
    sorted.emplace_back(read_cell_value(job.cell(rows.header, line, rows.column), decimal_cell).value_or(0),
                        job.lines[line]);
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < rows.count; ++i) job.lines[rows.header + 1 + i] = sorted[i].second;
}

// The start of a message about a line of a file: "monster.csv 9行目".
std::string at(const char* file, std::size_t line) {
  return Report::format(msg::at_line.text, file, static_cast<int>(line));
}

bool starts_with(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

}  // namespace

TEST(FixedRows, SortedFilesBuildTheSameRom) {
  const std::vector<std::pair<const char*, std::vector<Rows>>> files = {
      {"monster.csv", {{2, 320, "HP"}}},
      {"tech.csv", {{2, 220, "命中率"}, {224, 36, "技タイプ"}}},
  };
  for (const auto& [file, sections] : files) {
    TableJob job(file);
    for (const Rows& rows : sections) sort_rows(job, rows);
    ASSERT_NE(job.lines, job.extracted) << file;
    EXPECT_EQ(first_difference(job.rebuild(), job.input), -1) << file;
    EXPECT_TRUE(job.report.has(msg::rows_placed_by_id)) << file;
    EXPECT_EQ(job.report.warnings(), 0) << file << ": " << job.report.last();
  }
}

// Messages about a moved row name the line it stands on in the file.
TEST(FixedRows, MessagesFollowTheRowsTheyAreAbout) {
  TableJob job("monster.csv");
  sort_rows(job, {2, 320, "HP"});
  std::size_t line = monster_row;
  while (job.cell(2, line, "ID") != "0x05") ++line;
  job.set_cell(2, line, "縦サイズ", "17");
  const std::vector<std::uint8_t> out = job.rebuild();
  EXPECT_TRUE(starts_with(message_of(job.report, msg::value_clamped), at("monster.csv", line + 1)));
  EXPECT_EQ(out[0x26E400 + 5] >> 4, 15);
}

TEST(FixedRows, ARepeatedIdFallsBackToPositions) {
  TableJob job("monster.csv");
  job.lines[monster_row + 5].replace(0, 4, "0x04");
  std::swap(job.lines[monster_row + 10], job.lines[monster_row + 11]);
  const std::vector<std::uint8_t> out = job.rebuild();
  EXPECT_EQ(bytes_at(out, monster_stats + 25 * 10, 25),
            bytes_at(job.input, monster_stats + 25 * 11, 25));
  EXPECT_EQ(bytes_at(out, monster_stats + 25 * 11, 25),
            bytes_at(job.input, monster_stats + 25 * 10, 25));
  EXPECT_TRUE(starts_with(message_of(job.report, msg::row_id_mismatch),
                          at("monster.csv", monster_row + 6) + " ID: "));
  EXPECT_EQ(job.report.warnings(), 1);
}

TEST(FixedRows, ACommaOnlyRowIsAWarningAndKeepsTheImagesRow) {
  TableJob job("monster.csv");
  job.lines[monster_row + 7] = std::string(40, ',');
  const std::vector<std::uint8_t> out = job.rebuild();
  EXPECT_TRUE(
      starts_with(message_of(job.report, msg::blank_row), at("monster.csv", monster_row + 8)));
  EXPECT_EQ(job.report.warnings(), 1);
  EXPECT_EQ(first_difference(out, job.input), -1);
}
