#include <gtest/gtest.h>

#include <cstdio>

#include "core/job_context.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "music/music.hpp"
#include "music/song.hpp"
#include "music/song_builder.hpp"
#include "music/song_text.hpp"
#include "song_texts.hpp"
#include "test_support.hpp"

namespace {

using Image = std::vector<std::uint8_t>;

const std::string ruler = "; 0  1  2  3  4  5  6  7   8  9  A  B  C  D  E  F\n";

// Channel 1 at 0x1000: notes, a jump into channel 2 whose target runs past the line's end,
// and a call of a place before the song. Channel 2: a jump to its own start and one into
// channel 1.
SongRecord two_channels() {
  SongRecord r;
  r.data.assign(14, 0x01);
  const Image rest = {0xF6, 0x18, 0x10, 0xF5, 0x07, 0xFF, 0x0F,
                      0xF6, 0x15, 0x10, 0xF6, 0x05, 0x10, 0x01};
  r.data.insert(r.data.end(), rest.begin(), rest.end());
  r.data_length = static_cast<std::int32_t>(r.data.size());
  r.start = 0x1000;
  r.end = r.start + r.data_length;
  r.channel_address.fill(r.end);
  r.channel_address[0] = 0x1000;
  r.channel_address[1] = 0x1015;
  return r;
}

// The song built from `text` at `offset`, with the report of the build.
Image build_text(const std::string& text, std::uint32_t offset, Report* report = nullptr) {
  TempDir dir;
  write_text(dir.path("music00.txt"), text);
  JobContext job;
  PlacedSong placed;
  EXPECT_EQ(build_song(job, dir.folder(), offset, 0x400000, 0, placed), BlockResult::placed);
  if (report) *report = std::move(job.report);
  return placed.block;
}

std::int32_t word_at(const Image& block, std::int32_t data_offset) {
  return get_word(block.data() + song_header_size + data_offset);
}

std::uint32_t block_of(const Image& image, int song) {
  const std::uint32_t at = pointer_entry_of(song);
  return (image[at] | image[at + 1] << 8 | image[at + 2] << 16) - song_region(song).pointer_base;
}

std::string song_file(const TempDir& dir, int song) {
  char name[16];
  std::snprintf(name, sizeof name, "music%02X.txt", song);
  return dir.path(name);
}

}  // namespace

TEST(ChannelJumps, TargetsOutsideTheirChannelAreNamed) {
  const std::string text = song_text(two_channels());
  EXPECT_NE(text.find("Channel1\n" + ruler +
                      " 01 01 01 01 01 01 01 01  01 01 01 01 01 01 F6 Ch2+0003\t\t;0000\n"
                      " F5 07 $0FFF\n\n"
                      "Channel2\n" + ruler + " F6 00 00 F6 Ch1+0005 01\n\n"),
            std::string::npos)
      << text;
}

TEST(ChannelJumps, NamedTargetsFollowTheirChannelWhereverItLies) {
  const std::string text = song_text(two_channels());
  // Built elsewhere as it is, and with two more bytes in channel 1, which moves channel 2,
  // across a 0x10000 boundary.
  const std::string longer = [&] {
    std::string t = text;
    return t.insert(t.find(" F5 07"), " 03 03");
  }();
  struct Case {
    const std::string* text;
    std::uint32_t offset;
    std::int32_t grown;
  };
  for (const Case& c : {Case{&text, 0x2F000, 0}, Case{&longer, 0x3FFD0, 2}}) {
    const Image block = build_text(*c.text, c.offset);
    const std::int32_t one = static_cast<std::int32_t>(c.offset + song_header_size);
    const std::int32_t two = one + 0x15 + c.grown;
    ASSERT_EQ(static_cast<std::int32_t>(block.size() - song_header_size), 0x1C + c.grown);
    EXPECT_EQ(word_at(block, 0x0F), (two + 3) & 0xFFFF) << c.grown;
    EXPECT_EQ(word_at(block, 0x13 + c.grown), 0x0FFF) << c.grown;
    EXPECT_EQ(word_at(block, 0x16 + c.grown), two & 0xFFFF) << c.grown;
    EXPECT_EQ(word_at(block, 0x19 + c.grown), (one + 5) & 0xFFFF) << c.grown;
  }
}

TEST(ChannelJumps, UnreadableOrPastTheChannelIsReported) {
  const std::string unreadable =
      "が読めません（ChN+XXXX か $XXXX、N は 0～8、XXXX は4桁の16進数）。書き込みません";
  struct Case {
    const char* channels;
    const Message& message;
    std::string expected;
    std::int32_t at;      // the target's offset in the data
    std::int32_t target;  // relative to the data's start
  };
  const Case cases[] = {
      // Not stored: the jump takes the next two bytes.
      {"Channel1\n F6 Ch9+0001 01 00\n", msg::music_bad_target,
       "music00.txt 23行目: 5文字目のジャンプ先[Ch9+0001]" + unreadable, 1, 1},
      {"Channel1\n F6 $12345 02 00\n", msg::music_bad_target,
       "music00.txt 23行目: 5文字目のジャンプ先[$12345]" + unreadable, 1, 2},
      {"Channel1\n F6 Ch2+0004\nChannel2\n 01\n", msg::music_target_past_channel,
       "music00.txt 23行目: ジャンプ先[Ch2+0004]はチャンネル2のデータ（1バイト）の外を指しています。"
       "そのまま書き込みます",
       1, 3 + 4},
      // Relative targets at or past the end of a shortened channel lead into the next one.
      {"Channel1\n F5 50 36 00\nChannel2\n 01\n", msg::music_target_past_channel,
       "music00.txt 23行目: ジャンプ先[36 00]はチャンネル1のデータ（4バイト）の外を指しています。"
       "そのまま書き込みます",
       2, 0x36},
      {"Channel1\n 01\n F6 04 00\nChannel2\n 01\n", msg::music_target_past_channel,
       "music00.txt 24行目: ジャンプ先[04 00]はチャンネル1のデータ（4バイト）の外を指しています。"
       "そのまま書き込みます",
       2, 4},
      {"Channel1\n F6 02 00\n", msg::music_target_past_channel, "", 1, 2},
  };
  for (const Case& c : cases) {
    Report report;
    const Image block = build_text(whole_song(c.channels), 0x1000, &report);
    EXPECT_EQ(message_of(report, c.message), c.expected) << c.channels;
    EXPECT_EQ(report.warnings(), c.expected.empty() ? 0 : 1) << c.channels;
    EXPECT_EQ(word_at(block, c.at), 0x1000 + 38 + c.target) << c.channels;
  }
}

TEST(ChannelJumps, SampleRebuildsByteForByte) {
  TempDir dir;
  const std::string rom = dir.path("sample.smc");
  write_sample(rom);
  ASSERT_EQ(extract(rom, dir.folder(), true), 0);
  std::string texts;
  for (int song = 0; song < 0x7C; ++song) texts += read_text(song_file(dir, song));
  // The sample has jumps to other channels' starts, into them, and out of the song.
  int starts = 0;
  int into = 0;
  for (std::size_t at = texts.find(" Ch"); at != std::string::npos; at = texts.find(" Ch", at + 1))
    (texts.compare(at + 5, 4, "0000") == 0 ? starts : into) += 1;
  EXPECT_GT(starts, 0);
  EXPECT_GT(into, 0);
  EXPECT_NE(texts.find(" $"), std::string::npos);

  Report report;
  ASSERT_EQ(build(rom, dir.path("rebuilt.smc"), dir.folder(), true, &report), 0);
  const Image original = read_bytes(rom);
  const Image rebuilt = read_bytes(dir.path("rebuilt.smc"));
  EXPECT_EQ(first_difference(original, rebuilt), -1);
  EXPECT_EQ(report.warnings() + report.errors(), 0);
}

// Three more bytes at the end of song 3's first channel move its later channels and every
// later song of the region: each jump target inside its song's data moves with the byte it
// leads to, every other stays as it was.
TEST(ChannelJumps, MovedChannelsAndSongsKeepTheirTargets) {
  TempDir dir;
  const std::string rom = dir.path("sample.smc");
  write_sample(rom);
  ASSERT_EQ(extract(rom, dir.folder(), true), 0);
  std::string text = read_text(song_file(dir, 3));
  const std::size_t channel = text.find("Channel");
  text.insert(text.find("\r\n\r\n", channel) + 2, " 01 02 03\r\n");
  write_text(song_file(dir, 3), text);
  ASSERT_EQ(build(rom, dir.path("rebuilt.smc"), dir.folder(), true), 0);
  const Image original = read_bytes(rom);
  const Image rebuilt = read_bytes(dir.path("rebuilt.smc"));

  int moved = 0;
  int kept = 0;
  for (int song = 3; song < base_song_count; ++song) {
    const std::uint32_t old_block = block_of(original, song);
    const std::uint32_t new_block = block_of(rebuilt, song);
    ASSERT_EQ(new_block, old_block + (song > 3 ? 3 : 0));
    const std::int32_t old_start = get_word(&original[old_block + 2]);
    const std::int32_t new_start = get_word(&rebuilt[new_block + 2]);
    const std::int32_t length = get_word(&original[old_block]) - block_length_extra;
    // Where the three bytes went in song 3's data, as an offset; none elsewhere.
    std::int32_t inserted = length;
    if (song == 3) {
      for (int k = 0; k < channel_count; ++k) {
        const std::int32_t at = (get_word(&original[old_block + 6 + 2 * k]) - old_start) & 0xFFFF;
        if (at > 0 && at < inserted) inserted = at;
      }
    }
    const auto moved_to = [&](std::int32_t offset) { return offset < inserted ? offset : offset + 3; };
    const std::uint8_t* old_data = &original[old_block + song_header_size];
    const std::uint8_t* new_data = &rebuilt[new_block + song_header_size];
    for (std::int32_t t : jump_targets(old_data, length)) {
      const std::int32_t target = get_word(old_data + t);
      const std::int32_t offset = (target - old_start) & 0xFFFF;
      const bool inside = offset < length;
      const std::int32_t expected = inside ? new_start + moved_to(offset) : target;
      ASSERT_EQ(get_word(new_data + moved_to(t)), expected & 0xFFFF) << song << " " << t;
      (inside ? moved : kept) += 1;
    }
  }
  EXPECT_GT(moved, 0);
  EXPECT_GT(kept, 0);
}
