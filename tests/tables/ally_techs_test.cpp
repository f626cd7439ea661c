#include <gtest/gtest.h>

#include "core/report.hpp"
#include "tables/ally_techs.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t names = 0x3D27C0, effects = 0x3E0F00, sparks = 0x3E353F,
                        comments = 0x3E94C3, mastery = 0x3DEFFC;
// Lines of the two header rows; each sub-table's rows follow its header.
constexpr std::size_t usable_header = 2, dodge_header = usable_header + 220 + 2;

struct AllyTechs : TableTest {
  AllyTechs() : TableTest("tech.csv") {}

  static std::size_t header_of(int id) { return id < 0xDC ? usable_header : dodge_header; }
  static std::size_t line_index(int id) {
    return header_of(id) + 1 + static_cast<std::size_t>(id < 0xDC ? id : id - 0xDC);
  }
  // Sets the cell of technique `id` under the first column of its sub-table headed `header`;
  // with `clear` every other cell after the name is emptied first.
  void set(int id, const char* header, const std::string& text, bool clear = false) {
    if (clear) zero_cells(line_index(id), 2);
    set_cell(header_of(id), line_index(id), header, text);
  }
};

}  // namespace

TEST_F(AllyTechs, RoundTrip) {
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, names, 10 * 256), -1);
  EXPECT_EQ(changed(out, effects, 14 * 256), -1);
  EXPECT_EQ(changed(out, sparks, 2 * 256), -1);
  EXPECT_EQ(changed(out, comments, 256), -1);
  EXPECT_EQ(changed(out, mastery, 32), -1);
}

// Spark types count from bit 0x01 up; the mastery bitmap from bit 0x80 down.
TEST_F(AllyTechs, SparkTypesAndMasteryKeepTheirBitOrders) {
  for (int id = 0; id < 256; ++id) {
    for (int type = 0; type < 16; ++type) {
      const std::string header = "閃きタイプ" + std::to_string(type);
      set(id, header.c_str(), type == (id & 15) ? "○" : "×");
    }
    set(id, "初期極意", id == 0x09 ? "○" : "×");
  }
  const std::vector<std::uint8_t> out = rebuild();
  for (std::uint32_t id = 0; id < 256; ++id) {
    const unsigned word = out[sparks + 2 * id] | out[sparks + 2 * id + 1] << 8;
    ASSERT_EQ(word, 1u << (id & 15)) << id;
  }
  for (std::uint32_t b = 0; b < 32; ++b) EXPECT_EQ(out[mastery + b], b == 1 ? 0x40 : 0) << b;
}

TEST_F(AllyTechs, EachSubTableUsesItsOwnLayout) {
  set(0xDB, "消費ポイント", "40", true);
  set(0xDC, "対応技0", "1F", true);
  set(0xFF, "技タイプ", "9", true);
  set(0xFF, "コメントID", "0x1AB");
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[effects + 14 * 0xDB + 13], 0x1F);  // 40 clamped to the five bits
  EXPECT_EQ(out[effects + 14 * 0xDB + 0], 0);
  EXPECT_EQ(out[effects + 14 * 0xDC + 0], 0x1F);
  EXPECT_EQ(out[effects + 14 * 0xFF + 10], 9);
  EXPECT_EQ(out[effects + 14 * 0xFF + 11], 0);
  EXPECT_EQ(out[comments + 0xFF], 0xFF);
  EXPECT_EQ(out[sparks + 2 * 0xFF], 0);
}

TEST_F(AllyTechs, UnusedBitsOfUsableTechniquesAreStoredAsZero) {
  for (const char* header : {"地面属性", "飛行属性", "凝視属性", "音波属性", "投げ属性", "水属性"}) {
    set(3, header, "○");
  }
  set(3, "術タイプ不明", "3");
  set(3, "地属性", "7");
  set(3, "天属性", "3");
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[effects + 14 * 3 + 7], 0xF9);
  EXPECT_EQ(out[effects + 14 * 3 + 11], 0xFB);
}

TEST_F(AllyTechs, AFileThatEndsInTheDodgeSectionIsNotStored) {
  set(0, "命中率", "1");
  set(0, "初期極意", "○");
  lines.resize(dodge_header + 1 + 20);
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(changed(out, effects, 14 * 256), -1);
  EXPECT_EQ(changed(out, mastery, 32), -1);
  JobContext job;
  EXPECT_EQ(read_fixed_csv(job, folder, ally_tech_table()), nullptr);
  EXPECT_EQ(job.report.last(), Report::format("エラー: ファイル[%s]の行が足りません。このデータは書き込まれません", csv));
}
