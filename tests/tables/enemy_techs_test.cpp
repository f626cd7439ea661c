#include <gtest/gtest.h>

#include "core/report.hpp"
#include "tables/enemy_techs.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t names = 0x3D31C0, effects = 0x3E1D00, difficulties = 0x3E3D4B;
constexpr std::size_t first_row = 3;

struct EnemyTechs : TableTest {
  EnemyTechs() : TableTest("mons_tech.csv") {}

  // The cell of technique `id` under the first column headed `header`.
  std::string cell(int id, const char* header) const {
    return TableJob::cell(2, first_row + static_cast<std::size_t>(id), header);
  }
  void set(int id, const char* header, const std::string& text) {
    set_cell(2, first_row + static_cast<std::size_t>(id), header, text);
  }
};

}  // namespace

TEST_F(EnemyTechs, RoundTrip) {
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 10 * 256), -1);
  EXPECT_EQ(changed(out, effects, 16 * 256), -1);
  EXPECT_EQ(changed(out, difficulties, 256), -1);
}

// Bit 3 of byte 6 is the dodge flag; the unknown value keeps the other bits, unshifted.
TEST_F(EnemyTechs, ByteSixSplitsIntoUnknownAndDodgeFlag) {
  for (int id = 0; id < 256; ++id) {
    const std::uint8_t byte = input[effects + 16 * static_cast<std::uint32_t>(id) + 6];
    ASSERT_EQ(cell(id, "不明"), std::to_string(byte & 0xF7)) << id;
    ASSERT_EQ(cell(id, "見切り可"), byte & 0x08 ? "○" : "×") << id;
  }
  set(1, "不明", "8");
  set(1, "見切り可", "×");
  set(2, "不明", "247");
  set(2, "見切り可", "○");
  set(3, "不明", "5");
  set(3, "見切り可", "○");
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[effects + 16 * 1 + 6], 0x00);
  EXPECT_EQ(out[effects + 16 * 2 + 6], 0xFF);
  EXPECT_EQ(out[effects + 16 * 3 + 6], 0x0D);
}

TEST_F(EnemyTechs, EditedDodgeDifficultyIsStored) {
  set(0x40, "見切り難易度", "77");
  set(0xFF, "見切り難易度", "300");
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[difficulties + 0x40], 77);
  EXPECT_EQ(out[difficulties + 0xFF], 255);
  EXPECT_EQ(changed(out, difficulties, 0x40), -1);
  EXPECT_EQ(changed(out, effects, 16 * 256), -1);
}

TEST_F(EnemyTechs, UnusedBitsOfByteSevenAreStoredAsZero) {
  // Technique 5's byte 7 with every flag set: the two bits of no field stay clear.
  for (const char* header : {"地面属性", "飛行属性", "凝視属性", "音波属性", "投げ属性", "水属性"}) {
    set(5, header, "○");
  }
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[effects + 16 * 5 + 7], 0xF9);
}

TEST_F(EnemyTechs, AFileThatEndsEarlyIsNotStored) {
  set(0, "命中率", "1");
  set(0, "見切り難易度", "1");
  lines.resize(first_row + 255);
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 10 * 256), -1);
  EXPECT_EQ(changed(out, effects, 16 * 256), -1);
  EXPECT_EQ(changed(out, difficulties, 256), -1);

  JobContext job;
  EXPECT_EQ(read_fixed_csv(job, folder, enemy_tech_table()), nullptr);
  EXPECT_EQ(job.report.last(), Report::format("エラー: ファイル[%s]の行が足りません。このデータは書き込まれません", csv));
}
