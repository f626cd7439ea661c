#include "core/text_encoding.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using text_encoding::file_text_to_sjis;
using text_encoding::looks_like_utf8;
using text_encoding::sjis_to_utf8;
using text_encoding::utf8_to_sjis;

const std::string bom = "\xEF\xBB\xBF";

// Narrow literals are Shift-JIS, u8 literals UTF-8: the same text in both encodings.
const std::string sample_sjis =
    ",モンスターデータ,総数:320,\r\nID,名前(8),耐術\r\n0x00,ｺﾞﾌﾞﾘ,○×△◎☆□\r\n"
    "0x01,漢字かなカナ～―∥－￠￡￢①ⅰ髙,\\~\r\n";
const std::string sample_utf8 =
    u8",モンスターデータ,総数:320,\r\nID,名前(8),耐術\r\n0x00,ｺﾞﾌﾞﾘ,○×△◎☆□\r\n"
    u8"0x01,漢字かなカナ～―∥－￠￡￢①ⅰ髙,\\~\r\n";

TEST(TextEncoding, Detection) {
  struct Case {
    std::string bytes;
    bool bom;
    bool utf8;
  };
  const Case cases[] = {
      {sample_utf8, false, true},    {bom + sample_utf8, true, true},  {bom + "ID,1\r\n", true, true},
      {"ID,1\r\n", false, false},    {"", false, false},               {sample_sjis, false, false},
      {u8"😀", false, true},         {"\xC0\xAF", false, false},       {"\xE0\x80\xAF", false, false},
      {"\xED\xA0\x80", false, false}, {"\xF4\x90\x80\x80", false, false}, {"a\xE3\x81", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text_encoding::has_utf8_bom(c.bytes), c.bom) << c.bytes;
    EXPECT_EQ(looks_like_utf8(c.bytes), c.utf8) << c.bytes;
  }
}

TEST(TextEncoding, NoShiftJisCharacterBetweenAsciiLooksLikeUtf8) {
  std::string text;
  const auto add = [&](std::string character) { text += "0x00," + character + ",1\r\n"; };
  for (int kana = 0xA1; kana <= 0xDF; ++kana) add(std::string(1, static_cast<char>(kana)));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead == 0xA0) lead = 0xE0;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      add(std::string{static_cast<char>(lead), static_cast<char>(trail)});
      ASSERT_FALSE(looks_like_utf8(text.substr(text.size() - 10))) << lead << " " << trail;
    }
  }
  EXPECT_FALSE(looks_like_utf8(text));
}

TEST(TextEncoding, RoundTrip) {
  std::vector<int> lost;
  const std::string utf8 = sjis_to_utf8(sample_sjis, &lost);
  EXPECT_EQ(utf8, sample_utf8);
  EXPECT_EQ(utf8_to_sjis(utf8, &lost), sample_sjis);
  EXPECT_TRUE(lost.empty());
  EXPECT_EQ(text_encoding::sjis_to_utf8_with_bom(sample_sjis), bom + sample_utf8);
}

TEST(TextEncoding, LostCharactersBecomeTheFullwidthSpace) {
  struct Case {
    std::string utf8;
    std::string sjis;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {u8"A,é\r\nB,😀x\r\nC\r\n", "A,　\r\nB,　x\r\nC\r\n", {1, 2}},
      {u8"é😀\n\n€", "　　\n\n　", {1, 1, 3}},  // "€" is 0x80 in some code pages, no character here
      {"a\xFF\xC0\xAF" "b\xE3\x81\r\n", "a　　　b　　\r\n", {1, 1, 1, 1, 1}},
      {u8"〜—‖−¢£¬¥‾", "～―∥－￠￡￢\\~", {}},  // other tables' forms of 932's characters
      {u8"\u0080\uF8F0", "　　", {1, 1}},
  };
  for (const Case& c : cases) {
    std::vector<int> lost;
    EXPECT_EQ(utf8_to_sjis(c.utf8, &lost), c.sjis) << c.utf8;
    EXPECT_EQ(lost, c.lines) << c.utf8;
  }
}

TEST(TextEncoding, BytesThatAreNoShiftJisCharacterBecomeTheFullwidthSpace) {
  std::vector<int> lost;
  EXPECT_EQ(sjis_to_utf8("a\x80" "b\r\n\xA0\r\n\x81\r\nア\xFD\xFE\xFF\x85\x40", &lost),
            u8"a　b\r\n　\r\n　\r\nア　　　　");
  EXPECT_EQ(lost, (std::vector<int>{1, 2, 3, 4, 4, 4, 4}));
}

TEST(TextEncoding, FileText) {
  struct Case {
    std::string bytes;
    std::string sjis;
    bool utf8;
    bool bom;
  };
  const Case cases[] = {
      {bom + sample_utf8, sample_sjis, true, true},
      {sample_utf8, sample_sjis, true, false},
      {sample_sjis, sample_sjis, false, false},
      {bom + "ID\r\n", "ID\r\n", true, true},
      {"ID\r\n", "ID\r\n", false, false},
      {bom, "", true, true},
      // Both encodings: "ﾃｽ" is also "½", which Shift-JIS lacks; "縺　" is also "ぁ@".
      {"0x00,ﾃｽ,\r\n", "0x00,ﾃｽ,\r\n", false, false},
      {"\xE3\x81\x81\x40", "ぁ@", true, false},
  };
  for (const Case& c : cases) {
    const text_encoding::DecodedFile file = file_text_to_sjis(c.bytes);
    EXPECT_EQ(file.sjis, c.sjis) << c.bytes;
    EXPECT_EQ(file.was_utf8, c.utf8) << c.bytes;
    EXPECT_EQ(file.had_bom, c.bom) << c.bytes;
    EXPECT_TRUE(file.lost_lines.empty()) << c.bytes;
  }
  const text_encoding::DecodedFile lossy = file_text_to_sjis(bom + u8"a\r\nb,😀\r\n");
  EXPECT_EQ(lossy.sjis, "a\r\nb,　\r\n");
  EXPECT_EQ(lossy.lost_lines, std::vector<int>{2});
  EXPECT_TRUE(file_text_to_sjis("0x00,ﾃｽ,\r\n").read_as_sjis);
  EXPECT_FALSE(file_text_to_sjis(bom + "\xC2\xBD").read_as_sjis);
}

}  // namespace
