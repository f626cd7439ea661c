#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/job.hpp"
#include "core/files.hpp"
#include "core/platform.hpp"
#include "test_support.hpp"

namespace {

constexpr char sep = platform::native_separator;

bool put(const std::string& path, const std::string& bytes) {
  platform::File f = platform::open_file(path, "wb");
  return f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

}  // namespace

// "表" and "ソ" end in the byte 0x5C, a backslash when read as single bytes.
TEST(Platform, ShiftJisNamesNameTheSameFileEveryTime) {
  TempDir dir;
  const std::string folder = dir.folder() + "表ソフト" + sep + "能力 表" + sep;
  ASSERT_TRUE(platform::make_directories(folder));
  EXPECT_TRUE(platform::is_directory(folder));
  EXPECT_TRUE(platform::is_directory(dir.folder() + "表ソフト"));
  EXPECT_FALSE(platform::is_directory(dir.folder() + "表"));

  ASSERT_TRUE(put(folder + "予定表.csv", "a\r\nb\r\n"));
  EXPECT_EQ(read_sjis_file(folder + "予定表.csv"), "a\r\nb\r\n");
  EXPECT_EQ(csv_folder_of(folder + "予定表.csv"), folder);
  EXPECT_EQ(csv_folder_of(dir.folder() + "表ソフト"), dir.folder() + "表ソフト" + sep);
}

TEST(Platform, ReplaceRemoveAndFailures) {
  TempDir dir;
  ASSERT_TRUE(put(dir.path("new"), "new"));
  ASSERT_TRUE(put(dir.path("old"), "old and longer"));
  EXPECT_TRUE(platform::replace_file(dir.path("new"), dir.path("old")));
  EXPECT_EQ(read_sjis_file(dir.path("old")), "new");
  EXPECT_FALSE(file_exists(dir.path("new")));
  EXPECT_TRUE(platform::replace_file(dir.path("old"), dir.path("moved")));
  EXPECT_EQ(read_sjis_file(dir.path("moved")), "new");

  EXPECT_TRUE(platform::remove_file(dir.path("moved")));
  EXPECT_FALSE(platform::remove_file(dir.path("moved")));
  EXPECT_FALSE(platform::replace_file(dir.path("missing"), dir.path("other")));
  EXPECT_FALSE(platform::open_file(dir.path("missing"), "rb"));

  // A file stands where a folder should be.
  ASSERT_TRUE(put(dir.path("file"), "x"));
  EXPECT_FALSE(platform::make_directories(dir.path("file") + sep + "sub"));
  EXPECT_FALSE(platform::make_directories(dir.path("file")));
  EXPECT_FALSE(platform::is_directory(dir.path("file")));
  EXPECT_EQ(read_sjis_file(dir.path("file")), "x");
#ifndef _WIN32
  std::string endless;
  EXPECT_FALSE(platform::read_file("/dev/zero", endless));
#endif
}

TEST(Platform, PathsLongerThan259Bytes) {
  TempDir dir;
  std::string folder = dir.folder();
  for (int i = 0; i < 6; ++i) folder += std::string(50, static_cast<char>('a' + i)) + "表" + sep;
  ASSERT_GT(folder.size(), 300u);
  ASSERT_TRUE(platform::make_directories(folder));
  EXPECT_TRUE(platform::is_directory(folder));
  ASSERT_TRUE(put(folder + "x.tmp", "long"));
  EXPECT_TRUE(platform::replace_file(folder + "x.tmp", folder + "x.smc"));
  EXPECT_EQ(read_sjis_file(folder + "x.smc"), "long");
  EXPECT_TRUE(platform::remove_file(folder + "x.smc"));
}

TEST(Platform, CurrentDirectoryIsAFolder) {
  const std::string current = platform::current_directory();
  ASSERT_FALSE(current.empty());
  EXPECT_TRUE(platform::is_directory(current));
}
