#include <gtest/gtest.h>

#include "core/report.hpp"
#include "tables/characters.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t names = 0x3D1480, stats = 0x3E0600, growths = 0x3E31BF;
constexpr std::size_t first_row = 3;

struct Characters : TableTest {
  Characters() : TableTest("char.csv") {}

  // Sets the cell of character `id` under the first column headed `header`.
  void set(int id, const char* header, const std::string& text) {
    set_cell(2, first_row + static_cast<std::size_t>(id), header, text);
  }
};

}  // namespace

TEST_F(Characters, FileLayoutAndRoundTrip) {
  ASSERT_EQ(lines.size(), first_row + 256 + 7);
  EXPECT_EQ(lines[0], ",キャラクターデータ,総数:256,");
  EXPECT_EQ(lines[2],
            std::string("ID,名前(8),") + "画像ID,職業ID," + "性別不明,男,女,アンデッド,不明ビット," +
                "HP,LP,腕力,器用,素早,体力,魔力,意思力,魅力," +
                "剣LV,斧LV,槍LV,弓LV,体LV,地術,地LV,天術,天LV,支援LV," + "成長タイプ,閃きタイプ," +
                "成長HP,不死,成長剣,成長斧,成長槍,成長弓,成長体,成長地,成長天,成長支援," +
                "技ID,技ID,技ID,技ID,術ID,術ID,術ID,術ID," + "腕ID,腕ID,腕ID,腕ID,体ID,体ID,体ID,体ID," +
                "所持陣形ID,宿星,得意術,得意武器,専用武器,不明," +
                "蒼龍禁止,朱鳥禁止,白虎禁止,玄武禁止,太陽禁止,月禁止,コマンダーモードタイプ,不明," +
                "成長度剣,成長度斧,成長度槍,成長度弓,成長度体,成長度蒼龍,成長度朱鳥,成長度白虎,成長度玄武," +
                "成長度太陽,成長度月,成長度不明,成長度支援,成長度WP,成長度JP,成長度HP,");
  EXPECT_EQ(split_cells(lines[first_row + 0x2F]).size(), 86u + 1);
  EXPECT_EQ(split_cells(lines[first_row + 0x30]).size(), 2u + 1);
  EXPECT_EQ(lines[first_row + 0x30].substr(0, 5), "0x30,");
  EXPECT_EQ(lines[first_row + 256 + 2], ",IDの欄は16進法,");
  EXPECT_EQ(lines.back(), ",成長率では使われていないものもある,");

  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 8 * 256), -1);
  EXPECT_EQ(changed(out, stats, 48 * 48), -1);
  EXPECT_EQ(changed(out, growths, 16 * 48), -1);
}

TEST_F(Characters, HpWordAndItsGrowthFlagStayApart) {
  set(0, "HP", "32767");
  set(0, "成長HP", "×");
  set(1, "HP", "32768");
  set(1, "成長HP", "×");
  set(2, "HP", "100");
  set(2, "成長HP", "○");
  set(3, "地術", "4");
  set(3, "地LV", "31");
  set(3, "成長地", "×");
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[stats + 3], 0xFF);
  EXPECT_EQ(out[stats + 4], 0x7F);
  EXPECT_EQ(out[stats + 48 + 3], 0xFF);  // 32768 is clamped, not carried into the flag
  EXPECT_EQ(out[stats + 48 + 4], 0x7F);
  EXPECT_EQ(out[stats + 96 + 3], 100);
  EXPECT_EQ(out[stats + 96 + 4], 0x80);
  EXPECT_EQ(out[stats + 144 + 18], 0x7F);  // 地術 4 clamped to 3 beside 地LV 31
}

TEST_F(Characters, RowsPastThePlayableOnesCarryOnlyTheirName) {
  lines[first_row + 0x30] += "0x11,0x22,1,○,○,○,○,999,99,1,2,3,4,5,6,7,8,";
  lines[first_row + 0xFF] += std::string(500, '1') + ",";
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 8 * 256), -1);
  // Entry 0x30 of the stat and growth tables would lie in other tables' bytes.
  EXPECT_EQ(changed(out, stats + 48 * 0x30, 48), -1);
  EXPECT_EQ(changed(out, growths + 16 * 0x30, 16), -1);
}

TEST_F(Characters, BitsOfNoFieldInByte45AreStoredAsZero) {
  for (const char* header : {"蒼龍禁止", "朱鳥禁止", "白虎禁止", "玄武禁止", "太陽禁止", "月禁止"}) {
    set(7, header, "○");
  }
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[stats + 48 * 7 + 45], 0x3F);
}

TEST_F(Characters, AFileThatEndsEarlyIsNotStored) {
  set(0, "腕力", "1");
  lines.resize(first_row + 200);
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, stats, 48 * 48), -1);
  JobContext job;
  EXPECT_EQ(read_fixed_csv(job, folder, character_table()), nullptr);
  EXPECT_EQ(job.report.last(), Report::format("エラー: ファイル[%s]の行が足りません。このデータは書き込まれません", csv));
}
