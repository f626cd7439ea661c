#include <gtest/gtest.h>

#include "core/report.hpp"
#include "tables/action_patterns.hpp"
#include "table_job.hpp"

namespace {

struct ActionPatterns : TableTest {
  ActionPatterns() : TableTest("monster_ptn.csv") {}
};

// Line numbers of the first data row of each section.
constexpr std::size_t patterns = 3, two_action = 3 + 256 + 2, drops = two_action + 32 + 2;

}  // namespace

TEST_F(ActionPatterns, RoundTrip) {
  EXPECT_EQ(first_difference(rebuild(), input), -1);
}

TEST_F(ActionPatterns, EditsLandWhereTheRowsSay) {
  lines[patterns + 5] = "5,0x11,1F,31,0x1FF,0,0,0,0,";  // hex with and without prefix
  lines[two_action + 1] = "1,0x12345,";              // clamped to 0xFFFF
  lines[drops + 2] = "2,0xFD,0xFE,1,2,300,";       // money 300 is clamped to 255
  lines[drops + 3] = "3,0,0,0,0,0x10,";            // money is decimal: 0x10 is named
  std::swap(lines[patterns + 10], lines[patterns + 11]);  // placed back by their IDs
  const std::vector<std::uint8_t> out = rebuild();

  const std::size_t p5 = 0x3E5ECB + 8 * 5;
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + p5, out.begin() + p5 + 8),
            (std::vector<std::uint8_t>{0x11, 0x1F, 0x31, 0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(out[0x3E66CB + 2], 0xFF);
  EXPECT_EQ(out[0x3E66CB + 3], 0xFF);
  EXPECT_EQ(out[0x3E678B + 10 + 4], 255);
  EXPECT_EQ(report.warnings(), 4);  // 0x1FF, 0x12345, 300 and 0x10
  EXPECT_TRUE(report.has(msg::cell_unreadable));
  EXPECT_EQ(out[0x3E678B + 10], 0xFD);
  EXPECT_EQ(out[0x3E678B + 15 + 4], input[0x3E678B + 15 + 4]);
  EXPECT_EQ(bytes_at(out, 0x3E5ECB + 80, 16), bytes_at(input, 0x3E5ECB + 80, 16));
  EXPECT_TRUE(report.has(msg::rows_placed_by_id));
  // The gap between the two-action list and the drops is never touched.
  for (std::size_t i = 0x3E670B; i < 0x3E678B; ++i) ASSERT_EQ(out[i], input[i]);
}

TEST_F(ActionPatterns, AFileThatEndsEarlyIsNotStored) {
  lines.resize(drops + 10);
  lines[patterns] = "0,0,0,0,0,0,0,0,0,";
  write_lines();
  JobContext job;
  EXPECT_EQ(read_fixed_csv(job, folder, action_pattern_table()), nullptr);
  EXPECT_EQ(job.report.last(), Report::format("エラー: ファイル[%s]の行が足りません。このデータは書き込まれません", csv));
  EXPECT_EQ(first_difference(rebuild(), input), -1);
}

TEST_F(ActionPatterns, BadCellsNeverCrashAndKeepTheImagesValues) {
  lines[patterns] = "\"0,\"0x\x81,\"\"\",\x82\x82,,," + std::string(3000, ',') + "\x95";
  lines[patterns + 1] = std::string(10000, '"');
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[0x3E5ECB + 7], input[0x3E5ECB + 7]);
  EXPECT_EQ(out[0x3E5ECB + 8], input[0x3E5ECB + 8]);
}

TEST(Pipeline, ShiftedAndFourMegabyteImagesRoundTrip) {
  for (const SampleOptions& options : {SampleOptions{0x400000, false, 0}, SampleOptions{0x600000, true, 1}}) {
    TempDir dir;
    write_sample(dir.path("in.smc"), options);
    ASSERT_EQ(extract(dir.path("in.smc"), dir.path("csv")), 0);
    ASSERT_EQ(build(dir.path("in.smc"), dir.path("out.smc"), dir.path("csv")), 0);
    EXPECT_EQ(first_difference(read_bytes(dir.path("in.smc")), read_bytes(dir.path("out.smc"))), -1);
  }
}

TEST(Pipeline, ExtractCreatesTheFolderAndAMissingFileLeavesItsTable) {
  TempDir dir;
  write_bytes(dir.path("in.smc"), sample_image());
  ASSERT_EQ(extract(dir.path("in.smc"), dir.path("a/b/c/x.txt")), 0);
  ASSERT_TRUE(file_exists(dir.path("a/b/c/monster_ptn.csv")));
  TempDir empty;
  EXPECT_EQ(build(dir.path("in.smc"), dir.path("out.smc"), empty.folder()), 0);
  EXPECT_EQ(first_difference(read_bytes(dir.path("in.smc")), read_bytes(dir.path("out.smc"))), -1);
}

TEST(Pipeline, AFolderThatCannotBeCreatedFailsTheExtract) {
  TempDir dir;
  write_bytes(dir.path("in.smc"), sample_image());
  write_text(dir.path("file"), "");
  Report report;
  EXPECT_EQ(extract(dir.path("in.smc"), dir.path("file/sub/"), false, &report), 1);
  EXPECT_NE(report.last().find("sub"), std::string::npos);
}
