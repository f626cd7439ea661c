#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "music/music.hpp"
#include "song_texts.hpp"
#include "test_support.hpp"

namespace {

using Image = std::vector<std::uint8_t>;

constexpr std::uint32_t base_start = 0xBA876;
constexpr std::uint32_t base_limit = 0xD0000;
constexpr std::uint32_t extended_start = 0x5E1DC0;

std::uint32_t word(const Image& image, std::uint32_t at) { return image[at] | image[at + 1] << 8; }

std::uint32_t pointer_entry(int song) {
  return song < 0x5C ? 0x60FC6 + 3 * song : 0x5E1960 + 3 * (song - 0x5C);
}

std::uint32_t block_of(const Image& image, int song) {
  const std::uint32_t at = pointer_entry(song);
  const std::uint32_t p = image[at] | image[at + 1] << 8 | image[at + 2] << 16;
  return song < 0x5C ? p - 0xC00000 : p;
}

std::uint32_t block_size(const Image& image, int song) {
  return word(image, block_of(image, song)) + 2;
}

// Header word k of a song's block: 0 length, 1 start, 2 end, 3-10 channels, 11-18 second.
std::uint32_t header(const Image& image, int song, int k) {
  return word(image, block_of(image, song) + 2 * static_cast<std::uint32_t>(k));
}

// A song text whose channel 1 holds `count` copies of `value`, sixteen to a line.
std::string channel_of(std::uint32_t count, const std::string& value) {
  std::string text = "Channel1\n";
  for (std::uint32_t i = 0; i < count; ++i) text += i % 16 == 15 ? value + "\n" : value;
  return text + "\n";
}

const Image& sample() {
  static const Image image = make_sample_rom();
  return image;
}

struct MusicRom : ::testing::Test {
  TempDir dir;
  std::string rom = dir.path("sample.smc");
  Image original = sample();

  Report report;  // of the last dump or rebuild

  void SetUp() override { write_bytes(rom, original); }

  std::string song_file(int song) const {
    char name[16];
    std::snprintf(name, sizeof name, "music%02X.txt", song);
    return dir.path(name);
  }
  void dump(const std::string& from, const std::string& folder) {
    JobContext job;
    ASSERT_EQ(rom_open(job.rom, from, false, job.report), Status::ok);
    dump_music(job, folder);
    report = std::move(job.report);
  }
  Image rebuild() {
    JobContext job;
    EXPECT_EQ(rom_open(job.rom, rom, true, job.report), Status::ok);
    rebuild_music(job, dir.folder());
    report = std::move(job.report);
    return job.rom.image;
  }
};

}  // namespace

TEST_F(MusicRom, DumpAndRebuildReproduceTheSongs) {
  dump(rom, dir.folder());
  ASSERT_TRUE(file_exists(song_file(0x7B)));
  const Image rebuilt = rebuild();
  ASSERT_EQ(rebuilt.size(), original.size());

  // The sample lies packed, so blocks and tables come back in place.
  std::uint32_t expected = base_start;
  bool wrapped = false;
  for (int song = 0; song < 0x7C; ++song) {
    if (song == 0x5C) expected = extended_start;
    ASSERT_EQ(block_of(rebuilt, song), expected) << song;
    expected += block_size(rebuilt, song);
    for (int k = 0; k < 19; ++k) EXPECT_EQ(header(rebuilt, song, k), header(original, song, k));
    for (int k = 3; k < 11; ++k) EXPECT_EQ(header(rebuilt, song, k), header(rebuilt, song, k + 8));
    wrapped = wrapped || header(original, song, 2) < header(original, song, 1);
  }
  EXPECT_TRUE(wrapped);

  // Jumps that leave their channel keep their targets: every byte comes back.
  EXPECT_EQ(first_difference(rebuilt, original), -1);
}

TEST_F(MusicRom, WhatTheTextCannotHoldIsNamedOnDump) {
  Image damaged = original;
  damaged[0x610DA + 2 * 3 + 1] = 0x12;          // song 0, wave 3: a word above 0xFF
  damaged[block_of(original, 1) + 22] ^= 0x01;  // song 1, channel 1's second address
  damaged[block_of(original, 2)] ^= 0x01;       // song 2's block length
  write_bytes(rom, damaged);
  dump(rom, dir.folder());
  std::vector<std::string> texts;
  for (const ReportEntry& entry : report.entries()) {
    if (entry.severity >= Severity::warning) texts.push_back(entry.text);
  }
  const auto rewritten = [](int song, const char* name, std::uint32_t was, std::uint32_t will) {
    char list[64];
    std::snprintf(list, sizeof list, "%s %04X→%04X", name, was, will);
    return Report::format(msg::music_header_rewritten.text, song, std::string(list));
  };
  const std::uint32_t second = header(damaged, 1, 11);
  const std::uint32_t length = header(damaged, 2, 0);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       rewritten(1, "チャンネル1の第2アドレス", second, second ^ 0x01),
                       rewritten(2, "ブロック長", length, length ^ 0x01)}));

  const Image rebuilt = rebuild();
  EXPECT_EQ(word(rebuilt, 0x610DA + 2 * 3), word(damaged, 0x610DA + 2 * 3));
  EXPECT_EQ(header(rebuilt, 1, 11), header(original, 1, 11));
  EXPECT_EQ(header(rebuilt, 2, 0), header(original, 2, 0));

  // A pointer that leads to the next song's block: both move, and the dump says so.
  damaged = original;
  for (int k = 0; k < 3; ++k) damaged[pointer_entry(3) + k] = original[pointer_entry(4) + k];
  write_bytes(rom, damaged);
  dump(rom, dir.folder());
  EXPECT_EQ(message_of(report, msg::music_block_moved),
            Report::format(msg::music_block_moved.text, 3, block_of(original, 4),
                           block_of(original, 3)));
}

TEST_F(MusicRom, MissingFileKeepsTheOldBlockMovedAndRebased) {
  dump(rom, dir.folder());
  std::filesystem::remove(song_file(0x05));
  // Three more bytes in song 3 move every later block.
  std::string text = read_text(song_file(0x03));
  const std::size_t wave = text.find("Channel");
  text.insert(text.find('\n', wave) + 1, " 01 02 03\r\n");
  write_text(song_file(0x03), text);

  const Image rebuilt = rebuild();
  const std::uint32_t old_at = block_of(original, 0x05);
  const std::uint32_t new_at = block_of(rebuilt, 0x05);
  ASSERT_EQ(new_at, old_at + 3);
  EXPECT_EQ(block_of(rebuilt, 0x06), block_of(original, 0x06) + 3);
  EXPECT_EQ(header(rebuilt, 0x05, 0), header(original, 0x05, 0));
  EXPECT_EQ(header(rebuilt, 0x05, 1), (new_at + 38) & 0xFFFF);
  for (int k = 2; k < 19; ++k) {
    EXPECT_EQ(header(rebuilt, 0x05, k), (header(original, 0x05, k) + 3) & 0xFFFF) << k;
  }
  const std::uint32_t size = block_size(original, 0x05);
  int moved_targets = 0;
  for (std::uint32_t i = 38; i < size; ++i) {
    if (rebuilt[new_at + i] == original[old_at + i]) continue;
    const bool low = word(rebuilt, new_at + i) == ((word(original, old_at + i) + 3) & 0xFFFF);
    const bool high =
        word(rebuilt, new_at + i - 1) == ((word(original, old_at + i - 1) + 3) & 0xFFFF);
    EXPECT_TRUE(low || high) << i;
    moved_targets += low ? 1 : 0;
  }
  EXPECT_GT(moved_targets, 0);
  for (std::uint32_t i = 0; i < 32; ++i)
    EXPECT_EQ(rebuilt[0x610DA + 32 * 5 + i], original[0x610DA + 32 * 5 + i]);
}

TEST_F(MusicRom, OverflowingRegionIsNotWrittenAtAll) {
  dump(rom, dir.folder());
  const std::uint32_t last = block_of(original, 0x5B);
  const std::uint32_t room = base_limit - last - 38;

  write_text(song_file(0x5B), whole_song(channel_of(room + 1, " 01")));
  EXPECT_EQ(rebuild(), original);
  EXPECT_EQ(message_of(report, msg::music_over_capacity), "0x5B番目のデータで容量を越えたので強制終了します");
  EXPECT_EQ(report.errors(), 1);

  write_text(song_file(0x5B), whole_song(channel_of(room, " 01")));
  const Image rebuilt = rebuild();
  EXPECT_EQ(block_of(rebuilt, 0x5B), last);
  EXPECT_EQ(header(rebuilt, 0x5B, 0), room + 36);
  EXPECT_EQ(rebuilt[base_limit - 1], 0x01);
  EXPECT_EQ(rebuilt[base_limit], original[base_limit]);
}

TEST_F(MusicRom, SongTooLongForItsHeaderWordsIsRefused) {
  // The extended region could hold it, but its length word cannot.
  dump(rom, dir.folder());
  write_text(song_file(0x5C), whole_song(channel_of(0x10000, " 02")));
  const Image rebuilt = rebuild();
  EXPECT_EQ(message_of(report, msg::music_over_capacity), "0x5C番目のデータで容量を越えたので強制終了します");
  for (std::uint32_t at = extended_start; at < 0x5FFDC0; ++at) ASSERT_EQ(rebuilt[at], original[at]);
}

TEST_F(MusicRom, ChannelsWithoutBytesPointAtTheEnd) {
  dump(rom, dir.folder());
  write_text(song_file(0x00), whole_song(""));
  write_text(song_file(0x01), whole_song("Channel2\n 01 02\n"));
  const Image rebuilt = rebuild();

  const std::uint32_t first = base_start;
  EXPECT_EQ(block_of(rebuilt, 0x00), first);
  EXPECT_EQ(header(rebuilt, 0x00, 0), 36u);
  for (int k = 1; k < 19; ++k) EXPECT_EQ(header(rebuilt, 0x00, k), (first + 38) & 0xFFFF) << k;

  const std::uint32_t second = first + 38;
  const std::uint32_t start = (second + 38) & 0xFFFF;
  EXPECT_EQ(block_of(rebuilt, 0x01), second);
  EXPECT_EQ(header(rebuilt, 0x01, 2), start + 2);
  EXPECT_EQ(header(rebuilt, 0x01, 4), start);
  EXPECT_EQ(header(rebuilt, 0x01, 3), start + 2);
  EXPECT_EQ(header(rebuilt, 0x01, 12), start);
  EXPECT_EQ(block_of(rebuilt, 0x02), second + 40);
}

TEST_F(MusicRom, JumpTargetsBecomeAbsoluteWithinTheirChannel) {
  dump(rom, dir.folder());
  write_text(song_file(0x00), whole_song("Channel1\n 01 F6 01 00 F5 07 33 00\n"
                                         "Channel2\n F6 02 00 01 F5 09\n"
                                         "Channel3\n 00 10\n"));
  const Image rebuilt = rebuild();
  const std::uint32_t data = base_start + 38;
  const std::uint32_t s = data & 0xFFFF;
  const Image expected = {
      0x01, 0xF6, static_cast<std::uint8_t>(s + 1), static_cast<std::uint8_t>((s + 1) >> 8), 0xF5,
      0x07, static_cast<std::uint8_t>(s + 0x33), static_cast<std::uint8_t>((s + 0x33) >> 8), 0xF6,
      static_cast<std::uint8_t>(s + 10), static_cast<std::uint8_t>((s + 10) >> 8), 0x01,
      // cut by the channel's end: left as written
      0xF5, 0x09, 0x00, 0x10};
  EXPECT_EQ(Image(rebuilt.begin() + data, rebuilt.begin() + data + 16), expected);
}

TEST_F(MusicRom, BrokenOldBlockStopsTheRegion) {
  Image damaged = original;
  damaged[base_start] = 5;  // a length shorter than the header
  damaged[base_start + 1] = 0;
  write_bytes(rom, damaged);
  dump(rom, dir.folder());
  std::filesystem::remove(song_file(0x00));
  EXPECT_EQ(rebuild(), damaged);
  EXPECT_EQ(message_of(report, msg::music_broken_old_block), "0x00番目の元の音楽データが壊れているので強制終了します");
}

TEST_F(MusicRom, PointerOutsideTheImageSkipsTheSong) {
  Image damaged = original;
  damaged[pointer_entry(0x7B) + 2] = 0xFF;
  write_bytes(rom, damaged);
  dump(rom, dir.folder());
  EXPECT_FALSE(file_exists(song_file(0x7B)));
  EXPECT_TRUE(file_exists(song_file(0x7A)));
  EXPECT_EQ(report.last(), "エラー: 0x7B番目の音楽データのポインタがROMの外を指しています");
}

TEST_F(MusicRom, ImageWithoutTheExtendedAreaHas92Songs) {
  SampleOptions options;
  options.revision = 0;
  write_sample(rom, options);
  original = read_bytes(rom);
  dump(rom, dir.folder());
  EXPECT_TRUE(file_exists(song_file(0x5B)));
  EXPECT_FALSE(file_exists(song_file(0x5C)));
  write_text(song_file(0x00), whole_song("Channel1\n 01\n"));
  const Image rebuilt = rebuild();
  EXPECT_NE(rebuilt, original);
  for (std::uint32_t at = 0x5E1440; at < 0x5FFDC0; ++at) ASSERT_EQ(rebuilt[at], original[at]);
}

TEST_F(MusicRom, OnlyTheMusicFlagConvertsMusic) {
  ASSERT_EQ(extract(rom, dir.folder(), false), 0);
  EXPECT_FALSE(file_exists(song_file(0x00)));
  ASSERT_EQ(extract(rom, dir.folder(), true), 0);
  EXPECT_TRUE(file_exists(song_file(0x7B)));
  write_text(song_file(0x00), whole_song("Channel1\n 01\n"));
  const std::string out = dir.path("out.smc");
  ASSERT_EQ(build(rom, out, dir.folder(), false), 0);
  EXPECT_EQ(word(read_bytes(out), base_start), word(original, base_start));
  ASSERT_EQ(build(rom, out, dir.folder(), true), 0);
  EXPECT_EQ(word(read_bytes(out), base_start), 37u);
}

// An empty or cut text, as a killed extract or a full disk leaves it, would rebuild its song
// empty or without its later channels: the song keeps its block from the image instead.
TEST_F(MusicRom, EmptyOrCutSongTextKeepsTheImagesSong) {
  dump(rom, dir.folder());
  const std::string text = read_text(song_file(0x06));
  const std::string cut = text.substr(0, text.find("Channel4"));
  write_text(song_file(0x05), "");
  write_text(song_file(0x06), cut);
  // Channels come in address order: the first one missing is the lowest number not there.
  std::string missing = "Channel1";
  while (cut.find(missing) != std::string::npos) ++missing.back();
  EXPECT_EQ(first_difference(rebuild(), original), -1);
  std::vector<std::string> errors;
  for (const ReportEntry& entry : report.entries()) {
    if (entry.severity == Severity::error) errors.push_back(entry.text);
  }
  const std::string kept = "の行がありません。空か途中で切れたファイルとみなし、この曲は元のデータのままにします";
  EXPECT_EQ(errors, (std::vector<std::string>{"music05.txt: 「曲番号:」" + kept,
                                              "music06.txt: 「" + missing + "」" + kept}));
}

// Rows the text does not hold whole keep the image's values; the others land as written.
TEST_F(MusicRom, WaveAndDrumRowsNotHeldWholeKeepTheImages) {
  dump(rom, dir.folder());
  std::vector<std::string> lines = split_lines(read_text(song_file(0x00)));
  const auto line_after = [&](const std::string& header) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), header) - lines.begin()) + 1;
  };
  lines[line_after("Wave") + 1] = " 01 02 03 04 05 06 07 08  09 0A 0B 0C 0D 0E 0F";
  lines[line_after("Drum")] = " 05 06";
  lines[line_after("Drum") + 1] = " 07 08 09";
  write_text(song_file(0x00), join_lines(lines));
  const Image rebuilt = rebuild();
  EXPECT_EQ(report.warnings(), 2);
  const auto bytes = [](const Image& image, std::uint32_t at, std::uint32_t count) {
    return Image(image.begin() + at, image.begin() + at + count);
  };
  EXPECT_EQ(bytes(rebuilt, 0x610DA, 32), bytes(original, 0x610DA, 32));
  EXPECT_EQ(bytes(rebuilt, 0x61C5A, 3), bytes(original, 0x61C5A, 3));
  EXPECT_EQ(bytes(rebuilt, 0x61C5A + 3, 3), (Image{0x07, 0x08, 0x09}));
}

// A 6 MiB image cut to 5 MiB lacks the added songs' area: they are neither dumped (their
// pointers would read as zeros) nor rebuilt, and the rest of the music converts.
TEST_F(MusicRom, CutImageSkipsTheSongsPastItsEnd) {
  SampleOptions options;
  options.size = 0x500000;
  write_sample(rom, options);
  original = read_bytes(rom);
  const std::string cut =
      "smcファイルは0x500000までしかなく、追加曲の音楽領域（0x5E1440～0x5FFDC0）が途中で切れています。"
      "曲0x5C～0x7Bは読み書きしません";
  Report extracted;
  ASSERT_EQ(extract(rom, dir.folder(), true, &extracted), 0);
  EXPECT_EQ(message_of(extracted, msg::music_area_cut), cut);
  EXPECT_EQ(extracted.warnings() + extracted.errors(), 1);
  EXPECT_TRUE(file_exists(song_file(0x5B)));
  EXPECT_FALSE(file_exists(song_file(0x5C)));

  write_text(song_file(0x5C), whole_song("Channel1\n 01\n"));
  Report built;
  const std::string out = dir.path("out.smc");
  ASSERT_EQ(build(rom, out, dir.folder(), true, &built), 0);
  EXPECT_EQ(message_of(built, msg::music_area_cut), cut);
  EXPECT_EQ(built.warnings() + built.errors(), 1);
  EXPECT_EQ(first_difference(read_bytes(out), original), -1);
}

