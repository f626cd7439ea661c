#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/message_log.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"
#include "text/names.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Heap copies of exactly the source's size, so a read past the end is caught by the sanitizers.
std::string decode(const Bytes& bytes, std::size_t capacity = 1 << 16) {
  std::unique_ptr<std::uint8_t[]> source(new std::uint8_t[bytes.size() + 1]);
  std::copy(bytes.begin(), bytes.end(), source.get());
  std::string text;
  const std::size_t count = decode_text(nullptr, source.get(), 0, bytes.size());
  EXPECT_EQ(decode_text(&text, source.get(), capacity, bytes.size()), count);
  return text;
}

Bytes encode(const std::string& text, bool newline = false) {
  std::unique_ptr<char[]> source(new char[text.size() + 1]);
  std::copy(text.begin(), text.end(), source.get());
  const std::size_t count = encode_text(nullptr, source.get(), 0, text.size(), newline);
  Bytes bytes(count + 4, 0xAA);
  EXPECT_EQ(encode_text(bytes.data(), source.get(), count, text.size(), newline), count);
  EXPECT_EQ(bytes[count], 0xAA) << "the encoder wrote past its capacity";
  bytes.resize(count);
  return bytes;
}

Bytes encode_into(std::size_t capacity, const std::string& text) {
  Bytes bytes(capacity + 2, 0x50);
  bytes.resize(encode_text(bytes.data(), text.data(), capacity, text.size(), false));
  return bytes;
}

// An event table: one argument for tag 0x10, and sub-code 2 of tag 0x4F takes three bytes.
std::vector<std::uint8_t> event_table() {
  std::vector<std::uint8_t> table(336, 0);
  table[0x10] = 1;
  table[0x50 + 2] = 3;
  return table;
}

// The messages of a tag short of its arguments and of a character the font lacks.
std::string missing_arguments(const std::string& tag) {
  return "タグ引数が足りません : タグ = 0x" + tag + "\n";
}
std::string unmapped(const std::string& offset, const std::string& character) {
  return offset + "バイト目の\"" + character + "\"が見つかりませんでした\n全角スペースが代入されます\n";
}

struct EventTable : ::testing::Test {
  void SetUp() override { set_tag_arguments(event_table()); }
  void TearDown() override { reset_tag_arguments(); }
};

}  // namespace

TEST(Decoder, GlyphsOfBothWidths) {
  EXPECT_EQ(decode({0x50, 0x51}), "□あ");
  EXPECT_EQ(decode({0x21, 0x00}), "万");
  EXPECT_EQ(decode({0x20, 0xB0}), "魔");
  EXPECT_EQ(decode({0x23, 0xFF}), "汗");
  EXPECT_EQ(decode({0xE6}), " ");
  EXPECT_EQ(decode({0xFF}), "言");
  // A missing deciding byte reads as zero.
  EXPECT_EQ(decode({0x21}), "万");
  EXPECT_EQ(decode({0x23}), "０");
  EXPECT_EQ(decode({0x20}), "<20#>");
}

TEST(Decoder, TagsAndTheirArguments) {
  EXPECT_EQ(decode({0x20, 0x41}), "<20 41>");
  EXPECT_EQ(decode({0x20, 0xAF}), "<20 AF>");
  EXPECT_EQ(decode({0x00, 0x00}), "<00><00>");
  EXPECT_EQ(decode({0x3A, 0xab}), "<3A AB>");
  EXPECT_EQ(decode({0x25, 0x36, 0x36, 0x02}), "<25 36><36 02>");
  // 0x48 and 0x4F count their arguments only under an event table.
  EXPECT_EQ(decode({0x48, 0x4F, 0x01}), "<48><4F><01>");
}

TEST(Decoder, MissingArgumentsAreMarkedAndReported) {
  clear_last_message();
  EXPECT_EQ(decode({0x36}), "<36#>");
  EXPECT_EQ(last_message(), missing_arguments("36"));
  EXPECT_EQ(decode({0x51, 0x20}), "あ<20#>");
  EXPECT_EQ(last_message(), missing_arguments("20"));
}

TEST(Decoder, ExtraPagePairsKeepTheirBytes) {
  EXPECT_EQ(decode({0x18, 0x05, 0x51}), "<18 05>あ");
  EXPECT_EQ(decode({0x18, 0x50}), "<18 50>");
  clear_last_message();
  EXPECT_EQ(decode({0x51, 0x18}), "あ<18#>");
  EXPECT_EQ(last_message(), missing_arguments("18"));
}

TEST(Decoder, EmptySourceLeavesTheOutputAlone) {
  std::string text = "kept";
  const std::uint8_t byte = 0x51;
  EXPECT_EQ(decode_text(&text, &byte, 64, 0), 0u);
  EXPECT_EQ(decode_text(&text, nullptr, 64, 5), 0u);
  EXPECT_EQ(text, "kept");
  // Text is appended to what the buffer holds.
  EXPECT_EQ(decode_text(&text, &byte, 64, 1), 2u);
  EXPECT_EQ(text, "keptあ");
}

TEST(Decoder, CapacityKeepsWholePiecesOnly) {
  const Bytes bytes = {0x51, 0x20, 0x41, 0x52};  // あ<20 41>い: 2 + 7 + 2 characters
  // At 8 the tag does not fit, and nothing after it is added.
  const std::pair<std::size_t, const char*> cases[] = {
      {8, "あ"}, {10, "あ<20 41>"}, {11, "あ<20 41>い"}, {3, "あ"}, {1, ""}};
  for (const auto& [capacity, expected] : cases) {
    std::string text;
    EXPECT_EQ(decode_text(&text, bytes.data(), capacity, bytes.size()), 11u) << capacity;
    EXPECT_EQ(text, expected) << capacity;
  }
}

TEST_F(EventTable, CountedAndSubCodedTags) {
  EXPECT_EQ(decode({0x48, 0x01, 0x02, 0xAA, 0xBB}), "<48 01 02 AA BB>");
  clear_last_message();
  EXPECT_EQ(decode({0x48, 0x01, 0x05, 0xAA}), "<48 01 05 AA#>");
  EXPECT_EQ(last_message(), missing_arguments("48"));
  EXPECT_EQ(decode({0x48, 0x01}), "<48 01#>");  // the length byte is missing: L reads as 0
  EXPECT_EQ(decode({0x4F, 0x02, 0x0A, 0x0B, 0x51}), "<4F 02 0A 0B>あ");
  // The count includes the sub-code itself: an entry of 0 leaves the sub-code a tag of its own.
  EXPECT_EQ(decode({0x4F, 0x03, 0x51}), "<4F><03>あ");
  EXPECT_EQ(decode({0x10, 0x51, 0x36, 0x51}), "<10 51><36>あ");
}

TEST_F(EventTable, AShortTableIsNeverReadPastItsEnd) {
  set_tag_arguments(std::vector<std::uint8_t>(0x20, 1));
  EXPECT_EQ(decode({0x4F, 0x30, 0x51}), "<4F><30>あ");
  EXPECT_EQ(decode({0x3A, 0x30}), "<3A><30>");
  reset_tag_arguments();
  EXPECT_EQ(decode({0x48, 0x01, 0x02}), "<48><01><02>");
  EXPECT_EQ(decode({0x3A, 0x30}), "<3A 30>");
}

TEST(Encoder, CharactersOfTheFont) {
  EXPECT_EQ(encode("ア"), Bytes({0x82}));
  EXPECT_EQ(encode("魔"), Bytes({0x20, 0xB0}));
  EXPECT_EQ(encode("□　"), Bytes({0x50, 0x50}));
  EXPECT_EQ(encode("01"), Bytes({0x23, 0x00, 0x23, 0x01}));
  EXPECT_EQ(encode("Ｏ"), encode("0"));
  EXPECT_EQ(encode("へべぺー一"), Bytes({0x9E, 0xDD, 0xE2, 0xE5, 0xE5}));
  EXPECT_EQ(encode(" !%-/:?HLP~"), Bytes({0xE6, 0xEA, 0x22, 0x9B, 0xE5, 0x23, 0x0D, 0x23, 0x0F,
                                          0xEB, 0x23, 0x0A, 0x23, 0x0B, 0x23, 0x0C, 0xF4}));
}

TEST(Encoder, LineEndsAndZeroBytes) {
  EXPECT_EQ(encode("ア\r\nイ"), Bytes({0x82, 0x83}));
  EXPECT_EQ(encode("ア\r\nイ", true), Bytes({0x82, 0x24, 0x83}));
  EXPECT_EQ(encode(std::string("ア\0\0イ\0", 7)), Bytes({0x82, 0x83}));
}

TEST(Encoder, Tags) {
  EXPECT_EQ(encode("<20 41>"), Bytes({0x20, 0x41}));
  EXPECT_EQ(encode("<4 1>"), Bytes({0x01}));
  EXPECT_EQ(encode("<>"), Bytes());
  EXPECT_EQ(encode("<4F 03 01 02>"), Bytes({0x4F, 0x03, 0x01, 0x02}));
  EXPECT_EQ(encode("<4f030102>"), Bytes({0x4F, 0x03, 0x01, 0x02}));
  EXPECT_EQ(encode("<36#>"), Bytes({0x36}));
  EXPECT_EQ(encode("<123>ア"), Bytes({0x12, 0x82}));
  // An unclosed tag stops at the end of its source.
  EXPECT_EQ(encode("ア<36 02"), Bytes({0x82, 0x36, 0x02}));
  EXPECT_EQ(encode("<36 0"), Bytes({0x36}));
  EXPECT_EQ(encode("<"), Bytes());
}

TEST(Encoder, UnmappedCharactersAreReportedWithTheirOffset) {
  clear_last_message();
  EXPECT_EQ(encode("A"), Bytes({0x50}));
  EXPECT_EQ(last_message(), unmapped("0", "A"));
  EXPECT_EQ(encode("アイ<01>Ａ"), Bytes({0x82, 0x83, 0x01, 0x50}));
  EXPECT_EQ(last_message(), unmapped("8", "Ａ"));
  // A lead byte at the very end has no partner to read.
  EXPECT_EQ(encode("ア\xB1"), Bytes({0x82, 0x50}));
  EXPECT_EQ(last_message(), unmapped("2", "\xB1"));
  // A half-width katakana byte takes the next byte as its partner.
  EXPECT_EQ(encode("\xB1ア"), Bytes({0x50, 0x50}));
}

TEST(Encoder, CapacityCutsWithoutHalfCharactersOrLaterMessages) {
  EXPECT_EQ(encode_into(1, "魔"), Bytes());
  EXPECT_EQ(encode_into(3, "ア魔魔"), Bytes({0x82, 0x20, 0xB0}));
  EXPECT_EQ(encode_into(2, "ア魔イ"), Bytes({0x82}));  // stops at the kanji, no イ after it
  EXPECT_EQ(encode_into(2, "<01 02 03>"), Bytes({0x01, 0x02}));
  clear_last_message();
  EXPECT_EQ(encode_into(8, "アイウエオカキクケA").size(), 8u);
  EXPECT_EQ(last_message(), "");
  std::uint8_t byte = 0x77;
  EXPECT_EQ(encode_text(&byte, "ア", 0, 2, false), 0u);
  EXPECT_EQ(encode_text(&byte, nullptr, 4, 2, false), 0u);
  EXPECT_EQ(byte, 0x77);
}

// Any bytes decode to text that encodes back to them, but a last lead byte 0x21-0x23, which
// gains a partner 0x00.
TEST(RoundTrip, RandomBytesComeBack) {
  std::mt19937 random(12345);
  for (int trial = 0; trial < 3000; ++trial) {
    Bytes bytes(1 + random() % 40);
    for (std::uint8_t& b : bytes) {
      const unsigned pick = random() % 4;
      b = static_cast<std::uint8_t>(pick == 0 ? random() % 0x50 : pick == 1 ? 0x20 + random() % 4 : random());
    }
    if (bytes.back() >= 0x21 && bytes.back() <= 0x23) bytes.back() = 0x18;
    const std::string text = decode(bytes);
    ASSERT_EQ(encode(text), bytes) << text;
  }
}

TEST(Names, RoundTripThroughASlot) {
  const Bytes slot = {0x82, 0x20, 0xB0, 0x36, 0x02, 0x18, 0x07, 0x50};
  const std::string name = decode_name(slot.data(), slot.size());
  EXPECT_EQ(name, "ア魔<36 02><18 07>□");
  Bytes back(8, 0);
  encode_name(name, back.data(), back.size());
  EXPECT_EQ(back, slot);
}

TEST(Names, ACapacityOfSixtyFourHoldsSixtyFourCharacters) {
  const Bytes slot(16, 0x00);  // sixteen "<00>", 64 characters
  const std::string name = decode_name(slot.data(), slot.size());
  EXPECT_EQ(name.size(), 64u);
  const Bytes longer(17, 0x00);
  EXPECT_EQ(decode_name(longer.data(), longer.size()).size(), 64u);
}
