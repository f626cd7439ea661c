#include <gtest/gtest.h>

#include <cstring>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "test_support.hpp"

namespace {

std::vector<std::uint8_t> image_with_title(std::size_t size, std::size_t title_at, std::uint8_t revision) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
  std::memcpy(&bytes[title_at], "VELDORANEMYTHOS      ", 21);
  bytes[title_at + 27] = revision;
  return bytes;
}

struct RomFixture : ::testing::Test {
  TempDir dir;
  std::string path = dir.path("rom.smc");
  void TearDown() override { rom_close(); }
};

}  // namespace

// Both probes holding the title: the first one wins.
TEST_F(RomFixture, TitleProbesDecideTheShift) {
  struct Case {
    std::size_t size, title_at;
    bool title_also_at_7fc0;
    std::uint32_t shift;
  };
  for (const Case& c : {Case{0x400000, 0xFFC0, false, 0}, Case{0x408000, 0x7FC0, false, 0x8000},
                        Case{0x400000, 0xFFC0, true, 0}}) {
    std::vector<std::uint8_t> bytes = image_with_title(c.size, c.title_at, 0);
    if (c.title_also_at_7fc0) std::memcpy(&bytes[0x7FC0], "VELDORANEMYTHOS", 15);
    write_bytes(path, bytes);
    ASSERT_EQ(rom_open(path, false), 0) << c.title_at;
    EXPECT_EQ(rom_state().shift, c.shift) << c.title_at;
    std::uint8_t b = 0;
    ASSERT_EQ(rom_read(&b, 0x3E0000, 1), 1u);
    EXPECT_EQ(b, bytes[0x3E0000 + c.shift]) << c.title_at;
  }
}

TEST_F(RomFixture, RefusesOtherGamesCopierHeadersMissingAndShortFiles) {
  std::vector<std::uint8_t> other = image_with_title(0x400000, 0xFFC0, 0);
  other[0xFFC0] = 'X';
  std::vector<std::uint8_t> copier(512, 0);
  const std::vector<std::uint8_t> body = image_with_title(0x400000, 0xFFC0, 0);
  copier.insert(copier.end(), body.begin(), body.end());
  const std::pair<std::vector<std::uint8_t>, const char*> refused[] = {
      {other, msg::unknown_rom},
      {copier, msg::unknown_rom},
      {std::vector<std::uint8_t>(100, 0x41), msg::unknown_rom},
      {image_with_title(0x20000, 0xFFC0, 0), msg::rom_too_small},
  };
  for (const auto& [bytes, message] : refused) {
    write_bytes(path, bytes);
    EXPECT_EQ(rom_open(path, false), 1) << bytes.size();
    EXPECT_EQ(last_message(), message) << bytes.size();
  }
  EXPECT_EQ(rom_open(dir.path("missing.smc"), false), 1);
  EXPECT_NE(last_message().find("missing.smc"), std::string::npos);
}

TEST_F(RomFixture, VersionCodeNeedsRevisionOneAndMoreThanFourMegabytes) {
  struct Case {
    std::size_t size;
    std::uint8_t revision;
    int code;
  };
  for (const Case& c : {Case{0x400001, 1, 1}, Case{0x400000, 1, 0}, Case{0x600000, 0, 0}}) {
    write_bytes(path, image_with_title(c.size, 0xFFC0, c.revision));
    ASSERT_EQ(rom_open(path, false), 0);
    EXPECT_EQ(rom_version_code(), c.code) << c.size;
  }
}

TEST_F(RomFixture, ReadsComeFromTheInputEvenAfterWrites) {
  const std::vector<std::uint8_t> input = image_with_title(0x400000, 0xFFC0, 0);
  write_bytes(path, input);
  ASSERT_EQ(rom_open(path, true), 0);
  const std::uint8_t patch[2] = {0xAA, 0xBB};
  rom_write(patch, 0x100000, 2);
  std::uint8_t back[2] = {};
  rom_read(back, 0x100000, 2);
  EXPECT_EQ(back[0], input[0x100000]);
  // Past the end: reads fall short and keep the destination, writes are clipped.
  std::uint8_t tail[4] = {9, 9, 9, 9};
  EXPECT_EQ(rom_read(tail, 0x3FFFFE, 4), 2u);
  EXPECT_EQ(tail[2], 9);
  rom_write(patch, 0x3FFFFF, 2);
  rom_write(patch, 0x500000, 2);
  ASSERT_EQ(rom_save(dir.path("out.smc")), 0);
  const std::vector<std::uint8_t> out = read_bytes(dir.path("out.smc"));
  ASSERT_EQ(out.size(), input.size());
  EXPECT_EQ(out[0x100000], 0xAA);
  EXPECT_EQ(out[0x3FFFFF], 0xAA);
}

TEST_F(RomFixture, SavingOverTheInputIsSafeAndAFailedSaveLeavesNothing) {
  write_bytes(path, image_with_title(0x400000, 0xFFC0, 0));
  ASSERT_EQ(rom_open(path, true), 0);
  const std::uint8_t patch = 0x42;
  rom_write(&patch, 0x200000, 1);
  ASSERT_EQ(rom_save(path), 0);
  EXPECT_EQ(read_bytes(path)[0x200000], 0x42);

  const std::string bad = dir.path("no-such-folder/out.smc");
  EXPECT_EQ(rom_save(bad), 1);
  EXPECT_NE(last_message().find("out.smc"), std::string::npos);
  EXPECT_FALSE(file_exists(bad));
}
