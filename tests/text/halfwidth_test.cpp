#include "text/halfwidth.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/sjis.hpp"

namespace {

TEST(Halfwidth, FullwidthForms) {
  struct Case {
    std::string text;
    std::size_t at;
    std::string character;
    std::size_t consumed;
  };
  const Case cases[] = {
      {"ｱ", 0, "ア", 1},   {"｡", 0, "。", 1},    {"ｰ", 0, "ー", 1},    {"ﾝ", 0, "ン", 1},
      {"ｺﾞ", 0, "ゴ", 2},  {"ｶﾞ", 0, "ガ", 2},   {"ﾄﾞ", 0, "ド", 2},   {"ﾊﾟ", 0, "パ", 2},
      {"ﾎﾟ", 0, "ポ", 2},  {"ﾎﾞ", 0, "ボ", 2},   {"ｳﾞ", 0, "ヴ", 2},   {"ﾞ", 0, "゛", 1},
      {"ﾟ", 0, "゜", 1},   {"ｶﾟ", 0, "カ", 1},   {"ｶﾟ", 1, "゜", 1},   {"ｦﾞ", 0, "ヲ", 1},
      {"ｺ", 0, "コ", 1},   {"aｺﾞ", 1, "ゴ", 2},  {"ｱ", 1, "", 0},      {"a", 0, "", 1},
      {"ア", 0, "", 1},
  };
  for (const Case& c : cases) {
    const FullwidthKana kana = fullwidth_kana(c.text, c.at);
    EXPECT_EQ(kana.character, c.character) << c.text << " at " << c.at;
    EXPECT_EQ(kana.consumed, c.consumed) << c.text << " at " << c.at;
  }
}

TEST(Halfwidth, EveryKanaHasOneFullwidthCharacter) {
  for (int byte = 0xA1; byte <= 0xDF; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    const FullwidthKana kana = fullwidth_kana(text, 0);
    ASSERT_EQ(kana.character.size(), 2u) << byte;
    EXPECT_EQ(sjis::char_length(kana.character, 0), 2u) << byte;
  }
}

}  // namespace
