#include <gtest/gtest.h>

#include "core/report.hpp"
#include "tables/formation_techs.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t names = 0x3D3BC0, requirements = 0x3E6BAB, effects = 0x3E706B;
constexpr std::size_t first_row = 3;

struct FormationTechs : TableTest {
  FormationTechs() : TableTest("form_tech.csv") {}

  // Zeroes a row after its ID and name, then sets the given cells.
  void set_row(int row, const std::vector<std::pair<const char*, const char*>>& cells) {
    const std::size_t line = first_row + static_cast<std::size_t>(row);
    zero_cells(line, 2);
    for (const auto& [header, text] : cells) set_cell(2, line, header, text);
  }
};

}  // namespace

TEST_F(FormationTechs, RoundTrip) {
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 10 * 64), -1);
  EXPECT_EQ(changed(out, requirements, 12 * 64), -1);
  EXPECT_EQ(changed(out, effects, 14 * 64), -1);
}

// Rows are technique numbers 0x20 on: row 0 and row 63 at both ends of their tables, and
// the byte after the last effect record untouched.
TEST_F(FormationTechs, RowsLandAtTheirTechniqueNumbers) {
  set_row(0, {{"クリティカル率", "0x11"}, {"命中率", "17"}});
  set_row(63, {{"①術可", "34"}, {"クリティカル率", "51"}, {"命中率", "68"}, {"術", "○"}});
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[0x3E6BAB + 11], input[0x3E6BAB + 11]);  // decimal cell: "0x11" is named
  EXPECT_EQ(out[0x3E706B], 17);
  EXPECT_EQ(out[0x3E6E9F], 34);
  EXPECT_EQ(out[0x3E6E9F + 11], 51);
  EXPECT_EQ(out[0x3E73DD], 68);
  EXPECT_EQ(out[0x3E73DD + 13], 0x20);
  EXPECT_EQ(changed(out, 0x3E73EB, 16), -1);
  EXPECT_EQ(changed(out, 0x3E6A2B, 12 * 0x20), -1);
  EXPECT_EQ(changed(out, 0x3E6EAB, 14 * 0x20), -1);
}

TEST_F(FormationTechs, RequirementByteFiveCountsMembersFromTheLowestBit) {
  set_row(1, {{"①必要", "○"}});
  set_row(2, {{"⑤必要", "○"}, {"人数不定", "○"}});
  set_row(3, {{"剣", "○"}, {"曲刀", "○"}, {"蒼龍", "○"}, {"素手可", "○"}});
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[requirements + 12 * 1 + 5], 0x01);
  EXPECT_EQ(out[requirements + 12 * 2 + 5], 0x90);
  EXPECT_EQ(out[requirements + 12 * 3 + 5], 0x40);
  EXPECT_EQ(out[requirements + 12 * 3 + 6], 0x81);
  EXPECT_EQ(out[requirements + 12 * 3 + 7], 0x80);
}

TEST_F(FormationTechs, NarrowFieldsAreClampedToTheirWidth) {
  set_row(4, {{"地属性", "9"}, {"消費ポイント", "32"}});
  set_row(5, {{"術タイプ不明", "3"}, {"地属性", "7"}, {"天属性", "3"}, {"消費ポイント", "40"}, {"全消費", "○"}});
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[effects + 14 * 4 + 11], 0x38);
  EXPECT_EQ(out[effects + 14 * 4 + 13], 0x1F);
  EXPECT_EQ(out[effects + 14 * 5 + 11], 0xFB);  // bit 2 belongs to no field
  EXPECT_EQ(out[effects + 14 * 5 + 13], 0x5F);
}

TEST_F(FormationTechs, AFileThatEndsEarlyIsNotStored) {
  set_row(0, {});
  lines.resize(first_row + 63);
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, requirements, 12 * 64), -1);
  EXPECT_EQ(changed(out, effects, 14 * 64), -1);
  JobContext job;
  EXPECT_EQ(read_fixed_csv(job, folder, formation_tech_table()), nullptr);
  EXPECT_EQ(job.report.last(), Report::format("エラー: ファイル[%s]の行が足りません。このデータは書き込まれません", csv));
}
