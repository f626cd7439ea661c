// Files as spreadsheets save them: every form must build the ROM the untouched files build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "core/report.hpp"
#include "core/text_encoding.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
// A file's new text from its name and its text.
using Transform = std::function<std::string(const std::string&, const std::string&)>;

std::string with_line_ends(const std::string& text, const std::string& end) {
  std::string out;
  for (const std::string& line : split_lines(text)) out += line + end;
  return out;
}

// Every line padded with commas to as many cells as the file's widest line has.
std::string padded(const std::string& text) {
  const std::vector<std::string> lines = split_lines(text);
  std::size_t widest = 0;
  for (const std::string& line : lines) {
    widest = std::max<std::size_t>(widest, static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')));
  }
  std::string out;
  for (const std::string& line : lines) {
    const auto commas = static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
    out += line + std::string(widest - commas, ',') + "\r\n";
  }
  return out;
}

// Trailing commas dropped, as a spreadsheet drops empty trailing cells.
std::string trimmed(const std::string& text) {
  std::string out;
  for (std::string line : split_lines(text)) {
    while (!line.empty() && line.back() == ',') line.pop_back();
    out += line + "\r\n";
  }
  return out;
}

class SpreadsheetFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    write_sample(rom);
    ASSERT_EQ(extract(rom, dir.path("original/"), true), 0);
    ASSERT_EQ(build(rom, dir.path("original.smc"), dir.path("original/"), true), 0);
    expected = read_bytes(dir.path("original.smc"));
  }

  // Every file of the extract saved through `transform` into its own folder, then built.
  std::vector<std::uint8_t> build_transformed(const std::string& name, const Transform& transform,
                                              Report* report = nullptr) {
    const std::string folder = dir.path(name + "/");
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(dir.path("original"))) {
      const std::string file = entry.path().filename().string();
      if (file == "varbek.log") continue;
      write_text(folder + file, transform(file, read_text(entry.path().string())));
    }
    EXPECT_EQ(build(rom, dir.path(name + ".smc"), folder, true, report), 0) << name;
    return read_bytes(dir.path(name + ".smc"));
  }

  TempDir dir;
  const std::string rom = dir.path("sample.smc");
  std::vector<std::uint8_t> expected;
};

TEST_F(SpreadsheetFiles, EveryFormASpreadsheetSavesBuildsTheSameRom) {
  const std::vector<std::pair<std::string, Transform>> forms = {
      {"lf", [](const std::string&, const std::string& t) { return with_line_ends(t, "\n"); }},
      {"cr", [](const std::string&, const std::string& t) { return with_line_ends(t, "\r"); }},
      {"no-last-line-end", [](const std::string&, const std::string& t) { return t.substr(0, t.size() - 2); }},
      {"padded", [](const std::string&, const std::string& t) { return padded(t); }},
      {"trimmed", [](const std::string&, const std::string& t) { return trimmed(t); }},
      {"utf8", [](const std::string&, const std::string& t) { return text_encoding::sjis_to_utf8(t); }},
      {"utf8-bom", [](const std::string&, const std::string& t) { return text_encoding::sjis_to_utf8_with_bom(t); }},
  };
  for (const auto& [name, transform] : forms) {
    Report report;
    EXPECT_EQ(first_difference(build_transformed(name, transform, &report), expected), -1) << name;
    EXPECT_EQ(report.warnings() + report.errors(), 0) << name << ": " << report.last();
  }
}

TEST_F(SpreadsheetFiles, AUtf8ExtractBuildsTheSameRom) {
  Report report;
  ASSERT_EQ(run_job({"varbek", "-am", "-u", rom, dir.path("utf8/")}), JobResult::done);
  const std::string monsters = read_text(dir.path("utf8/monster.csv"));
  EXPECT_TRUE(text_encoding::has_utf8_bom(monsters));
  EXPECT_NE(monsters.find("\r\n"), std::string::npos);
  ASSERT_EQ(build(rom, dir.path("utf8.smc"), dir.path("utf8/"), true, &report), 0);
  EXPECT_EQ(first_difference(read_bytes(dir.path("utf8.smc")), expected), -1);
}

// A half-width name lands as its full-width form and moves no other cell of its row.
TEST_F(SpreadsheetFiles, HalfWidthKanaChangeOnlyTheirName) {
  const std::string half = text_encoding::utf8_to_sjis(u8"ｺﾞﾌﾞﾘ");
  const std::string full = text_encoding::utf8_to_sjis(u8"ゴブリ");
  auto rename = [&](const std::string& name) {
    return [name](const std::string& file, const std::string& text) {
      if (file != "monster.csv") return text;
      std::vector<std::string> lines = split_lines(text);
      for (std::string& line : lines) {
        if (line.rfind("0x05,", 0) == 0) line = "0x05," + name + line.substr(line.find(',', 5));
      }
      return join_lines(lines);
    };
  };
  const auto from_half = build_transformed("half", rename(half));
  const auto from_full = build_transformed("full", rename(full));
  EXPECT_EQ(first_difference(from_half, from_full), -1);
  int changed = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) changed += from_half[i] != expected[i];
  EXPECT_GT(changed, 0);
  EXPECT_LE(changed, 8 + 4);  // the 8-byte name slot, and the header checksum
}

TEST(SpreadsheetPaths, AHalfWidthKanaFolderIsAFolder) {
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const std::string folder = dir.path(text_encoding::utf8_to_sjis(u8"ｱ"));
  ASSERT_EQ(run_job({"varbek", "-a", dir.path("sample.smc"), folder + "/x.txt"}), JobResult::done);
  EXPECT_FALSE(read_sjis_file(folder + "/monster.csv").empty());
}

}  // namespace
