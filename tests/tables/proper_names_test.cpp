#include <gtest/gtest.h>

#include "tables/proper_names.hpp"
#include "table_job.hpp"

namespace {

struct ProperNames : TableTest {
  ProperNames() : TableTest("name.csv") {}

  // The sample's image after storing the edited file, and the last message of read and store.
  std::vector<std::uint8_t> store(std::string* message = nullptr) {
    std::vector<std::uint8_t> image = store_alone(proper_name_table());
    if (message) *message = after_store;
    return image;
  }
  // The line of slot j of group g.
  static std::size_t row(std::size_t g, std::size_t j) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < g; ++i) line += 3 + static_cast<std::size_t>(proper_name_table().sections[i].rows);
    return line + 3 + j;
  }
  static std::uint32_t slot(std::size_t g, std::uint32_t j) {
    const NameSlot& group = proper_name_table().sections[g].name;
    return group.rom_offset + group.size * j;
  }
};

}  // namespace

TEST_F(ProperNames, RoundTrip) {
  EXPECT_EQ(first_difference(store(), input), -1);
}

TEST_F(ProperNames, SlotsArePaddedCutAndFilledExactly) {
  lines[row(8, 3)] = "0x03,サシスセソタチツ,";                    // eight glyphs fill the slot
  lines[row(8, 4)] = "0x04,サ,";                                   // padded with the blank
  lines[row(4, 0)] = "0x00,魔魔魔魔魔魔魔魔魔魔魔魔魔魔,";          // 28 bytes for a 26-byte slot
  lines[row(4, 1)] = "0x01,ああああああああああああああああああああああああああああ,";
  const std::vector<std::uint8_t> image = store();
  EXPECT_EQ(lines[row(8, 3)].size(), 22u);
  EXPECT_EQ(bytes_at(image, slot(8, 3), 8), (std::vector<std::uint8_t>{0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x91, 0x92, 0x93}));
  EXPECT_EQ(bytes_at(image, slot(8, 4), 8), (std::vector<std::uint8_t>{0x8C, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50}));
  std::vector<std::uint8_t> kanji;
  for (int i = 0; i < 13; ++i) kanji.insert(kanji.end(), {0x20, 0xB0});
  EXPECT_EQ(bytes_at(image, slot(4, 0), 26), kanji);
  EXPECT_EQ(bytes_at(image, slot(4, 1), 26), std::vector<std::uint8_t>(26, 0x51));
  // Neighbours keep their bytes.
  EXPECT_EQ(bytes_at(image, slot(8, 5), 8), bytes_at(input, slot(8, 5), 8));
  EXPECT_EQ(bytes_at(image, slot(4, 2), 26), bytes_at(input, slot(4, 2), 26));
}

TEST_F(ProperNames, RowsArePlacedByPositionNotByID) {
  lines[row(0, 7)] = "0x1F,あ,";
  lines[row(2, 0)] = ",い,";
  const std::vector<std::uint8_t> image = store();
  EXPECT_EQ(image[slot(0, 7)], 0x51);
  EXPECT_EQ(image[slot(0, 31)], input[slot(0, 31)]);
  EXPECT_EQ(bytes_at(image, slot(2, 0), 3), (std::vector<std::uint8_t>{0x52, 0x50, 0x50}));
}

TEST_F(ProperNames, AFileThatEndsEarlyIsNotStored) {
  lines.resize(row(8, 15));
  lines[row(0, 0)] = "0x00,あ,";
  std::string message;
  EXPECT_EQ(first_difference(store(&message), input), -1);
  EXPECT_NE(message.find("name.csv"), std::string::npos);
}

// The formation-technique names are the same slots; a build stores this table after that one.
TEST_F(ProperNames, NameFileWinsOverTheFormationTechniques) {
  ASSERT_EQ(extract(rom, folder), 0);
  const std::string form_tech = folder + "form_tech.csv";
  if (file_exists(form_tech)) {
    std::vector<std::string> techs = split_lines(read_text(form_tech));
    const std::size_t comma = techs.at(3).find(',', 5);
    techs[3] = "0x00,かかかか" + techs[3].substr(comma);
    write_text(form_tech, join_lines(techs));
  }
  lines[row(2, 0)] = "0x00,ささ,";
  write_text(folder + "name.csv", join_lines(lines));
  ASSERT_EQ(build(rom, dir.path("out.smc"), folder), 0);
  EXPECT_EQ(bytes_at(read_bytes(dir.path("out.smc")), slot(2, 0), 10),
            (std::vector<std::uint8_t>{0x5B, 0x5B, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50, 0x50}));
}
