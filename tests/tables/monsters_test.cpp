#include <gtest/gtest.h>

#include "table_job.hpp"

namespace {

constexpr std::uint32_t names = 0x3D0A80, sizes = 0x26E400, stats = 0x3E3F8B;
constexpr std::size_t first_row = 3;

using Bytes = std::vector<std::uint8_t>;

struct Monsters : TableTest {
  Monsters() : TableTest("monster.csv") {}
  // A row of the given monster with its ID, a name and every other cell taken from `cells`.
  void set_row(int id, const std::string& name, const std::string& cells) {
    std::string& line = lines[first_row + static_cast<std::size_t>(id)];
    line = line.substr(0, line.find(',') + 1) + name + "," + cells;
  }
};

const std::string plain_cells =
    "1,2,3,×,×,×,×,0,×,×,×,×,×,0,0,100,1,2,3,4,5,6,7,8,9,10,11,0x01,0x02,0x03,0x04,0x05,0x06,"
    "0x07,0,×,×,";

}  // namespace

TEST_F(Monsters, RoundTripKeepsTheNeighbouringBytes) {
  const Bytes out = rebuild();
  EXPECT_EQ(bytes_at(out, names, 8 * 320), bytes_at(input, names, 8 * 320));
  EXPECT_EQ(bytes_at(out, sizes, 320), bytes_at(input, sizes, 320));
  EXPECT_EQ(bytes_at(out, stats, 25 * 320), bytes_at(input, stats, 25 * 320));
  EXPECT_EQ(bytes_at(out, names - 16, 16), bytes_at(input, names - 16, 16));
  EXPECT_EQ(bytes_at(out, stats + 25 * 320, 16), bytes_at(input, stats + 25 * 320, 16));
}

TEST_F(Monsters, ValuesAreClampedToTheirFieldsWithoutTouchingNeighbours) {
  set_row(1, "ア", "17,5,3,○,×,○,×,6,○,×,○,×,○,7,8,65535,1,2,3,4,5,6,7,8,9,10,11,"
                   "0x1AB,0x02,0x03,0x04,0x05,0x06,0x07,64,○,○,");
  set_row(2, "ア", "1,2,3,×,×,×,×,0,×,×,×,×,×,0,0,65536,1,2,3,4,5,6,7,8,9,10,11,"
                   "0x01,0x02,0x03,0x04,0x05,0x06,0x07,63,×,○,");
  const Bytes out = rebuild();
  EXPECT_EQ(out[sizes + 1], 0xF5);  // height 17 clamped to its nibble
  const Bytes one = bytes_at(out, stats + 25, 25);
  EXPECT_EQ(one[0], 0x80 | 0x20 | 3);
  EXPECT_EQ(one[1], 0x80 | 0x20 | 0x08 | 6);
  EXPECT_EQ(one[4], 0xFF);
  EXPECT_EQ(one[5], 0xFF);
  EXPECT_EQ(one[17], 0xFF);
  EXPECT_EQ(one[24], 0xFF);  // held item 64 clamped to 63
  const Bytes two = bytes_at(out, stats + 50, 25);
  EXPECT_EQ(two[4], 0xFF);
  EXPECT_EQ(two[5], 0xFF);
  EXPECT_EQ(two[24], 0x40 | 63);
  EXPECT_EQ(report.warnings(), 4);  // 17, 0x1AB, 64 and 65536
}

TEST_F(Monsters, RowsLandByPositionAndNamesAreCutOrPadded) {
  set_row(3, "アイウエオカキクケ", plain_cells);   // nine bytes: cut at eight
  set_row(4, "魔", plain_cells);                   // padded with blanks
  set_row(5, "", plain_cells);                     // eight blanks
  set_row(6, "アイウエオカキ魔", plain_cells);     // the kanji would need bytes 7 and 8
  set_row(7, "ア<36 02>A", plain_cells);           // tag kept, unmapped letter blank
  lines[first_row + 8] = "0x13F,イ," + plain_cells;  // an edited ID cell does not move the row
  const Bytes out = rebuild();
  EXPECT_EQ(bytes_at(out, names + 8 * 3, 8), Bytes({0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89}));
  EXPECT_EQ(bytes_at(out, names + 8 * 4, 8), Bytes({0x20, 0xB0, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50}));
  EXPECT_EQ(bytes_at(out, names + 8 * 5, 8), Bytes(8, 0x50));
  EXPECT_EQ(bytes_at(out, names + 8 * 6, 8), Bytes({0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x50}));
  EXPECT_EQ(bytes_at(out, names + 8 * 7, 8), Bytes({0x82, 0x36, 0x02, 0x50, 0x50, 0x50, 0x50, 0x50}));
  EXPECT_EQ(bytes_at(out, names + 8 * 8, 8), Bytes({0x83, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50}));
  EXPECT_EQ(bytes_at(out, names + 8 * 0x13F, 8), bytes_at(input, names + 8 * 0x13F, 8));
  EXPECT_EQ(out[sizes + 8], 0x12);
}

TEST_F(Monsters, AShortFileLeavesTheTableAlone) {
  lines.resize(first_row + 100);
  set_row(0, "ア", plain_cells);
  const Bytes out = rebuild();
  EXPECT_EQ(bytes_at(out, names, 8 * 320), bytes_at(input, names, 8 * 320));
  EXPECT_EQ(bytes_at(out, stats, 25 * 320), bytes_at(input, stats, 25 * 320));
}
