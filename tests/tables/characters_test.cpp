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

TEST_F(Characters, RoundTrip) {
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
