#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "jobs/job.hpp"
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

// Writes go through a fresh file beside the target, which nothing at its name can redirect;
// afterwards the folder holds the target alone.
TEST(Platform, AtomicWritesCreateTheirTemporaryFileAnew) {
  TempDir dir;
  EXPECT_EQ(platform::temporary_name(dir.path("out.smc"), 42), dir.path("varbek-0000002a"));
  EXPECT_EQ(platform::temporary_name("out.smc", 0xFFFFFFFF), "varbek-ffffffff");
  const std::string long_name = dir.path(std::string(250, 'n') + ".smc");
  ASSERT_TRUE(platform::write_file_atomically(long_name, "ab", 2));
  ASSERT_TRUE(platform::write_file_atomically(long_name, "new", 3));
  EXPECT_EQ(read_sjis_file(long_name), "new");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.folder())) files += entry.exists();
  EXPECT_EQ(files, 1u);

  bool existed = false;
  EXPECT_FALSE(platform::create_new_file(long_name, existed));
  EXPECT_TRUE(existed);
  EXPECT_TRUE(platform::make_directories(dir.path("folder")));
  EXPECT_FALSE(platform::write_file_atomically(dir.path("folder"), "x", 1));
  EXPECT_TRUE(platform::is_directory(dir.path("folder")));
#ifndef _WIN32
  std::filesystem::create_symlink(long_name, dir.path("link"));
  std::filesystem::create_symlink(dir.path("nowhere"), dir.path("dangling"));
  for (const char* name : {"link", "dangling"}) {
    EXPECT_FALSE(platform::create_new_file(dir.path(name), existed));
    EXPECT_TRUE(existed);
  }
  EXPECT_EQ(read_sjis_file(long_name), "new");
  EXPECT_FALSE(file_exists(dir.path("nowhere")));
  ASSERT_EQ(mkfifo(dir.path("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(platform::write_file_atomically(dir.path("fifo"), "x", 1));
  EXPECT_EQ(platform::file_info(dir.path("fifo")).kind, platform::FileKind::other);
#endif
}

// Only regular files are read, and never one longer than asked for.
TEST(Platform, ReadsTakeRegularFilesOfBoundedSize) {
  TempDir dir;
  ASSERT_TRUE(put(dir.path("five"), "12345"));
  std::string contents;
  std::uint64_t size = 0;
  EXPECT_EQ(platform::read_regular_file(dir.path("five"), contents, 5, &size), platform::ReadResult::ok);
  EXPECT_EQ(contents, "12345");
  EXPECT_EQ(platform::read_regular_file(dir.path("five"), contents, 4, &size), platform::ReadResult::too_large);
  EXPECT_EQ(size, 5u);
  EXPECT_TRUE(contents.empty());
  EXPECT_EQ(platform::read_regular_file(dir.path("none"), contents, 5), platform::ReadResult::cannot_open);
  EXPECT_EQ(platform::read_regular_file(dir.folder(), contents, 5), platform::ReadResult::not_regular);
  EXPECT_TRUE(platform::same_file(platform::file_info(dir.path("five")),
                                  platform::file_info(dir.folder() + "." + sep + "five")));
  EXPECT_FALSE(platform::same_file(platform::file_info(dir.path("five")), platform::file_info(dir.folder())));
  EXPECT_FALSE(platform::same_file(platform::file_info(dir.path("none")), platform::file_info(dir.path("none"))));
#ifndef _WIN32
  // Opened without a writer, a FIFO would wait for ever.
  ASSERT_EQ(mkfifo(dir.path("fifo").c_str(), 0600), 0);
  EXPECT_EQ(platform::read_regular_file(dir.path("fifo"), contents, 5), platform::ReadResult::not_regular);
  std::filesystem::create_hard_link(dir.path("five"), dir.path("hard"));
  EXPECT_TRUE(platform::same_file(platform::file_info(dir.path("five")), platform::file_info(dir.path("hard"))));
#endif
}
