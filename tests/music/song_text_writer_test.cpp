#include <gtest/gtest.h>

#include "core/job_context.hpp"
#include "music/song_text.hpp"
#include "test_support.hpp"

namespace {

const std::string ruler = "; 0  1  2  3  4  5  6  7   8  9  A  B  C  D  E  F\n";

// A song whose channel 1 holds `bytes` at `address`; the other channels are empty.
SongRecord one_channel(std::int32_t address, const std::vector<std::uint8_t>& bytes) {
  SongRecord r;
  r.start = address;
  r.data = bytes;
  r.data_length = static_cast<std::int32_t>(bytes.size());
  r.end = address + r.data_length;
  r.channel_address.fill(r.end);
  r.channel_address[0] = address;
  return r;
}

std::vector<std::uint8_t> counting(int n) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
  return bytes;
}

// The text from "Channel1" up to "Channel2" of a song with `n` counting bytes in channel 1.
std::string counting_channel(int n) {
  const std::string text = song_text(one_channel(0x1000, counting(n)));
  const std::size_t from = text.find("Channel1\n");
  return text.substr(from, text.find("Channel2\n") - from);
}

// The section of a channel that holds bytes, as it should appear.
std::string section(int channel, const std::string& lines) {
  return "Channel" + std::to_string(channel) + "\n" + ruler + lines + "\n\n";
}

}  // namespace

TEST(SongText, WholeFileLayout) {
  SongRecord r = one_channel(0x1000, counting(3));
  r.song = 0x5D;
  r.event_song = 0x1A;
  for (int k = 0; k < 16; ++k) r.wave[k] = k;
  r.wave[15] = 0x1FF;
  for (int k = 0; k < 12; ++k) r.drum[k] = {k, 0xA0 + k, 0xFF};
  const std::string expected =
      "曲番号:5D\n"
      "イベント曲番号:1A\n"
      "仮曲名:追加曲01\n"
      "\n"
      "Wave\n" +
      ruler +
      " 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 1FF\n"
      "\n"
      "Drum\n"
      " 00 A0 FF\t\t;ド\n"
      " 01 A1 FF\t\t;ド#\n"
      " 02 A2 FF\t\t;レ\n"
      " 03 A3 FF\t\t;レ#\n"
      " 04 A4 FF\t\t;ミ\n"
      " 05 A5 FF\t\t;ファ\n"
      " 06 A6 FF\t\t;ファ#\n"
      " 07 A7 FF\t\t;ソ\n"
      " 08 A8 FF\t\t;ソ#\n"
      " 09 A9 FF\t\t;ラ\n"
      " 0A AA FF\t\t;ラ#\n"
      " 0B AB FF\t\t;シ\n"
      "\n"
      "Channel1\n" +
      ruler +
      " 00 01 02\n"
      "\n"
      "Channel2\n\nChannel3\n\nChannel4\n\nChannel5\n\nChannel6\n\nChannel7\n\nChannel8\n\n";
  EXPECT_EQ(song_text(r), expected);

  TempDir dir;
  JobContext job;
  write_song_text(job, r, dir.folder());
  EXPECT_TRUE(job.report.entries().empty()) << job.report.last();
  std::string crlf;
  for (char c : expected) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  EXPECT_EQ(read_text(dir.path("music5D.txt")), crlf);
}

TEST(SongText, ChannelLengthsDecideTheLines) {
  const std::string full_line = " 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F\t\t;0000\n";
  EXPECT_EQ(counting_channel(20), section(1, full_line + " 10 11 12 13"));
  EXPECT_EQ(counting_channel(16), section(1, full_line));
  EXPECT_EQ(counting_channel(0), "Channel1\n\n");
  EXPECT_NE(counting_channel(40).find(";0010\n 20 21"), std::string::npos);
}

TEST(SongText, ChannelsInAddressOrderWithTheirOwnNumbers) {
  SongRecord r = one_channel(0x2000, counting(6));
  r.channel_address[0] = 0x2004;
  r.channel_address[5] = 0x2000;
  r.channel_address[2] = 0x2002;
  const std::string text = song_text(r);
  const std::size_t six = text.find(section(6, " 00 01"));
  const std::size_t three = text.find(section(3, " 02 03"));
  const std::size_t one = text.find(section(1, " 04 05"));
  ASSERT_NE(six, std::string::npos);
  ASSERT_NE(three, std::string::npos);
  ASSERT_NE(one, std::string::npos);
  EXPECT_LT(six, three);
  EXPECT_LT(three, one);
}

// Targets in no channel keep their value.
TEST(SongText, JumpTargetsRelativeToTheirChannel) {
  std::vector<std::uint8_t> bytes(0x40, 0x01);
  const std::vector<std::uint8_t> jumps = {0xF5, 0x03, 0x34, 0x12,   // inside
                                           0xF6, 0x10, 0x12,         // inside
                                           0xF6, 0x40, 0x12,         // one past the end
                                           0xF5, 0x07, 0xFF, 0x11};  // before the start
  std::copy(jumps.begin(), jumps.end(), bytes.begin());
  EXPECT_NE(song_text(one_channel(0x1200, bytes))
                .find(" F5 03 34 00 F6 10 00 F6  $1240 F5 07 $11FF 01 01\t\t;0000"),
            std::string::npos);
}

TEST(SongText, CommandCutByTheChannelEndIsShownUnchanged) {
  // Channel 1 ends inside F5's target, channel 2 starts with the rest; neither is rebased
  // and no byte of channel 2 is shown under channel 1.
  SongRecord r = one_channel(0x1000, {0x01, 0xF5, 0x02, 0x05, 0x10, 0x01});
  r.channel_address[1] = 0x1004;
  const std::string text = song_text(r);
  EXPECT_NE(text.find(section(1, " 01 F5 02 05")), std::string::npos);
  EXPECT_NE(text.find(section(2, " 10 01")), std::string::npos);
}

TEST(SongText, WrappedBlockShowsEachChannelWhole) {
  SongRecord r;
  r.start = 0xF000;
  r.end = 0x0200;
  r.channel_address = {0xF000, 0x0100, 0x0200, 0x0200, 0x0200, 0x0200, 0x0200, 0x0200};
  fix_song_wrap(r);
  r.data.assign(static_cast<std::size_t>(r.data_length), 0x01);
  // Channel 2 (0x10100 once unfolded) jumps to 0x0050, inside channel 1: outside its own.
  r.data[0x1100] = 0xF6;
  r.data[0x1101] = 0x50;
  r.data[0x1102] = 0x00;
  // Channel 1 jumps past the boundary into its own second part.
  r.data[0x0000] = 0xF6;
  r.data[0x0001] = 0x50;
  r.data[0x0002] = 0x00;
  const std::string text = song_text(r);
  const std::size_t one = text.find("Channel1\n");
  const std::size_t two = text.find("Channel2\n");
  const std::size_t three = text.find("Channel3\n");
  EXPECT_EQ(text.find(" F6 50 10 01"), one + 9 + ruler.size());
  EXPECT_NE(text.find(";10F0\n\n\nChannel2"), std::string::npos);
  EXPECT_EQ(text.find(" F6 Ch1+1050 01", two), two + 9 + ruler.size());
  EXPECT_NE(text.find(";00F0\n\n\nChannel3"), std::string::npos);
  EXPECT_EQ(text.substr(three, 20), "Channel3\n\nChannel4\n\n");
}

TEST(SongText, AddressesPastTheDataAreBounded) {
  // A header promising more than the data holds prints what is there, each byte once: channels
  // outside the data have none, and the bytes ahead of the lowest channel are the lead.
  SongRecord r = one_channel(0x1000, counting(4));
  r.end = 0x1100;
  r.channel_address[0] = 0x1001;
  r.channel_address[1] = 0x0800;
  r.channel_address[2] = 0x9000;
  const std::string text = song_text(r);
  const std::size_t lead = text.find("Channel0\t\t;");
  EXPECT_EQ(text.find("\n" + ruler + " 00\n\n", lead), text.find('\n', lead));
  EXPECT_NE(text.find(section(1, " 01 02 03")), std::string::npos);
  EXPECT_NE(text.find("Channel2\n\n"), std::string::npos);
  EXPECT_NE(text.find("Channel3\n\n"), std::string::npos);
}
