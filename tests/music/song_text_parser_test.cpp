#include <gtest/gtest.h>

#include "core/report.hpp"
#include "music/song_text.hpp"
#include "song_texts.hpp"
#include "table/csv_file.hpp"

namespace {

struct Parsed {
  SongRecord record;
  SongTextRead read;
  Report report;
};

Parsed parse(const std::string& text) {
  CsvReader reader;
  reader.assign(text);
  Parsed p;
  p.report.place() = Place{"music00.txt"};
  p.record.channel_address.fill(-1);
  p.record.second_address.fill(-1);
  p.read = parse_song_text(reader, p.record, &p.report);
  return p;
}

std::vector<std::string> warnings(const Report& report) {
  std::vector<std::string> texts;
  for (const ReportEntry& entry : report.entries()) texts.push_back(entry.text);
  return texts;
}

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

}  // namespace

TEST(ParseSongText, SectionsFillTheRecord) {
  const Parsed p = parse(
      "曲番号:05\r\n"
      "イベント曲番号:03\n"
      "仮曲名:曲05\n"
      "\n"
      "Wave\n"
      "; 0  1  2  3  4  5  6  7   8  9  A  B  C  D  E  F\n"
      " 01 02 1FF 00 00 00 00 00\n"
      " 00 00 00 00 00 00 00 0f\n"
      "\r\n"
      "Drum\r\n"
      " 10 11 12\t\t;ド\r\n"
      " 13 14 15\n"
      "\n"
      " 00 00 00\n 00 00 00\n 00 00 00\n 00 00 00\n 00 00 00\n 00 00 00\n 00 00 00\n"
      " 00 00 00\n 00 00 00\n 00 00 FF\n"
      "Channel3\n"
      " C5 01 02 03\t\t;0000\n"
      "Channel1\n"
      "\n"
      "Channel2\n"
      " 04\n"
      " 05\n"
      "Channel4\nChannel5\nChannel6\nChannel7\nChannel8\n");
  EXPECT_EQ(warnings(p.report), Texts{});
  EXPECT_EQ(p.read.missing, "");
  EXPECT_TRUE(p.read.wave);
  EXPECT_EQ(p.read.drum, (std::array<bool, drum_count>{true, true, true, true, true, true, true,
                                                        true, true, true, true, true}));
  EXPECT_EQ(p.record.wave[2], 0x1FF);  // a word: no digit is dropped
  EXPECT_EQ(p.record.wave[15], 0x0F);
  EXPECT_EQ(p.record.drum[1][2], 0x15);
  EXPECT_EQ(p.record.drum[11][2], 0xFF);
  EXPECT_EQ(p.record.data, (Bytes{0xC5, 0x01, 0x02, 0x03, 0x04, 0x05}));
  EXPECT_EQ(p.record.data_lines, (std::vector<int>{25, 25, 25, 25, 29, 30}));
  const std::array<std::int32_t, 8> offsets = {-1, 4, 0, -1, -1, -1, -1, -1};
  EXPECT_EQ(p.record.channel_address, offsets);
  EXPECT_EQ(p.record.second_address, offsets);
}

// A word that is not two hex digits or a jump target is named and dropped; the line's other
// bytes are kept, and nothing shifts.
TEST(ParseSongText, OnlyTwoDigitValuesAndJumpTargetsAreStored) {
  const std::string not_hex = "は2桁の16進数ではありません。書き込みません（メモは ; の後に書いてください）";
  const std::string bad_target =
      "が読めません（ChN+XXXX か $XXXX、N は 0～8、XXXX は4桁の16進数）。書き込みません";
  struct Case {
    const char* line;
    Bytes stored;
    std::string warning;
  };
  const Case cases[] = {
      {" 51 DE A6 60 サビ2回目", {0x51, 0xDE, 0xA6, 0x60}, "14文字目の[サビ2回目]" + not_hex},
      {" 0x10 20", {0x20}, "2文字目の[0x10]" + not_hex},
      {" １２ 34", {0x34}, "2文字目の[１２]" + not_hex},
      {" DEF", {}, "2文字目の[DEF]" + not_hex},
      {" -1 01", {0x01}, "2文字目の[-1]" + not_hex},
      {" G1", {}, "2文字目の[G1]" + not_hex},
      {" 7 08", {0x08}, "2文字目の[7]" + not_hex},
      {" 01,02", {}, "2文字目の[01,02]" + not_hex},
      {" F6 Chorus 01", {0xF6, 0x01}, "5文字目のジャンプ先[Chorus]" + bad_target},
      {" F6 Ch1+10", {0xF6}, "5文字目のジャンプ先[Ch1+10]" + bad_target},
      {" F6 $1234", {0xF6, 0x34, 0x12}, ""},
      {"\t0a　0B ; 03 メモ", {0x0A, 0x0B}, ""},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(whole_song(std::string("Channel1\n") + c.line + "\n"));
    EXPECT_EQ(p.record.data, c.stored) << c.line;
    const Texts expected = c.warning.empty() ? Texts{} : Texts{"music00.txt 23行目: " + c.warning};
    EXPECT_EQ(warnings(p.report), expected) << c.line;
  }
  // A NUL byte makes its word unreadable, not the rest of the line.
  std::string nul = " 01 0";
  nul += '\0';
  const Parsed p = parse(whole_song("Channel1\n" + nul + " 02\n"));
  EXPECT_EQ(p.record.data, (Bytes{0x01, 0x02}));
  EXPECT_EQ(p.report.warnings(), 1);
}

// A Wave row needs its 16 values and each Drum line its 3: a row read otherwise keeps the
// image's values, which the builder takes when the flag is off.
TEST(ParseSongText, WaveAndDrumRowsOfTheWrongLength) {
  std::string rows;
  for (int k = 0; k < 11; ++k) rows += " 01 02 03\n";
  struct Case {
    std::string wave;
    std::string drum;
    bool wave_read;
    std::vector<int> drum_unread;  // rows from 0
    Texts warnings;
  };
  const Case cases[] = {
      {" 01 01 01 01 01 01 01 01  01 01 01 01 01 01 01\n", "", false, {},
       {"music00.txt 5行目: Waveの値が15個あります（16個のはずです）。この曲のWaveは元のままにします"}},
      {" 01 01 01 01 01 01 01 01  01 01 01 01 01 01 01 01 01\n", "", false, {},
       {"music00.txt 5行目: Waveの値が17個あります（16個のはずです）。この曲のWaveは元のままにします"}},
      {" 01 01 01 01 01 01 01 01\n 01 01 01 01 01 01 01 FFFF\n", "", true, {}, {}},
      {"", " 01 02\n" + rows, true, {0},
       {"music00.txt 9行目: Drumの1行目の値が2個あります（3個のはずです）。この行は元のままにします"}},
      {"", rows, true, {11},
       {"music00.txt 8行目: Drumの行が11行しかありません（12行のはずです）。残りの行は元のままにします"}},
      {"", rows + " 01 02 03\n 04 05 06\n", true, {},
       {"music00.txt 21行目: Drumは12行までです。この行は書き込みません"}},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(whole_song("", c.wave, c.drum));
    EXPECT_EQ(p.read.wave, c.wave_read) << c.wave;
    for (int k = 0; k < drum_count; ++k) {
      const bool unread = std::find(c.drum_unread.begin(), c.drum_unread.end(), k) != c.drum_unread.end();
      EXPECT_EQ(p.read.drum[k], !unread) << c.drum << k;
    }
    EXPECT_EQ(warnings(p.report), c.warnings) << c.wave << c.drum;
    EXPECT_EQ(p.read.missing, "");
  }
  EXPECT_EQ(parse(whole_song("", " 01 01 01 01 01 01 01 01\n 01 01 01 01 01 01 01 FFFF\n")).record.wave[15], 0xFFFF);
}

// An empty or cut text names what it lacks first; the builder then keeps the song's block.
TEST(ParseSongText, TextWithoutItsLabelOrASectionIsCut) {
  const std::string whole = whole_song("Channel1\n 01 02\n");
  const std::string unlabelled = whole.substr(whole.find("イベント"));
  struct Case {
    std::string text;
    const char* missing;
  };
  const Case cases[] = {
      {"", "曲番号:"},
      {"\r\n\r\n", "曲番号:"},
      {unlabelled, "曲番号:"},
      {whole.substr(0, whole.find("Wave")), "Wave"},
      {whole.substr(0, whole.find("Drum")), "Drum"},
      {whole.substr(0, whole.find("Channel5")), "Channel5"},
      {whole.substr(0, whole.find("Channel8")), "Channel8"},
      {whole, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(parse(c.text).read.missing, c.missing) << c.text;
}

TEST(ParseSongText, UnknownChannelNumberIgnoresItsSection) {
  const Parsed p = parse(whole_song(
      "Channel1\n"
      " 01\n"
      "Channel9\n"
      " 02 03\n"
      "Channel12\n"
      " 06\n"
      "Channel2\n"
      " 04\n"));
  EXPECT_EQ(warnings(p.report), (Texts{"music00.txt: 24行目に不明なチャンネル番号があります",
                                       "music00.txt: 26行目に不明なチャンネル番号があります"}));
  EXPECT_EQ(p.record.data, (Bytes{0x01, 0x04}));
  EXPECT_EQ(p.record.channel_address[0], 0);
  EXPECT_EQ(p.record.channel_address[1], 1);
  // Values before the first header belong to no section.
  EXPECT_EQ(warnings(parse("05 06\n" + whole_song("")).report),
            Texts{"music00.txt 1行目: この行はどの見出し（Wave、Drum、Channel0～8）の下にもないので読みません"});
}

TEST(ParseSongText, RepeatedHeaderGoesOnAfterItsChannelsBytes) {
  Parsed p = parse(whole_song("Channel1\n 01 02\nChannel2\n 03\nChannel1\n 04\nChannel2\n F6 Ch1+0002\n"));
  EXPECT_EQ(p.record.data, (Bytes{0x01, 0x02, 0x04, 0x03, 0xF6, 0x02, 0x00}));
  EXPECT_EQ(p.record.channel_address[0], 0);
  EXPECT_EQ(p.record.channel_address[1], 3);
  ASSERT_EQ(p.record.named_targets.size(), 1u);
  EXPECT_EQ(p.record.named_targets[0].at, 5);
  EXPECT_EQ(p.report.warnings(), 2);
  EXPECT_EQ(p.report.last(),
            "警告: music00.txt 28行目: Channel2の見出しがもう一度あります。ここからのバイトはそのチャンネルの前の部分の後に続けます");

  // A table section again is read in place of the earlier one, said.
  p = parse(whole_song("", "", std::string(" 01 02 03\n") + "\nDrum\n 05 06 07\n"));
  EXPECT_EQ(p.record.drum[0][0], 5);
  EXPECT_FALSE(p.read.drum[1]);
  EXPECT_EQ(warnings(p.report).front(),
            "music00.txt 11行目: Drumの見出しがもう一度あります。ここからの値で最初から上書きします");
}

TEST(ParseSongText, LongLinesAndLargeChannelsAreReadWhole) {
  // One line of 3000 values (9000 characters) and more than 8192 bytes in all.
  std::string line;
  for (int i = 0; i < 3000; ++i) line += i % 2 ? " 1A" : " 2B";
  std::string text = "Channel1\n" + line + "\nChannel2\n";
  for (int i = 0; i < 6000; ++i) text += " 0C\n";
  const Parsed p = parse(whole_song(text));
  ASSERT_EQ(p.record.data_length, 9000);
  EXPECT_EQ(p.record.data[0], 0x2B);
  EXPECT_EQ(p.record.data[2999], 0x1A);
  EXPECT_EQ(p.record.data[8999], 0x0C);
  EXPECT_EQ(p.record.channel_address[1], 3000);
}
