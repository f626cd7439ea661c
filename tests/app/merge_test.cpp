// -j: two mods of one image merged three-way by cell, text entry, song and other bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "jobs/merge_job.hpp"
#include "core/bps.hpp"
#include "core/ips.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct CellEdit {
  std::string file;
  std::string id;
  std::size_t column;
  std::string value;
};

// A byte outside every area, and its new value.
struct ByteEdit {
  std::size_t at;
  std::uint8_t value;
};

// The first wave byte of a song text, as two hex digits.
void set_wave_byte(const std::string& path, const char* hex) {
  std::vector<std::string> lines = split_lines(read_text(path));
  for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
    if (lines[i] != "Wave") continue;
    lines[i + 2].replace(1, 2, hex);
    break;
  }
  write_text(path, join_lines(lines));
}

std::string cell_of(const std::string& path, const std::string& id, std::size_t column) {
  const std::string value = set_cell(path, id, column, std::string());
  set_cell(path, id, column, value);
  return value;
}

// The image with its header's checksum words cleared: a mod whose bytes were set after its
// build has a stale one, which the merge makes right.
Bytes without_checksum(Bytes image) {
  for (const std::size_t words : {0xFFDC, 0x40FFDC}) std::fill_n(image.begin() + words, 4, 0);
  return image;
}

class Merge : public ::testing::Test {
 protected:
  void SetUp() override {
    write_sample(rom);
    ASSERT_EQ(extract(rom, csv, true), 0);
  }

  // A mod of the sample: the edits built from a copy of its extract, then the bytes set.
  std::string mod(const std::string& name, const std::vector<CellEdit>& cells, const std::vector<ByteEdit>& bytes = {},
                  const char* wave = nullptr, int song = 1) {
    const std::string folder = dir.path(name + "/");
    copy_files(csv, folder);
    for (const CellEdit& e : cells) set_cell(folder + e.file, e.id, e.column, e.value);
    if (wave) set_wave_byte(folder + (song == 1 ? "music01.txt" : "music02.txt"), wave);
    const std::string image = dir.path(name + ".smc");
    EXPECT_EQ(build(rom, image, folder, wave != nullptr), 0);
    Bytes built = read_bytes(image);
    for (const ByteEdit& e : bytes) built.at(e.at) = e.value;
    write_bytes(image, built);
    return image;
  }

  int merge(const std::string& a, const std::string& b, const std::string& options = "-j",
            Report* report = nullptr) {
    JobContext job;
    const int result = exit_code_of(run_job(job, {"varbek", options, rom, a, b, out}));
    if (report) *report = job.report;
    return result;
  }

  // The differences of two images as -x lists them; empty when they hold the same data.
  std::vector<std::string> differences(const std::string& a, const std::string& b, bool music = false) {
    const std::string list = dir.path("diff.csv");
    EXPECT_EQ(run_job({"varbek", music ? "-xm" : "-x", a, b, list}), JobResult::done);
    std::vector<std::string> lines = split_lines(read_text(list));
    lines.erase(lines.begin());
    return lines;
  }

  std::vector<std::string> conflicts() const {
    return split_lines(read_text(merge_conflicts_path(out)));
  }

  TempDir dir;
  const std::string rom = dir.path("in.smc");
  const std::string csv = dir.path("csv/");
  const std::string out = dir.path("out.smc");
};

const std::vector<CellEdit> edits_a = {{"item.csv", "0x01", 2, "123"}, {"event1.csv", "0x02", 1, "テスト"}};
const std::vector<CellEdit> edits_b = {{"item.csv", "0x02", 2, "77"}, {"event1.csv", "0x05", 1, "ことば"}};
const std::vector<ByteEdit> bytes_a = {{0x100, 0x11}};
const std::vector<ByteEdit> bytes_b = {{0x3FFFF0, 0x22}};

TEST_F(Merge, DifferentRowsEntriesAndBytesMergeCleanlyInEitherOrderFromImagesOrPatches) {
  const std::string a = mod("a", edits_a, bytes_a);
  const std::string b = mod("b", edits_b, bytes_b);
  std::vector<CellEdit> both_cells = edits_a;
  both_cells.insert(both_cells.end(), edits_b.begin(), edits_b.end());
  const std::string both = mod("both", both_cells, {bytes_a[0], bytes_b[0]});

  Report report;
  ASSERT_EQ(merge(a, b, "-j", &report), 0) << report.last();
  EXPECT_EQ(report.errors(), 0) << report.last();
  EXPECT_TRUE(differences(out, both).empty()) << differences(out, both).front();
  EXPECT_EQ(conflicts(), std::vector<std::string>{msg::merge_header});
  const Bytes merged = read_bytes(out);

  write_bytes(dir.path("a.bps"), bps_create(read_bytes(rom), read_bytes(a)));
  write_bytes(dir.path("b.ips"), ips_create(read_bytes(rom), read_bytes(b)));
  const struct {
    std::string a;
    std::string b;
  } orders[] = {{b, a}, {dir.path("a.bps"), dir.path("b.ips")}, {dir.path("b.ips"), a}};
  for (const auto& order : orders) {
    SCOPED_TRACE(order.a + " " + order.b);
    ASSERT_EQ(merge(order.a, order.b), 0);
    EXPECT_EQ(first_difference(read_bytes(out), merged), -1);
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir.folder())) {
    EXPECT_NE(entry.path().filename().string().rfind("varbek-", 0), 0u) << "scratch folder left";
  }
}

TEST_F(Merge, DifferentSongsMergeWithMusic) {
  const std::string a = mod("a", {}, {}, "11", 1);
  const std::string b = mod("b", {}, {}, "22", 2);
  const std::string both = dir.path("both.smc");
  copy_files(dir.path("a/"), dir.path("c/"));
  write_bytes(dir.path("c/music02.txt"), read_bytes(dir.path("b/music02.txt")));
  ASSERT_EQ(build(rom, both, dir.path("c/"), true), 0);
  ASSERT_EQ(merge(a, b, "-jm"), 0);
  EXPECT_TRUE(differences(out, both, true).empty()) << differences(out, both, true).front();

  const std::string c = mod("d", {}, {}, "33", 1);
  std::filesystem::remove(out);
  EXPECT_EQ(merge(a, c, "-jm"), 1);
  EXPECT_FALSE(file_exists(out));
  ASSERT_EQ(conflicts().size(), 2u);
  EXPECT_EQ(conflicts()[1].rfind("music01.txt,0x01,曲,", 0), 0u) << conflicts()[1];
}

TEST_F(Merge, OneCellEditedDifferentlyIsAConflictUnlessASideIsChosen) {
  const std::string a = mod("a", {{"item.csv", "0x01", 2, "123"}, {"item.csv", "0x03", 2, "5"}}, {{0x100, 0x11}});
  const std::string b = mod("b", {{"item.csv", "0x01", 2, "99"}}, {{0x100, 0x22}});
  char byte[4];
  std::snprintf(byte, sizeof byte, "%02X", read_bytes(rom).at(0x100));
  const std::string original = cell_of(csv + "item.csv", "0x01", 2);

  const JobOutcome outcome = run_reported_job({"varbek", "-j", rom, a, b, out}, dir.folder());
  EXPECT_EQ(exit_code_of(outcome), 1);
  EXPECT_FALSE(file_exists(out));
  const std::string named =
      Report::format(msg::merge_conflict.text, "item.csv", "0x01", "値段", original, "123", "99");
  EXPECT_NE(outcome.text.find(named), std::string::npos) << outcome.text;
  EXPECT_NE(read_text(merge_log_path(out)).find(named), std::string::npos);
  EXPECT_EQ(conflicts(), (std::vector<std::string>{msg::merge_header, "item.csv,0x01,値段," + original + ",123,99",
                                                   std::string("その他,0x000100,1,") + byte + ",11,22"}));

  Report report;
  for (const char* side : {"-jA", "-jB"}) {
    SCOPED_TRACE(side);
    EXPECT_EQ(merge(a, b, side, &report), 0);
    EXPECT_TRUE(report.has(msg::merge_conflict_chosen));
    const std::string folder = dir.path(std::string(side) + "/");
    ASSERT_EQ(extract(out, folder), 0);
    EXPECT_EQ(cell_of(folder + "item.csv", "0x01", 2), side[2] == 'A' ? "123" : "99");
    EXPECT_EQ(cell_of(folder + "item.csv", "0x03", 2), "5");  // A's other edit is in either way
    EXPECT_EQ(read_bytes(out).at(0x100), side[2] == 'A' ? 0x11 : 0x22);
  }
}

TEST_F(Merge, TextsThatFitAloneButNotTogetherAreAnErrorNamingTheBank) {
  std::string kana;
  for (int i = 0; i < 400; ++i) kana += "あいう";
  const std::string a = mod("a", {{"event1.csv", "0x02", 1, kana}});
  const std::string b = mod("b", {{"event1.csv", "0x05", 1, kana}});
  Report report;
  ASSERT_EQ(merge(a, rom, "-j", &report), 0);  // each fits alone
  EXPECT_EQ(report.errors(), 0);
  std::filesystem::remove(out);
  EXPECT_EQ(merge(a, b, "-jA", &report), 1);
  EXPECT_TRUE(report.has(msg::event_bank_overflow)) << report.last();
  EXPECT_TRUE(report.has(msg::merge_build_failed));
  EXPECT_FALSE(file_exists(out));
}

TEST_F(Merge, TheCommandLineTakesFourPathsAndOneSide) {
  for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
           {"varbek", "-j", rom, rom, out}, {"varbek", "-jAB", rom, rom, rom, out}, {"varbek", "-jp", rom, rom, rom, out}}) {
    EXPECT_EQ(exit_code_of(run_reported_job(line, dir.folder())), 2) << line[1];
  }
  EXPECT_EQ(run_job({"varbek", "-j", rom, rom, rom, rom}), JobResult::refused);
  write_bytes(dir.path("x-conflicts.csv"), read_bytes(rom));
  EXPECT_EQ(run_job({"varbek", "-j", rom, dir.path("x-conflicts.csv"), rom, dir.path("x.smc")}), JobResult::refused);
}

// Random edits of cells (each a value its column already holds elsewhere, so the build takes
// it), of event entries and of bytes outside every area: merging is symmetric, and a mod
// merged with itself or with the original gives that mod.
TEST_F(Merge, RandomEditsMergeSymmetricallyAndAModWithItselfOrTheOriginalIsThatMod) {
  const struct {
    const char* file;
    std::size_t column;
  } pool[] = {{"item.csv", 2}, {"monster.csv", 17}, {"event1.csv", 1}};
  std::mt19937 random(24);
  const auto edits = [&] {
    std::vector<CellEdit> cells;
    for (int i = 0; i < 4; ++i) {
      const auto& p = pool[random() % 3];
      char id[8];
      std::snprintf(id, sizeof id, "0x%02X", static_cast<unsigned>(random() % 8));
      char other[8];
      std::snprintf(other, sizeof other, "0x%02X", static_cast<unsigned>(8 + random() % 8));
      cells.push_back({p.file, id, p.column, cell_of(csv + p.file, other, p.column)});
    }
    return cells;
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const std::string n = std::to_string(round);
    const std::string a = mod("a" + n, edits(), {{0x200 + random() % 4, static_cast<std::uint8_t>(random())}});
    const std::string b = mod("b" + n, edits(), {{0x200 + random() % 4, static_cast<std::uint8_t>(random())}});
    const int ab = merge(a, b);
    EXPECT_EQ(merge(b, a), ab);
    ASSERT_EQ(merge(a, b, "-jA"), 0);
    const Bytes a_first = read_bytes(out);
    ASSERT_EQ(merge(b, a, "-jB"), 0);
    EXPECT_EQ(first_difference(read_bytes(out), a_first), -1);
    for (const auto& [x, y] : {std::pair{a, a}, std::pair{a, rom}, std::pair{rom, a}}) {
      ASSERT_EQ(merge(x, y), 0);
      EXPECT_EQ(first_difference(without_checksum(read_bytes(out)), without_checksum(read_bytes(a))), -1);
    }
  }
}

TEST(MergeTableText, RowsByIdCellsByColumnAndListRowsWhole) {
  const std::string header = ",表\r\n\r\nID,名前,値,\r\n";
  const struct {
    const char* original;
    const char* a;
    const char* b;
    bool whole_rows;
    const char* merged;
    std::vector<std::vector<std::string>> conflicts;  // file, ID, column, original, A, B
  } cases[] = {
      {"0x00,あ,1,\r\n0x01,い,2,\r\n", "0x00,あ,5,\r\n0x01,い,2,\r\n", "0x00,う,1,\r\n0x01,い,3,\r\n", false,
       "0x00,う,5,\r\n0x01,い,3,\r\n", {}},
      {"0x00,あ,1,\r\n", "0x00,あ,5,\r\n", "0x00,あ,6,\r\n", false, "0x00,あ,5,\r\n", {{"t", "0x00", "値", "1", "5", "6"}}},
      {"0x00,1,2,\r\n", "0x00,1,5,\r\n", "0x00,7,2,\r\n", true, "0x00,1,5,\r\n", {{"t", "0x00", "行全体", "1,2", "1,5", "7,2"}}},
      // A row one mod adds goes after its section's rows; one it removes goes.
      {"0x00,あ,1,\r\n0x01,い,2,\r\n", "0x00,あ,1,\r\n0x01,い,2,\r\n0x02,う,3,\r\n", "0x01,い,2,\r\n", false,
       "0x01,い,2,\r\n0x02,う,3,\r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.merged);
    MergeResult result;
    EXPECT_EQ(merge_table_text("t", header + c.original, header + c.a, header + c.b, c.whole_rows, result),
              header + c.merged);
    std::vector<std::vector<std::string>> conflicts;
    for (const MergeConflict& m : result.conflicts) conflicts.push_back({m.file, m.id, m.column, m.original, m.a, m.b});
    EXPECT_EQ(conflicts, c.conflicts);
  }
}

}  // namespace
