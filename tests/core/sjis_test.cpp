#include "core/sjis.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Sjis, CharLength) {
  struct Case {
    std::string text;
    std::size_t at;
    std::size_t length;
  };
  const Case cases[] = {
      {"ア", 0, 2},    {"ｱ", 0, 1},      {"a", 0, 1},       {"ソ", 0, 2},  // trail 0x5C
      {"\x81", 0, 1},  {"\x81,", 0, 1},  {"\x81\r\n", 0, 1}, {"\x80", 0, 1},
      {"\xA0", 0, 1},  {"\xFD\x40", 0, 1}, {"ア", 5, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(sjis::char_length(c.text, c.at), c.length) << c.text;
}

TEST(Sjis, CutNeverSplitsACharacter) {
  // "ぁ" is 0x82 0x9F: its trail byte is also a lead byte.
  const std::string text = "ぁぁｱa漢";
  struct Case {
    std::size_t limit;
    std::size_t cut;
  };
  const Case cases[] = {{0, 0}, {1, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 5}, {6, 6}, {7, 6}, {8, 8}, {99, 8}};
  for (const Case& c : cases) EXPECT_EQ(sjis::cut(text, c.limit), c.cut) << c.limit;
  EXPECT_EQ(sjis::cut("a\x81", 2), 2u);
}

}  // namespace
