#include "music/song.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Words = std::array<std::int32_t, 8>;

SongRecord header(std::int32_t start, std::int32_t end, std::array<std::int32_t, 8> channels) {
  SongRecord r;
  r.start = start;
  r.end = end;
  r.channel_address = channels;
  r.second_address = channels;
  return r;
}

}  // namespace

TEST(SongWrap, BlockCrossingABoundaryIsUnfolded) {
  SongRecord r =
      header(0xF000, 0x0200, {0xF000, 0x0100, 0x0200, 0x0200, 0x0200, 0x0200, 0x0200, 0x0200});
  fix_song_wrap(r);
  EXPECT_EQ(r.end, 0x10200);
  EXPECT_EQ(r.data_length, 0x1200);
  const Words unfolded = {0xF000, 0x10100, 0x10200, 0x10200, 0x10200, 0x10200, 0x10200, 0x10200};
  EXPECT_EQ(r.channel_address, unfolded);
  EXPECT_EQ(r.second_address, unfolded);
  const ChannelOrder order = sort_channels(r.channel_address, r.end);
  EXPECT_EQ(order.channel[0], 0);
  EXPECT_EQ(order.channel[1], 1);
  EXPECT_EQ(order.length, (Words{0x1100, 0x100, 0, 0, 0, 0, 0, 0}));
}

TEST(SongWrap, LongPartBeforeTheBoundaryStaysInPlace) {
  // 10 KiB before the boundary: a channel at 0xD800 lies before it, not after.
  SongRecord r =
      header(0xD800, 0x0400, {0xD800, 0xF000, 0x0100, 0x0400, 0x0400, 0x0400, 0x0400, 0x0400});
  fix_song_wrap(r);
  EXPECT_EQ(r.data_length, 0x2C00);
  EXPECT_EQ(r.channel_address,
            (Words{0xD800, 0xF000, 0x10100, 0x10400, 0x10400, 0x10400, 0x10400, 0x10400}));
  EXPECT_EQ(sort_channels(r.channel_address, r.end).length,
            (Words{0x1800, 0x1100, 0x300, 0, 0, 0, 0, 0}));
}

TEST(SongWrap, NothingChangesWithoutACrossing) {
  SongRecord r = header(0x1000, 0x1000, {0x1000, 0x0100, 0, 0, 0, 0, 0, 0});
  fix_song_wrap(r);
  EXPECT_EQ(r.end, 0x1000);
  EXPECT_EQ(r.data_length, 0);
  EXPECT_EQ(r.channel_address[1], 0x0100);
}

TEST(ChannelSort, EqualAddressesFollowTheSelectionSort) {
  // Position 0 swaps with the first smallest (3), which moves channel 0 behind channel 2.
  const ChannelOrder order = sort_channels({50, 10, 50, 5, 50, 50, 50, 50}, 60);
  const std::array<int, 8> expected = {3, 1, 2, 0, 4, 5, 6, 7};
  EXPECT_EQ(order.channel, expected);
  EXPECT_EQ(order.length, (Words{5, 40, 0, 0, 0, 0, 0, 10}));
}

TEST(SongRecordMap, GroupsRoundTripThroughTheirBytes) {
  std::uint8_t bytes[38];
  for (int i = 0; i < 38; ++i) bytes[i] = static_cast<std::uint8_t>(0x11 * i + 3);
  SongRecord r;
  song_record_map(bytes, r, Direction::extract, SongGroup::header);
  EXPECT_EQ(r.block_length, 0x1403);
  EXPECT_EQ(r.channel_address[0], bytes[6] | bytes[7] << 8);
  EXPECT_EQ(r.second_address[7], bytes[36] | bytes[37] << 8);
  std::uint8_t back[38] = {};
  song_record_map(back, r, Direction::build, SongGroup::header);
  EXPECT_EQ(0, std::memcmp(bytes, back, 38));

  std::uint8_t pointer[3] = {0x76, 0xA8, 0xCB};
  song_record_map(pointer, r, Direction::extract, SongGroup::pointer);
  EXPECT_EQ(r.pointer_word, 0xA876);
  EXPECT_EQ(r.pointer_bank, 0xCB);

  std::uint8_t drum[36];
  for (int i = 0; i < 36; ++i) drum[i] = static_cast<std::uint8_t>(i);
  song_record_map(drum, r, Direction::extract, SongGroup::drum);
  EXPECT_EQ(r.drum[11][2], 35);
  EXPECT_EQ(r.drum[4][1], 13);
}

TEST(SongTables, TitlesEventSongsAndPlaces) {
  EXPECT_EQ(song_title(0x00), "曲00");
  EXPECT_EQ(song_title(0x5B), "曲5B");
  EXPECT_EQ(song_title(0x5C), "追加曲00");
  EXPECT_EQ(song_title(0x7B), "追加曲1F");

  std::uint8_t events[128] = {};
  events[0] = 7;
  events[9] = 3;
  events[20] = 3;
  EXPECT_EQ(event_song_number(events, 3), 9);
  EXPECT_EQ(event_song_number(events, 7), 0);     // the song of event 0
  EXPECT_EQ(event_song_number(events, 0x40), 0);  // named by no event

  EXPECT_EQ(pointer_entry_of(0x5B), 0x60FC6u + 3 * 0x5B);
  EXPECT_EQ(pointer_entry_of(0x5C), 0x5E1960u);
  EXPECT_EQ(wave_entry_of(0x5D), 0x5E19C0u + 32);
  EXPECT_EQ(drum_entry_of(0x02), 0x61C5Au + 72);
}

TEST(JumpTargets, OnlyTargetsWhollyInsideTheStream) {
  const std::uint8_t bytes[] = {0x01, 0xF5, 0x03, 0x34, 0x12, 0xC5, 0xF6,
                                0x00, 0xF6, 0x10, 0x00, 0xF5, 0x00, 0x20};
  // C5 swallows F6 00 as its arguments; the last F5 lacks one target byte.
  const std::vector<std::int32_t> expected = {3, 9};
  EXPECT_EQ(jump_targets(bytes, sizeof bytes), expected);
  EXPECT_TRUE(jump_targets(bytes, 4).empty());
}
