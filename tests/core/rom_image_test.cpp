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
  RomImage rom;
  Report report;
};

}  // namespace

// Both probes holding the title: the first one wins. A copier header moves both by 512 bytes.
TEST_F(RomFixture, TitleProbesDecideTheShift) {
  struct Case {
    std::size_t size, title_at;
    bool title_also_at_7fc0;
    std::uint32_t shift;
  };
  for (const Case& c : {Case{0x400000, 0xFFC0, false, 0}, Case{0x408000, 0x7FC0, false, 0x8000},
                        Case{0x400000, 0xFFC0, true, 0}, Case{0x400200, 0x101C0, false, 0x200},
                        Case{0x408200, 0x81C0, false, 0x8200}}) {
    std::vector<std::uint8_t> bytes = image_with_title(c.size, c.title_at, 0);
    if (c.title_also_at_7fc0) std::memcpy(&bytes[0x7FC0], "VELDORANEMYTHOS", 15);
    write_bytes(path, bytes);
    report = Report();
    ASSERT_EQ(rom_open(rom, path, false, report), Status::ok) << c.title_at;
    EXPECT_EQ(rom.shift, c.shift) << c.title_at;
    EXPECT_EQ(rom.copier_header, c.shift & 0x200) << c.title_at;
    EXPECT_EQ(report.has(msg::copier_header), rom.copier_header != 0) << c.title_at;
    EXPECT_EQ(report.errors() + report.warnings(), 0) << c.title_at;
    std::uint8_t b = 0;
    ASSERT_EQ(rom_read(rom, &b, 0x3E0000, 1), 1u);
    EXPECT_EQ(b, bytes[0x3E0000 + c.shift]) << c.title_at;
  }
}

// A title 512 bytes in is a copier header only when the file's size says so.
TEST_F(RomFixture, RefusesOtherGamesMisplacedTitlesMissingAndShortFiles) {
  std::vector<std::uint8_t> other = image_with_title(0x400000, 0xFFC0, 0);
  other[0xFFC0] = 'X';
  const std::pair<std::vector<std::uint8_t>, const Message*> refused[] = {
      {other, &msg::unknown_rom},
      {image_with_title(0x400000, 0x101C0, 0), &msg::unknown_rom},
      {std::vector<std::uint8_t>(100, 0x41), &msg::unknown_rom},
      {image_with_title(0x20000, 0xFFC0, 0), &msg::rom_too_small},
      {image_with_title(0x20200, 0x101C0, 0), &msg::rom_too_small},
  };
  for (const auto& [bytes, message] : refused) {
    write_bytes(path, bytes);
    report = Report();
    EXPECT_EQ(rom_open(rom, path, false, report), Status::failed) << bytes.size();
    EXPECT_EQ(report.last(), Report::format(msg::error_label.text, message->text)) << bytes.size();
    EXPECT_FALSE(rom.open);
  }
  EXPECT_EQ(rom_open(rom, dir.path("missing.smc"), false, report), Status::failed);
  EXPECT_NE(report.last().find("missing.smc"), std::string::npos);
  EXPECT_EQ(rom_open(rom, dir.folder(), false, report), Status::failed);
  EXPECT_TRUE(report.has(msg::cannot_open));
}

TEST_F(RomFixture, VersionCodeNeedsRevisionOneAndMoreThanFourMegabytes) {
  struct Case {
    std::size_t size;
    std::uint8_t revision;
    int code;
  };
  for (const Case& c : {Case{0x400001, 1, 1}, Case{0x400000, 1, 0}, Case{0x600000, 0, 0}}) {
    write_bytes(path, image_with_title(c.size, 0xFFC0, c.revision));
    ASSERT_EQ(rom_open(rom, path, false, report), Status::ok);
    EXPECT_EQ(rom_version_code(rom), c.code) << c.size;
  }
  // The copier header does not count.
  write_bytes(path, image_with_title(0x400200, 0x101C0, 1));
  ASSERT_EQ(rom_open(rom, path, false, report), Status::ok);
  EXPECT_EQ(rom_version_code(rom), 0);
}

TEST_F(RomFixture, ReadsComeFromTheInputEvenAfterWrites) {
  const std::vector<std::uint8_t> input = image_with_title(0x400000, 0xFFC0, 0);
  write_bytes(path, input);
  ASSERT_EQ(rom_open(rom, path, true, report), Status::ok);
  const std::uint8_t patch[2] = {0xAA, 0xBB};
  rom_write(rom, patch, 0x100000, 2);
  std::uint8_t back[2] = {};
  rom_read(rom, back, 0x100000, 2);
  EXPECT_EQ(back[0], input[0x100000]);
  // Past the end: reads fall short and keep the destination, writes are clipped.
  std::uint8_t tail[4] = {9, 9, 9, 9};
  EXPECT_EQ(rom_read(rom, tail, 0x3FFFFE, 4), 2u);
  EXPECT_EQ(tail[2], 9);
  rom_write(rom, patch, 0x3FFFFF, 2);
  rom_write(rom, patch, 0x500000, 2);
  ASSERT_EQ(rom_save(rom, dir.path("out.smc"), report), Status::ok);
  const std::vector<std::uint8_t> out = read_bytes(dir.path("out.smc"));
  ASSERT_EQ(out.size(), input.size());
  EXPECT_EQ(out[0x100000], 0xAA);
  EXPECT_EQ(out[0x3FFFFF], 0xAA);
}

TEST_F(RomFixture, SavingOverTheInputIsSafeAndAFailedSaveLeavesNothing) {
  write_bytes(path, image_with_title(0x400000, 0xFFC0, 0));
  ASSERT_EQ(rom_open(rom, path, true, report), Status::ok);
  const std::uint8_t patch = 0x42;
  rom_write(rom, &patch, 0x200000, 1);
  ASSERT_EQ(rom_save(rom, path, report), Status::ok);
  EXPECT_EQ(read_bytes(path)[0x200000], 0x42);

  const std::string bad = dir.path("no-such-folder/out.smc");
  EXPECT_EQ(rom_save(rom, bad, report), Status::failed);
  EXPECT_NE(report.last().find("out.smc"), std::string::npos);
  EXPECT_FALSE(file_exists(bad));
}
