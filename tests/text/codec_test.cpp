#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/report.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"
#include "text/names.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Heap copies of exactly the source's size, so a read past the end is caught by the sanitizers.
// Messages go to `report` from one of the two passes only.
std::string decode(const Bytes& bytes, Report* report = nullptr,
                   const TagTable& tags = default_tag_table()) {
  std::unique_ptr<std::uint8_t[]> source(new std::uint8_t[bytes.size() + 1]);
  std::copy(bytes.begin(), bytes.end(), source.get());
  std::string text;
  const std::size_t count = decode_text(nullptr, source.get(), 0, bytes.size(), nullptr, tags);
  EXPECT_EQ(decode_text(&text, source.get(), 1 << 16, bytes.size(), report, tags), count);
  return text;
}

Bytes encode(const std::string& text, Report* report = nullptr, bool newline = false) {
  std::unique_ptr<char[]> source(new char[text.size() + 1]);
  std::copy(text.begin(), text.end(), source.get());
  const std::size_t count = encode_text(nullptr, source.get(), 0, text.size(), newline, report);
  Bytes bytes(count + 4, 0xAA);
  EXPECT_EQ(encode_text(bytes.data(), source.get(), count, text.size(), newline), count);
  EXPECT_EQ(bytes[count], 0xAA) << "the encoder wrote past its capacity";
  bytes.resize(count);
  return bytes;
}

Bytes encode_into(std::size_t capacity, const std::string& text, Report* report = nullptr) {
  Bytes bytes(capacity + 2, 0x50);
  bytes.resize(encode_text(bytes.data(), text.data(), capacity, text.size(), false, report));
  return bytes;
}

// An event table: one argument for tag 0x10, and sub-code 2 of tag 0x4F takes three bytes.
TagTable event_table() {
  TagTable table{std::vector<std::uint8_t>(336, 0), true};
  table.counts[0x10] = 1;
  table.counts[0x50 + 2] = 3;
  return table;
}

// The messages of a tag short of its arguments and of a character the font lacks, as the
// report's last one.
std::string missing_arguments(const std::string& tag) {
  return "警告: タグ引数が足りません : タグ = 0x" + tag;
}
std::string unmapped(const std::string& offset, const std::string& character) {
  return "警告: 先頭から" + offset + "バイト目の\"" + character + "\"が見つかりませんでした。全角スペースが代入されます";
}

struct EventTable : ::testing::Test {
  const TagTable tags = event_table();
  std::string decode(const Bytes& bytes, Report* report = nullptr) const {
    return ::decode(bytes, report, tags);
  }
};

}  // namespace

TEST(Decoder, GlyphsOfBothWidths) {
  EXPECT_EQ(decode({0x50, 0x51}), "□あ");
  EXPECT_EQ(decode({0x21, 0x00}), "万");
  EXPECT_EQ(decode({0x20, 0xB0}), "魔");
  EXPECT_EQ(decode({0x23, 0xFF}), "汗");
  EXPECT_EQ(decode({0xE6}), " ");
  EXPECT_EQ(decode({0xFF}), "言");
  EXPECT_EQ(decode({0x20}), "<20#>");
  // A lead byte without its deciding byte is a tag short of its argument.
  Report report;
  EXPECT_EQ(decode({0x21}, &report), "<21#>");
  EXPECT_EQ(decode({0x51, 0x23}, &report), "あ<23#>");
  EXPECT_EQ(report.last(), missing_arguments("23"));
  EXPECT_EQ(report.warnings(), 2);
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
  Report report;
  EXPECT_EQ(decode({0x36}, &report), "<36#>");
  EXPECT_EQ(report.last(), missing_arguments("36"));
  EXPECT_EQ(decode({0x51, 0x20}, &report), "あ<20#>");
  EXPECT_EQ(report.last(), missing_arguments("20"));
}

TEST(Decoder, ExtraPagePairsKeepTheirBytes) {
  EXPECT_EQ(decode({0x18, 0x05, 0x51}), "<18 05>あ");
  EXPECT_EQ(decode({0x18, 0x50}), "<18 50>");
  Report report;
  EXPECT_EQ(decode({0x51, 0x18}, &report), "あ<18#>");
  EXPECT_EQ(report.last(), missing_arguments("18"));
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
  Report report;
  EXPECT_EQ(decode({0x48, 0x01, 0x05, 0xAA}, &report), "<48 01 05 AA#>");
  EXPECT_EQ(report.last(), missing_arguments("48"));
  EXPECT_EQ(decode({0x48, 0x01}), "<48 01#>");  // the length byte is missing: L reads as 0
  EXPECT_EQ(decode({0x4F, 0x02, 0x0A, 0x0B, 0x51}), "<4F 02 0A 0B>あ");
  // The count includes the sub-code itself: an entry of 0 leaves the sub-code a tag of its own.
  EXPECT_EQ(decode({0x4F, 0x03, 0x51}), "<4F><03>あ");
  EXPECT_EQ(decode({0x10, 0x51, 0x36, 0x51}), "<10 51><36>あ");
}

TEST(Decoder, AShortTableIsNeverReadPastItsEnd) {
  const TagTable short_table{std::vector<std::uint8_t>(0x20, 1), true};
  EXPECT_EQ(decode({0x4F, 0x30, 0x51}, nullptr, short_table), "<4F><30>あ");
  EXPECT_EQ(decode({0x3A, 0x30}, nullptr, short_table), "<3A><30>");
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
  EXPECT_EQ(encode("ア\r\nイ", nullptr, true), Bytes({0x82, 0x24, 0x83}));
  EXPECT_EQ(encode(std::string("ア\0\0イ\0", 7)), Bytes({0x82, 0x83}));
}

// A tag is pairs of hex digits, one space between them, as the decoder writes it; anything else
// is reported, and its complete pairs are still written.
TEST(Encoder, Tags) {
  struct Case {
    const char* text;
    Bytes bytes;
    bool malformed;
  };
  const Case cases[] = {
      {"<20 41>", {0x20, 0x41}, false},
      {"<4F 03 01 02>", {0x4F, 0x03, 0x01, 0x02}, false},
      {"<4f 03 01 02>", {0x4F, 0x03, 0x01, 0x02}, false},
      {"<48 01#>", {0x48, 0x01}, false},
      {"<36#>", {0x36}, false},
      {"<1AA7>", {0x1A, 0xA7}, true},
      {"< 1A>", {0x1A}, true},
      {"<1A >", {0x1A}, true},
      {"<1A  A7>", {0x1A, 0xA7}, true},
      {"<#>", {}, true},
      {"<1A#A7>", {0x1A, 0xA7}, true},
      {"<4 1>", {0x01}, true},
      {"<>", {}, true},
      {"<123>ア", {0x12, 0x82}, true},
      {"<ZZ>ア", {0x82}, true},
      // An unclosed tag stops at the end of its source.
      {"ア<36 02", {0x82, 0x36, 0x02}, true},
      {"<36 0", {0x36}, true},
      {"<", {}, true},
  };
  for (const Case& c : cases) {
    Report report;
    EXPECT_EQ(encode(c.text, &report), c.bytes) << c.text;
    EXPECT_EQ(report.has(msg::malformed_tag), c.malformed) << c.text;
    EXPECT_EQ(report.warnings(), c.malformed ? 1 : 0) << c.text;
  }
  Report report;
  encode("ア<1 2>", &report);
  EXPECT_EQ(report.last(), "警告: 先頭から3バイト目のタグ\"<1 2>\"が正しくありません（2桁の16進数を1つのスペースで区切ってください）");
}

TEST(Encoder, UnmappedCharactersAreReportedWithTheirOffset) {
  Report report;
  EXPECT_EQ(encode("A", &report), Bytes({0x50}));
  EXPECT_EQ(report.last(), unmapped("1", "A"));
  EXPECT_EQ(encode("アイ<01>Ａ", &report), Bytes({0x82, 0x83, 0x01, 0x50}));
  EXPECT_EQ(report.last(), unmapped("9", "Ａ"));
  // A lead byte at the very end has no partner to read.
  EXPECT_EQ(encode("ア\x88", &report), Bytes({0x82, 0x50}));
  EXPECT_EQ(report.last(), unmapped("3", "\x88"));
  EXPECT_EQ(report.warnings(), 3);
  // A lead byte takes the next byte as its partner.
  EXPECT_EQ(encode("\x88ア"), Bytes({0x50, 0x50}));
}

TEST(Encoder, CapacityCutsWithoutHalfCharactersOrLaterMessages) {
  EXPECT_EQ(encode_into(1, "魔"), Bytes());
  EXPECT_EQ(encode_into(3, "ア魔魔"), Bytes({0x82, 0x20, 0xB0}));
  EXPECT_EQ(encode_into(2, "ア魔イ"), Bytes({0x82}));  // stops at the kanji, no イ after it
  EXPECT_EQ(encode_into(2, "<01 02 03>"), Bytes({0x01, 0x02}));
  Report report;
  EXPECT_EQ(encode_into(8, "アイウエオカキクケA", &report).size(), 8u);
  EXPECT_TRUE(report.entries().empty()) << report.last();
  std::uint8_t byte = 0x77;
  EXPECT_EQ(encode_text(&byte, "ア", 0, 2, false), 0u);
  EXPECT_EQ(encode_text(&byte, nullptr, 4, 2, false), 0u);
  EXPECT_EQ(byte, 0x77);
}

// Any bytes decode to text that encodes back to them.
TEST(RoundTrip, RandomBytesComeBack) {
  std::mt19937 random(12345);
  for (int trial = 0; trial < 3000; ++trial) {
    Bytes bytes(1 + random() % 40);
    for (std::uint8_t& b : bytes) {
      const unsigned pick = random() % 4;
      b = static_cast<std::uint8_t>(pick == 0 ? random() % 0x50 : pick == 1 ? 0x20 + random() % 4 : random());
    }
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
