#include <gtest/gtest.h>

#include <utility>

#include "core/report.hpp"
#include "tables/items.hpp"
#include "table_job.hpp"

namespace {

struct Area {
  std::uint32_t offset;
  std::uint32_t size;
};
const Area item_areas[] = {
    {0x3D0280, 8 * 256},  // names
    {0x3E9958, 2 * 256},  // prices
    {0x3E0000, 0x600},    // effect stream
    {0x3E95C3, 8},        // tool comments
    {0x3E9738, 2 * 32},   // consumable records
    {0x3E9778, 32},       // consumable comments
};

bool in_item_areas(std::size_t at) {
  for (const Area& a : item_areas) {
    if (at >= a.offset && at < a.offset + a.size) return true;
  }
  return false;
}

// The line of item `id` in the file: the title, then per sub-table an empty line and a header.
std::size_t line_of(int id) {
  const int sub = id < 0x08 ? 0 : id < 0x50 ? 1 : id < 0x60 ? 2 : id < 0xE0 ? 3 : 4;
  return static_cast<std::size_t>(3 + id + 2 * sub);
}

std::string with_cells(const std::string& line, std::initializer_list<std::pair<int, const char*>> edits) {
  std::vector<std::string> cells = split_cells(line);
  for (const auto& [column, text] : edits) cells.at(static_cast<std::size_t>(column)) = text;
  return join_cells(cells);
}

struct Items : TableTest {
  Items() : TableTest("item.csv") {}

  // Extracts `input`, which a test may have changed first.
  void extract_csv() {
    extract_image(input);
    ASSERT_EQ(lines.size(), 275u);
  }
  std::string cell(int id, int column) const { return split_cells(lines[line_of(id)]).at(static_cast<std::size_t>(column)); }
  // Reads the edited file and stores this table alone into a copy of `input`.
  std::vector<std::uint8_t> rebuild() { return store_alone(item_table()); }
};

}  // namespace

TEST_F(Items, BitsOfNoFieldRoundTrip) {
  // Bits that belong to no armour field, set in the first armour record (0x3E0180): kept.
  input[0x3E0181] |= 0x08;
  input[0x3E0183] |= 0x08;
  input[0x3E0185] |= 0x40;
  input[0x3E0188] |= 0x30;
  extract_csv();
  const std::vector<std::uint8_t> out = rebuild();
  std::vector<std::uint8_t> expected = input;
  ASSERT_EQ(out.size(), expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    ASSERT_EQ(out[i], expected[i]) << "at 0x" << std::hex << i << (in_item_areas(i) ? "" : ", outside the item tables");
  }
}

TEST_F(Items, ValuesComeFromAndGoToTheirTables) {
  // The last record of each part of the effect stream, and the far ends of the other tables.
  input[0x3E001C] = (3 << 3) | 5;                // tool 0x07: kind 3, weight 5
  input[0x3E013C] = 0xA2;                        // weapon 0x4F: kind 20, weight 2, two-handed
  input[0x3E017E] = 0x85;                        // shield 0x5F: guard bit set, evasion 5
  input[0x3E05F7] = 201;                         // armour 0xDF: physical defence
  input[0x3E05FF] = 0xC9;                        // hide stats, auto recovery, weight 9
  input[0x3E9738 + 62] = 0x21;                   // consumable 0xFF: restores LP, one member
  input[0x3E9738 + 63] = 0x85;                   // full recovery, amount 5
  input[0x3E95CA] = 0x3C;                        // comment of tool 0x07
  input[0x3E9797] = 0x4D;                        // comment of consumable 0xFF
  input[0x3E9B56] = 0x34;                        // price of item 0xFF
  input[0x3E9B57] = 0x12;
  extract_csv();
  EXPECT_EQ(cell(0x07, 3), "3");
  EXPECT_EQ(cell(0x07, 4), "5");
  EXPECT_EQ(cell(0x07, 8), "0x3C");
  EXPECT_EQ(cell(0x4F, 3), "20");
  EXPECT_EQ(cell(0x4F, 6), "○");
  EXPECT_EQ(cell(0x5F, 6), "5");
  EXPECT_EQ(cell(0x5F, 8), "×");  // the guard flag is inverted
  EXPECT_EQ(cell(0xDF, 3), "201");
  EXPECT_EQ(cell(0xDF, 44), "○");
  EXPECT_EQ(cell(0xDF, 45), "○");
  EXPECT_EQ(cell(0xDF, 46), "9");
  EXPECT_EQ(lines[line_of(0xFF)].substr(0, 5), "0xFF,");
  EXPECT_EQ(cell(0xFF, 2), "4660");
  EXPECT_EQ(cell(0xFF, 5), "○");
  EXPECT_EQ(cell(0xFF, 10), "○");
  EXPECT_EQ(cell(0xFF, 11), "5");
  EXPECT_EQ(cell(0xFF, 12), "○");
  EXPECT_EQ(cell(0xFF, 13), "0x4D");

  lines[line_of(0x60)] = with_cells(lines[line_of(0x60)], {{4, "○＋"}, {10, "☆"}, {30, "6"}});
  lines[line_of(0x50)] = with_cells(lines[line_of(0x50)], {{8, "○"}, {9, "○"}, {16, "×"}});
  lines[line_of(0xE0)] = with_cells(lines[line_of(0xE0)], {{13, "0x1FF"}});
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[0x3E0181] & 0x07, 4);
  EXPECT_EQ(out[0x3E0183] & 0x07, 7);
  EXPECT_EQ(out[0x3E0186] & 0x07, 6);
  EXPECT_EQ(out[0x3E0142] & 0x80, 0);  // guard "○" leaves the bit clear
  EXPECT_EQ(out[0x3E0143] & 0x81, 0x80);
  EXPECT_EQ(out[0x3E9778], 0xFF);
}

TEST_F(Items, OverlappingAndOversizedValues) {
  extract_csv();
  lines[line_of(0x08)] = with_cells(lines[line_of(0x08)], {{2, "70000"}, {3, "20"}, {4, "3"}, {5, "200"}, {6, "×"}, {7, "×"}});
  lines[line_of(0x09)] = with_cells(lines[line_of(0x09)], {{3, "5"}, {6, "○"}});
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(out[0x3E9958 + 16], 0xFF);  // 70000 clamped to 65535
  EXPECT_EQ(out[0x3E9958 + 17], 0xFF);
  EXPECT_EQ(out[0x3E0020], 0xA3);       // kind 20 sets bit 7 by itself
  EXPECT_EQ(out[0x3E0021], 0x7F);       // 200 clamped to the seven bits
  EXPECT_EQ(out[0x3E0024] & 0xF8, 0x80 | (5 << 3));

  extract_image(out);
  EXPECT_EQ(cell(0x08, 3), "20");
  EXPECT_EQ(cell(0x08, 6), "○");
  EXPECT_EQ(cell(0x09, 3), "21");
}

TEST_F(Items, AFileThatEndsEarlyIsNotStored) {
  extract_csv();
  lines[line_of(0x00)] = with_cells(lines[line_of(0x00)], {{2, "1"}});
  lines.resize(line_of(0xF0));
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(first_difference(out, input), -1);
  EXPECT_NE(message_of(report, msg::file_too_short).find("item.csv"), std::string::npos);
}

// The effect records of the first four sections lie back to back from 0x3E0000 in ID order;
// consumables lie elsewhere.
TEST(ItemSections, EffectRecordsWalkTheStreamInIdOrder) {
  std::uint32_t stream = 0x3E0000;
  std::int32_t id = 0;
  for (const Section& section : item_table().sections) {
    EXPECT_EQ(section.first_id, id);
    id += section.rows;
    const RomSource& effects = section.sources.front();
    if (section.first_id >= 0xE0) {
      EXPECT_GE(effects.rom_offset, 0x3E0600u);
      continue;
    }
    EXPECT_EQ(effects.rom_offset, stream) << section.title;
    stream += effects.stride * static_cast<std::uint32_t>(section.rows);
  }
  EXPECT_EQ(stream, 0x3E0600u);
  EXPECT_EQ(id, 256);
}
