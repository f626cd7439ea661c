#include <gtest/gtest.h>

#include <algorithm>

#include "core/report.hpp"
#include "tables/formations.hpp"
#include "table_job.hpp"

namespace {

constexpr std::uint32_t role = 0x3E68CB;
constexpr std::uint32_t techs = 0x3E939B;

std::size_t line_of(int id) { return static_cast<std::size_t>(3 + id); }

// A row of formation `id` with the name kept and every other cell given.
std::string row(const std::string& original, const std::string& cells) {
  const std::size_t name_end = original.find(',', original.find(',') + 1);
  return original.substr(0, name_end + 1) + cells;
}

// Rates, speeds, then 25 role marks, recovery, two marks, six techniques, fusion, 24 positions.
std::string data_cells(const std::string& rates, const std::string& speeds) {
  std::string cells = rates + speeds;
  for (int k = 0; k < 25; ++k) cells += "×,";
  cells += "0,×,×,0x20,0x21,0x22,0x23,0x24,0x25,×,";
  for (int k = 0; k < 24; ++k) cells += "1,";
  return cells;
}

struct Formations : TableTest {
  Formations() : TableTest("form.csv") {}

  void extract_csv() {
    extract_image(input);
    ASSERT_EQ(lines.size(), 74u);
  }
  // Reads the edited file and stores this table alone into a copy of `input`.
  std::vector<std::uint8_t> rebuild() { return store_alone(formation_table()); }
};

}  // namespace

TEST_F(Formations, RatesSpeedsAndUnheldBitsRoundTrip) {
  input[techs + 6] = 0xFF;               // bits 6-0 belong to no field and are kept
  input[role + 11 + 5] = 0xF4;           // speed sign with magnitude 0
  const std::uint8_t falling[5] = {100, 50, 50, 200, 10};
  for (int j = 0; j < 5; ++j) input[role + 22 + j] = falling[j];
  extract_csv();
  EXPECT_NE(lines[line_of(2)].find(",100,-50,0,150,-190,"), std::string::npos) << lines[line_of(2)];

  // Cells past the name of a formation without data are never stored.
  lines[line_of(0x20)] += data_cells("1,2,3,4,5,", "1,1,1,1,1,");
  const std::vector<std::uint8_t> out = rebuild();
  ASSERT_EQ(out.size(), input.size());  // the speed of -0 too
  for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], input[i]) << "at 0x" << std::hex << i;
}

TEST_F(Formations, RateSumsAreCutAt255) {
  extract_csv();
  lines[line_of(0)] = row(lines[line_of(0)], data_cells("100,100,100,0,0,", "0,0,0,0,0,"));
  lines[line_of(1)] = row(lines[line_of(1)], data_cells("255,1,1,0,0,", "0,0,0,0,0,"));
  lines[line_of(2)] = row(lines[line_of(2)], data_cells("10,-20,5,0,300,", "0,0,0,0,0,"));
  const std::vector<std::uint8_t> out = rebuild();
  const std::string said = report.log_text();

  const std::vector<std::uint8_t> totals(out.begin() + role, out.begin() + role + 5);
  EXPECT_EQ(totals, (std::vector<std::uint8_t>{100, 200, 255, 255, 255}));
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + role + 11, out.begin() + role + 16),
            (std::vector<std::uint8_t>{255, 255, 255, 255, 255}));
  // A negative rate lowers the total, which is stored modulo 256.
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + role + 22, out.begin() + role + 27),
            (std::vector<std::uint8_t>{10, 246, 251, 251, 255}));
  for (const char* message :
       {"ID:00の3つの選択率の合計が255を超えています\r\n", "ID:00の3つ目の選択率はまるめられます\r\n",
        "ID:01の2つの選択率の合計が255を超えています\r\n", "ID:01の2つ目の選択率はまるめられます\r\n",
        "ID:01の3つの選択率の合計が255を超えています\r\n", "ID:01の3つ目の選択率はまるめられます\r\n",
        "ID:02の5つの選択率の合計が255を超えています\r\n"}) {
    EXPECT_NE(said.find(message), std::string::npos) << message;
  }
  EXPECT_EQ(said.find("ID:00の4つ"), std::string::npos);
  EXPECT_EQ(said.find("ID:01の4つ"), std::string::npos);

  TableRecord record = make_record(formation_layout(), 1);
  record.value[2] = 255;
  record.value[3] = 1;
  record.value[4] = 1;
  apply_rate_rule(record, 1);
  EXPECT_EQ(std::vector<std::int32_t>(record.value.begin() + 2, record.value.begin() + 7),
            (std::vector<std::int32_t>{255, 0, 0, 0, 0}));
}

// Speeds beyond -3..3 are clamped with a warning each.
TEST_F(Formations, SpeedsAreSignAndMagnitude) {
  extract_csv();
  lines[line_of(3)] = row(lines[line_of(3)], data_cells("0,0,0,0,0,", "-2,4,-4,3,-3,"));
  const std::vector<std::uint8_t> out = rebuild();
  const std::uint32_t members = role + 33 + 5;
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + members, out.begin() + members + 5),
            (std::vector<std::uint8_t>{0x06, 0x03, 0x07, 0x03, 0x07}));
  EXPECT_EQ(report.warnings(), 2);

  extract_image(out);
  const std::string& line = lines[line_of(3)];
  EXPECT_NE(line.find(",0,0,0,0,0,-2,3,-3,3,-3,×,"), std::string::npos) << line;
}

TEST_F(Formations, AFileThatEndsEarlyIsNotStored) {
  extract_csv();
  lines[line_of(0)] = row(lines[line_of(0)], data_cells("1,1,1,1,1,", "1,1,1,1,1,"));
  lines.resize(line_of(63));
  const std::vector<std::uint8_t> out = rebuild();
  EXPECT_EQ(first_difference(out, input), -1);
  EXPECT_NE(message_of(report, msg::file_too_short).find("form.csv"), std::string::npos);
}
