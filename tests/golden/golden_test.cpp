#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "test_support.hpp"

// The sample's whole extract, music included, lies in tests/golden/sample: every file the
// program writes is compared with it line by line, and the files build the sample again.
// VARBEK_UPDATE_GOLDEN=1 writes the current extract there instead, for a change that is meant.
namespace {

namespace fs = std::filesystem;

const std::string golden_folder = VARBEK_SOURCE_DIR "/tests/golden/sample/";

std::set<std::string> files_in(const std::string& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "varbek.log") names.insert(name);
  }
  return names;
}

// The first line at which two texts differ, as a readable failure; empty when they agree.
std::string first_differing_line(const std::string& name, const std::string& expected,
                                 const std::string& actual) {
  const std::vector<std::string> want = split_lines(expected);
  const std::vector<std::string> got = split_lines(actual);
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    const std::string a = i < want.size() ? want[i] : "(no line)";
    const std::string b = i < got.size() ? got[i] : "(no line)";
    if (a != b) return name + ":" + std::to_string(i + 1) + "\n  golden:  " + a + "\n  written: " + b;
  }
  if (expected == actual) return {};
  // Same lines, other bytes: the line ends differ, first on the line named.
  const auto at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first;
  const auto line = 1 + std::count(expected.begin(), at, '\n');
  return name + ":" + std::to_string(line) + ": the line ends differ";
}

class Golden : public ::testing::Test {
 protected:
  void SetUp() override {
    write_sample(rom);
    ASSERT_EQ(extract(rom, folder, true), 0);
  }
  TempDir dir;
  std::string rom = dir.path("sample.smc");
  std::string folder = dir.path("csv") + "/";
};

TEST_F(Golden, ExtractWritesTheGoldenFiles) {
  if (std::getenv("VARBEK_UPDATE_GOLDEN")) {
    fs::remove_all(golden_folder);
    fs::create_directories(golden_folder);
    for (const std::string& name : files_in(folder)) fs::copy_file(folder + name, golden_folder + name);
    GTEST_SKIP() << "golden files written to " << golden_folder;
  }
  const std::set<std::string> golden = files_in(golden_folder);
  EXPECT_EQ(files_in(folder), golden);
  for (const std::string& name : golden) {
    if (!file_exists(folder + name)) continue;
    const std::string difference =
        first_differing_line(name, read_text(golden_folder + name), read_text(folder + name));
    EXPECT_TRUE(difference.empty()) << difference;
  }
}

TEST_F(Golden, GoldenFilesBuildTheSample) {
  // A copy, as a build leaves its log in the folder.
  const std::string copy = dir.path("golden") + "/";
  fs::create_directories(copy);
  for (const std::string& name : files_in(golden_folder)) fs::copy_file(golden_folder + name, copy + name);
  const std::string out = dir.path("rebuilt.smc");
  ASSERT_EQ(build(rom, out, copy, true), 0);
  const long at = first_difference(read_bytes(rom), read_bytes(out));
  EXPECT_EQ(at, -1) << "first differing byte at 0x" << std::hex << at;
}

}  // namespace
