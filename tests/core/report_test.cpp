#include <gtest/gtest.h>

#include "core/platform.hpp"
#include "core/report.hpp"

TEST(Report, MessagesCarryTheirLabelAndPlaceBannersOnlyTheLog) {
  Report report;
  report.add(msg::cannot_open, std::string("a.csv"));
  EXPECT_EQ(report.last(), "エラー: ファイル[a.csv]が開けませんでした");
  report.section(msg::load_banner, "敵パターン");
  report.progress(msg::progress, "行動パターン");
  {
    PlaceScope scope(&report, Place{"form.csv", 12, "①素早さ"});
    report.add(msg::value_clamped, "4", "-3", "3", "3");
    PlaceScope file_only(&report, Place{"monster.csv", 0, ""});
    report.add(msg::copier_header);
  }
  report.add(msg::success);
  PlaceScope none(nullptr, Place{"x", 1, ""});

  ASSERT_EQ(report.entries().size(), 4u);
  EXPECT_EQ(report.entries()[1].text, "form.csv 12行目 ①素早さ: 4 は -3～3 の範囲外です。3 を書き込みます");
  EXPECT_EQ(report.entries()[1].id, std::string("value_clamped"));
  EXPECT_EQ(report.entries()[2].text, "monster.csv: smcファイルに512バイトのコピーヘッダがあります。そのまま残します");
  EXPECT_EQ(report.last(), "正常に終了しました");  // the place ended with its scope
  EXPECT_TRUE(report.has(msg::value_clamped));
  EXPECT_FALSE(report.has(msg::cannot_write));
  EXPECT_EQ(report.errors(), 1);
  EXPECT_EQ(report.warnings(), 1);
  EXPECT_EQ(report.log_text(),
            "エラー: ファイル[a.csv]が開けませんでした\r\n"
            "-----------------------------------------------\r\n"
            "    敵パターンデータの取得\r\n"
            "-----------------------------------------------\r\n"
            "...行動パターン...\r\n"
            "警告: form.csv 12行目 ①素早さ: 4 は -3～3 の範囲外です。3 を書き込みます\r\n"
            "monster.csv: smcファイルに512バイトのコピーヘッダがあります。そのまま残します\r\n"
            "正常に終了しました\r\n");
  // The second byte of 表 is a backslash.
  EXPECT_EQ(file_name_of(std::string("csv") + platform::native_separator + "表.csv"), "表.csv");
}

TEST(Report, FinalTextCountsAndShowsTenMessagesErrorsFirst) {
  Report report;
  EXPECT_EQ(report.final_text("x.log"), "正常に終了しました");
  report.add(msg::copier_header);  // info does not count
  EXPECT_EQ(report.final_text(), "正常に終了しました");

  for (int i = 0; i < 9; ++i) report.add(msg::missing_tag_arguments, i);
  report.add(msg::cannot_open, std::string("b"));
  report.add(msg::cannot_open, std::string("c"));
  const std::string text = report.final_text("csv/varbek.log");
  std::string expected =
      "終了しました（エラー 2 件、警告 9 件）\n"
      "エラー: ファイル[b]が開けませんでした\n"
      "エラー: ファイル[c]が開けませんでした\n";
  for (int i = 0; i < 8; ++i) {
    expected += Report::format("警告: タグ引数が足りません : タグ = 0x%02X\n", i);
  }
  expected += "……ほか 1 件\nすべてのメッセージは csv/varbek.log にあります";
  EXPECT_EQ(text, expected);
}
