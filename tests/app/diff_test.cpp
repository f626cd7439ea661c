// -x: the differences of two images, the second given as an image or as a patch.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "jobs/diff_job.hpp"
#include "jobs/job.hpp"
#include "core/bps.hpp"
#include "core/ips.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Diff : public ::testing::Test {
 protected:
  void SetUp() override { write_sample(rom); }

  // The exit code of the job, the difference file's lines after its header in `lines`.
  int diff(const std::string& compared, std::vector<std::string>& lines, const Message* expected = nullptr) {
    JobContext job;
    const JobResult result = run_job(job, {"varbek", "-x", rom, compared, out});
    if (expected) {
      EXPECT_TRUE(job.report.has(*expected)) << job.report.last();
    }
    lines = file_exists(out) ? split_lines(read_text(out)) : std::vector<std::string>();
    if (!lines.empty()) {
      EXPECT_EQ(lines[0], msg::diff_header);
      lines.erase(lines.begin());
    }
    return exit_code_of(result);
  }

  // Only the inputs and the outputs the test made: the job's scratch folders are gone.
  bool scratch_left() const {
    for (const auto& entry : std::filesystem::directory_iterator(dir.folder())) {
      if (entry.path().filename().string().rfind("varbek-", 0) == 0) return true;
    }
    return false;
  }

  TempDir dir;
  const std::string rom = dir.path("in.smc");
  const std::string out = dir.path("diff.csv");
};

TEST_F(Diff, ABuildWithKnownEditsListsExactlyThoseFromTheImageAndFromItsPatches) {
  const std::string folder = dir.path("csv/");
  ASSERT_EQ(extract(rom, folder), 0);
  const struct {
    const char* file;
    const char* id;
    std::size_t column;
    const char* header;
    const char* value;
  } edits[] = {
      {"item.csv", "0x01", 2, "値段", "123"},
      {"monster.csv", "0x05", 17, "HP", "1234"},
      {"event1.csv", "0x02", 1, "データ", "テスト"},
  };
  std::vector<std::string> expected;
  for (const auto& e : edits) {
    const std::string old = set_cell(folder + e.file, e.id, e.column, e.value);
    expected.push_back(std::string(e.file) + "," + e.id + "," + e.header + "," + old + "," + e.value);
  }
  ASSERT_EQ(run_job({"varbek", "-m", "-p", rom, dir.path("built.smc"), folder}), JobResult::done);
  write_bytes(dir.path("built.ips"), ips_create(read_bytes(rom), read_bytes(dir.path("built.smc"))));
  for (const char* compared : {"built.smc", "built.bps", "built.ips"}) {
    SCOPED_TRACE(compared);
    std::vector<std::string> lines;
    EXPECT_EQ(diff(dir.path(compared), lines), 0);
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(scratch_left());
  }
  std::vector<std::string> none;
  EXPECT_EQ(diff(rom, none, &msg::diff_none), 0);
  EXPECT_TRUE(none.empty());
}

// A build or check lists, in its log, each cell, text and song it changed against the input
// image, and counts them in the final text; an unchanged one says only that.
TEST_F(Diff, ABuildListsWhatItChangedAndCountsIt) {
  const std::string folder = dir.path("csv/");
  ASSERT_EQ(extract(rom, folder, true), 0);
  const std::string unchanged = dir.path("same/");
  ASSERT_EQ(extract(rom, unchanged, true), 0);
  const std::string old_cell = set_cell(folder + "monster.csv", "0x05", 17, "1234");
  const std::string old_text = set_cell(folder + "event1.csv", "0x02", 1, "テスト");
  std::string song = read_text(folder + "music05.txt");
  const std::size_t song_size = song.size();
  song.insert(song.find("\r\n\r\nChannel6"), " 22");  // a byte more at the end of channel 5
  write_text(folder + "music05.txt", song);

  const std::vector<std::string> changes = {
      Report::format(msg::change_cell.text, "monster.csv", 9, "0x05", "HP", old_cell, "1234"),
      Report::format(msg::change_text.text, "event1.csv", 6, "0x02", old_text, "テスト"),
      Report::format(msg::change_song.text, "music05.txt", "0x05", std::to_string(song_size),
                     std::to_string(song_size + 3)),
  };
  const std::string counts =
      Report::format(msg::change_counts.text, "monster.csv 1 行、event1.csv 1 件、音楽 1 曲");
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> listed;
    std::string final_line;
  } cases[] = {
      {{"varbek", "-mm", rom, dir.path("built.smc"), folder}, changes, counts},
      {{"varbek", "-cm", rom, folder}, changes, counts},
      {{"varbek", "-m", rom, dir.path("same.smc"), unchanged}, {}, msg::change_none.text},
      {{"varbek", "-c", rom, unchanged}, {}, msg::change_none.text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    JobContext job;
    ASSERT_EQ(run_job(job, c.args), JobResult::done) << job.report.last();
    std::vector<std::string> listed;
    for (const ReportEntry& entry : job.report.entries()) {
      const std::string id = entry.id;
      if (id.rfind("change_", 0) != 0) continue;
      EXPECT_EQ(entry.severity, Severity::info) << id;
      if (id != "change_counts" && id != "change_none") listed.push_back(entry.text);
    }
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(job.report.final_text(), std::string(msg::success.text) + "\n" + c.final_line);
  }
  // The log holds the list, and the final text its counts.
  const JobOutcome outcome = run_reported_job({"varbek", "-mm", rom, dir.path("built.smc"), folder}, dir.folder());
  EXPECT_EQ(split_lines(outcome.text), (std::vector<std::string>{msg::success.text, counts}));
  const std::string log = read_text(folder + "varbek.log");
  for (const std::string& change : changes) EXPECT_NE(log.find(change + "\r\n"), std::string::npos) << change;
}

TEST_F(Diff, BytesOutsideEveryTableAreRangesButTheChecksumAndACopierHeaderAreNot) {
  Bytes image = read_bytes(rom);
  for (const std::size_t at : {0x100, 0x101, 0x3FFFF0, 0xFFDC, 0xFFDF}) image[at] ^= 0x5A;
  write_bytes(dir.path("other.smc"), image);
  std::vector<std::string> lines;
  EXPECT_EQ(diff(dir.path("other.smc"), lines), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"その他,0x000100,2,,", "その他,0x3FFFF0,1,,"}));

  Bytes headed = read_bytes(rom);
  headed.insert(headed.begin(), 512, 0);
  write_bytes(dir.path("headed.smc"), headed);
  EXPECT_EQ(diff(dir.path("headed.smc"), lines), 0);
  EXPECT_TRUE(lines.empty()) << lines.front();
}

TEST_F(Diff, WhatCannotBeComparedWritesNothing) {
  Bytes cut = read_bytes(rom);
  cut.resize(0x1000);
  write_bytes(dir.path("cut.smc"), cut);
  write_bytes(dir.path("broken.bps"), Bytes{'B', 'P', 'S', '1', 0, 0});
  write_bytes(dir.path("other.bps"), bps_create(cut, cut));
  const struct {
    std::string compared;
    const Message& message;
  } cases[] = {
      {dir.path("cut.smc"), msg::unknown_rom},
      {dir.path("broken.bps"), msg::patch_broken},
      {dir.path("other.bps"), msg::patch_wrong_source},
      {dir.path("missing.smc"), msg::cannot_open},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines;
    EXPECT_EQ(diff(c.compared, lines, &c.message), 1) << c.compared;
    EXPECT_FALSE(file_exists(out));
    EXPECT_FALSE(scratch_left());
  }
  // The scratch folders go beside the output, never into a folder made for them.
  EXPECT_EQ(run_job({"varbek", "-x", rom, rom, dir.path("no/such/diff.csv")}), JobResult::failed);
  EXPECT_FALSE(file_exists(dir.path("no")));
  EXPECT_EQ(run_job({"varbek", "-x", rom, dir.path("cut.smc"), rom}), JobResult::refused);
}

TEST(DiffTableText, RowsMatchByIdWithinTheirSectionAndCellsByHeader) {
  const std::string original =
      ",title,\r\n\r\nID,A,B,\r\n0x00,1,2,\r\n0x01,3,4,\r\n\r\nID,C,\r\n0x00,\"x,y\",\r\n,comment,\r\n";
  const std::string compared =
      ",title 2,\r\n\r\nID,A,B,\r\n0x01,3,5,\r\n0x00,1,2,\r\n0x02,6,,\r\n\r\nID,C,\r\n0x00,\"x,z\",\r\n";
  const std::vector<DiffLine> lines = diff_table_text("t.csv", original, compared);
  // The line is the compared side's.
  const std::vector<std::vector<std::string>> expected = {
      {"0x01", "B", "4", "5", "4"}, {"0x00", "C", "x,y", "x,z", "9"}, {"0x02", "A", "", "6", "6"}};
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ((std::vector<std::string>{lines[i].id, lines[i].column, lines[i].original, lines[i].compared,
                                        std::to_string(lines[i].line)}),
              expected[i]);
  }
}

}  // namespace
