#include <gtest/gtest.h>

#include "core/report.hpp"

TEST(MessageLog, KeepsOnlyTheLastPiece) {
  log_message("first %d\n", 1);
  log_message("second %s\n", "x");
  EXPECT_EQ(last_message(), "second x\n");
  log_section("%sデータの取得", "敵パターン");
  EXPECT_EQ(last_message(), "-----------------------------------------------\r\n");
  log_progress("%s", "行動パターン");
  EXPECT_EQ(last_message(), "...\r\n");
}

TEST(MessageLog, LongMessagesAreCutWithoutSplittingACharacter) {
  log_message("%s", std::string(300, 'a').c_str());
  EXPECT_EQ(last_message(), std::string(255, 'a'));
  std::string kanji;
  for (int i = 0; i < 200; ++i) kanji += "魔";
  log_message("a%s", kanji.c_str());  // 1 + 2k bytes: the cut falls inside a character
  EXPECT_EQ(last_message().size(), 255u);
  log_message("%s", kanji.c_str());
  EXPECT_EQ(last_message().size(), 254u);
  EXPECT_EQ(last_message().substr(0, 2), "魔");
}
