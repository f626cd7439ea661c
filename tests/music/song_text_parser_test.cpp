#include <gtest/gtest.h>

#include "core/report.hpp"
#include "music/song_text.hpp"
#include "table/csv_file.hpp"

namespace {

std::vector<std::int32_t> tokens(const std::string& line) {
  std::vector<std::int32_t> values;
  std::size_t position = 0;
  for (std::int32_t v; (v = read_hex_token(line, position, line.size())) >= 0;) values.push_back(v);
  return values;
}

SongRecord parse(const std::string& text, Report* report = nullptr) {
  CsvReader reader;
  reader.assign(text);
  SongRecord r;
  r.channel_address.fill(-1);
  r.second_address.fill(-1);
  parse_song_text(reader, r, report);
  return r;
}

using Values = std::vector<std::int32_t>;
using Bytes = std::vector<std::uint8_t>;

}  // namespace

TEST(ReadHexToken, Examples) {
  EXPECT_EQ(tokens("1F"), Values{0x1F});
  EXPECT_EQ(tokens("1f"), Values{0x1F});
  EXPECT_EQ(tokens("01F"), Values{0x1F});
  EXPECT_EQ(tokens("0x12"), (Values{0, 0x12}));
  EXPECT_EQ(tokens(" F5 03\t34,00 ; 11 22"), (Values{0xF5, 0x03, 0x34, 0x00}));
  EXPECT_EQ(tokens("12;"), Values{0x12});
  EXPECT_EQ(tokens("12\r"), Values{0x12});
  EXPECT_EQ(tokens(""), Values{});
  EXPECT_EQ(tokens("  ; 12"), Values{});

  std::size_t position = 0;
  const std::string line = "AB CD";
  EXPECT_EQ(read_hex_token(line, position, 3), 0xAB);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(read_hex_token(line, position, 3), -1);
  EXPECT_EQ(position, 3u);
}

TEST(ReadHexToken, DoubleByteCharactersSeparateWhole) {
  // "ア" is 0x83 0x41: its second byte must not be read as the digit A, neither between
  // values nor right after one.
  EXPECT_EQ(tokens("12ア34"), (Values{0x12, 0x34}));
  EXPECT_EQ(tokens("アア"), Values{});
  std::string cut = "12";
  cut += '\x83';
  EXPECT_EQ(tokens(cut), Values{0x12});
  EXPECT_EQ(tokens("FFFFFFFFF1").at(0) & 0xFF, 0xF1);
}

TEST(ParseSongText, SectionsFillTheRecord) {
  const SongRecord r = parse(
      "曲番号:05\n"
      "イベント曲番号:03\n"
      "仮曲名:曲05\n"
      "\n"
      "Wave\n"
      "; 0  1  2  3  4  5  6  7   8  9  A  B  C  D  E  F\n"
      " 01 02 1FF\n"
      "\r\n"
      "Drum\r\n"
      " 10 11 12\t\t;ド\r\n"
      " 13 14\n"
      "Channel3\n"
      " C5 01 02 03\t\t;0000\n"
      "Channel1\n"
      "\n"
      "Channel2\n"
      " 04\n"
      " 05\n");
  EXPECT_EQ(r.wave[0], 1);
  EXPECT_EQ(r.wave[2], 0x1FF);  // a word: no digit is dropped
  EXPECT_EQ(r.wave[3], 0);
  EXPECT_EQ(r.drum[0][2], 0x12);
  EXPECT_EQ(r.drum[1][1], 0x14);
  EXPECT_EQ(r.drum[1][2], 0);
  EXPECT_EQ(r.data, (Bytes{0xC5, 0x01, 0x02, 0x03, 0x04, 0x05}));
  EXPECT_EQ(r.data_length, 6);
  const std::array<std::int32_t, 8> offsets = {-1, 4, 0, -1, -1, -1, -1, -1};
  EXPECT_EQ(r.channel_address, offsets);
  EXPECT_EQ(r.second_address, offsets);
}

TEST(ParseSongText, ValuesBeyondTheTablesAreDropped) {
  std::string text = "Wave\n";
  for (int i = 0; i < 20; ++i) text += " 07";
  text += "\nDrum\n";
  for (int i = 0; i < 40; ++i) text += " 09";
  const SongRecord r = parse(text + "\n");
  EXPECT_EQ(r.wave[15], 7);
  EXPECT_EQ(r.drum[11][2], 9);
  EXPECT_TRUE(r.data.empty());
}

TEST(ParseSongText, UnknownChannelNumberIgnoresItsSection) {
  Report report;
  const SongRecord r = parse(
      "Channel1\n"
      " 01\n"
      "\n"
      "Channel9\n"
      " 02 03\n"
      "Channel2\n"
      " 04\n",
      &report);
  EXPECT_EQ(report.last(), "警告: 4行目に不明なチャンネル番号があります");
  EXPECT_EQ(r.data, (Bytes{0x01, 0x04}));
  EXPECT_EQ(r.channel_address[0], 0);
  EXPECT_EQ(r.channel_address[1], 1);

  parse("Channel\n 05\n", &report);
  EXPECT_EQ(report.last(), "警告: 1行目に不明なチャンネル番号があります");
  EXPECT_EQ(report.warnings(), 2);
}

TEST(ParseSongText, RepeatedHeaderGoesOnAfterItsChannelsBytes) {
  Report report;
  report.place() = Place{"music00.txt"};
  const SongRecord r =
      parse("Channel1\n 01 02\nChannel2\n 03\nChannel1\n 04\nChannel2\n F6 Ch1+0002\n", &report);
  EXPECT_EQ(r.data, (Bytes{0x01, 0x02, 0x04, 0x03, 0xF6, 0x02, 0x00}));
  EXPECT_EQ(r.channel_address[0], 0);
  EXPECT_EQ(r.channel_address[1], 3);
  ASSERT_EQ(r.named_targets.size(), 1u);
  EXPECT_EQ(r.named_targets[0].at, 5);
  EXPECT_EQ(report.warnings(), 2);
  EXPECT_EQ(report.last(),
            "警告: music00.txt 7行目: Channel2の見出しがもう一度あります。ここからのバイトはそのチャンネルの前の部分の後に続けます");

  // A table section again replaces the earlier values, said.
  const SongRecord w = parse("Wave\n 01 02\nWave\n 03\n", &report);
  EXPECT_EQ(w.wave[0], 3);
  EXPECT_EQ(w.wave[1], 2);
  EXPECT_EQ(report.last(), "警告: music00.txt 3行目: Waveの見出しがもう一度あります。ここからの値で最初から上書きします");
}

TEST(ParseSongText, LongLinesAndLargeChannelsAreReadWhole) {
  // One line of 3000 values (9000 characters) and more than 8192 bytes in all.
  std::string line;
  for (int i = 0; i < 3000; ++i) line += i % 2 ? " 1A" : " 2B";
  std::string text = "Channel1\n" + line + "\nChannel2\n";
  for (int i = 0; i < 6000; ++i) text += " 0C\n";
  const SongRecord r = parse(text);
  ASSERT_EQ(r.data_length, 9000);
  EXPECT_EQ(r.data[0], 0x2B);
  EXPECT_EQ(r.data[2999], 0x1A);
  EXPECT_EQ(r.data[8999], 0x0C);
  EXPECT_EQ(r.channel_address[1], 3000);
}
