#include <gtest/gtest.h>

#include <algorithm>

#include "core/report.hpp"
#include "tables/learning_chances.hpp"
#include "table_job.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<std::string>;

struct Area {
  const char* title;
  std::uint32_t offset;
  std::size_t slots;
};
const Area areas[4] = {
    {"技閃き確率(383)", 0x3E3A4B, 384},
    {"技閃き確率(カウンター)(23)", 0x3E3F1B, 24},
    {"陣形技閃き確率(95)", 0x3E3E4B, 96},
    {"陣形技閃き確率(カウンター)(7)", 0x3E3F0B, 8},
};
const char* const column_line =
    "ID,技ID,派生技ID,難易度,派生技ID,難易度,派生技ID,難易度,派生技ID,難易度,";

// A file laid out as the extract writes it, with the given rows in each sub-table.
std::string flash_file(const std::vector<Rows>& rows) {
  Rows lines = {",味方技、陣形技派生データ,", ""};
  for (std::size_t t = 0; t < 4; ++t) {
    if (t > 0) lines.push_back("");
    lines.push_back(areas[t].title);
    lines.push_back(column_line);
    lines.insert(lines.end(), rows[t].begin(), rows[t].end());
  }
  lines.insert(lines.end(), {"", "", ",派生技IDと難易度の一セットが必要です,"});
  return join_lines(lines);
}

Bytes area_of(const Bytes& image, std::size_t t) {
  return Bytes(image.begin() + areas[t].offset, image.begin() + areas[t].offset + 2 * areas[t].slots);
}

// The area of `image` once its slots start with `used`: the end marker's byte follows them, and
// the rest keeps the image's bytes.
Bytes area_with(const Bytes& image, std::size_t t, const Bytes& used) {
  Bytes bytes = area_of(image, t);
  std::copy(used.begin(), used.end(), bytes.begin());
  if (used.size() < bytes.size()) bytes[used.size()] = 0xFF;
  return bytes;
}

const std::vector<Rows> plain = {
    {"0x00,0x01,0x02,3,", "0x01,0x04,0x05,6,0x07,8,"},
    {"0x00,0x11,0x12,13,"},
    {"0x00,0x21,0x22,23,"},
    {"0x00,0x31,0x32,33,"},
};
const Bytes plain_slots[4] = {
    {0x01, 1, 0x02, 3, 0x04, 2, 0x05, 6, 0x07, 8},
    {0x11, 1, 0x12, 13},
    {0x21, 1, 0x22, 23},
    {0x31, 1, 0x32, 33},
};

// The tests hold the file's lines themselves.
struct LearningChances : ::testing::Test {
  TableJob job{"flash.csv"};
  Bytes& input = job.input;
  const std::string& csv = job.csv;
  std::string said;  // the messages of the read step, a line each

  Rows extract_csv() {
    job.extract_image(input);
    return job.lines;
  }
  // Reads the file and stores this table alone into a copy of `input`.
  Bytes rebuild(const std::string& text) {
    job.lines = split_lines(text);
    const auto read_step = [this](JobContext& context, const std::string& folder) {
      std::unique_ptr<LearningTables> tables = read_learning_csv(context, folder);
      said.clear();
      for (const ReportEntry& entry : context.report.entries()) said += entry.text + "\n";
      return tables;
    };
    return job.store_alone(read_step, store_learning_tables);
  }
};

}  // namespace

TEST_F(LearningChances, BytesPastTheEndMarkerRoundTrip) {
  // Sub-table 1 of the sample ends with a marker at slot 350; the marker's second byte and what
  // lies after it come back as they were.
  input[0x3E3A4B + 2 * 350 + 1] = 0x56;
  input[0x3E3A4B + 2 * 360] = 0x12;
  input[0x3E3A4B + 2 * 360 + 1] = 0x34;
  extract_csv();
  EXPECT_EQ(first_difference(rebuild(read_text(csv)), input), -1);
}

TEST_F(LearningChances, RowsPackIntoSlotsAndTheRestIsKept) {
  std::vector<Rows> rows = plain;
  rows[0] = {"0x00,0x40,0x41,0,,,,"};  // difficulty 0 counts; empty cells at the end are no pair
  rows[2] = {"0x00,0x12,0x34,5,0x35,10,"};
  const Bytes out = rebuild(flash_file(rows));
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {0x40, 1, 0x41, 0}));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, {0x12, 2, 0x34, 5, 0x35, 10}));
  EXPECT_EQ(area_of(out, 3), area_with(input, 3, plain_slots[3]));
}

TEST_F(LearningChances, AFullAreaHasNoEndMarkerAndOneMoreSlotKeepsTheArea) {
  std::vector<Rows> rows = plain;
  rows[3] = {"0x00,0x01,0x10,1,0x11,2,0x12,3,", "0x01,0x02,0x20,4,0x21,5,0x22,6,"};
  const Bytes exact = {0x01, 3, 0x10, 1, 0x11, 2, 0x12, 3, 0x02, 3, 0x20, 4, 0x21, 5, 0x22, 6};
  Bytes out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "");
  EXPECT_EQ(area_of(out, 3), exact);
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));  // the area right after it

  rows[3][1] += "0x23,7,";
  rows[3].push_back("0x02,0x03,0x30,1,");
  out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 陣形技閃き確率(カウンター)のデータが領域(16バイト)を6バイト超えました。この領域は元のままです\n");
  EXPECT_EQ(area_of(out, 3), area_of(input, 3));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
}

TEST_F(LearningChances, ASubTableThatStopsNeverShiftsTheNext) {
  // Sub-table 2 filled exactly (24 slots).
  std::vector<Rows> rows = plain;
  rows[1] = {"0x00,0x11,0x01,1,0x02,2,0x03,3,0x04,4,0x05,5,0x06,6,0x07,7,0x08,8,0x09,9,0x0A,10,0x0B,11,",
             "0x01,0x12,0x01,1,0x02,2,0x03,3,0x04,4,0x05,5,0x06,6,0x07,7,0x08,8,0x09,9,0x0A,10,0x0B,11,"};
  Bytes full;
  for (std::uint8_t source : {0x11, 0x12}) {
    full.insert(full.end(), {source, 11});
    for (std::uint8_t k = 1; k <= 11; ++k) full.insert(full.end(), {k, k});
  }
  Bytes out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "");
  EXPECT_EQ(area_of(out, 1), full);
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, plain_slots[2]));
  EXPECT_EQ(area_of(out, 3), area_with(input, 3, plain_slots[3]));

  // Rows after a full area, and a pair past it, keep the area.
  rows[1].push_back("0x02,0x13,0x01,1,");
  rows[1].push_back("0x03,0x14,0x01,1,");
  out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 技閃き確率(カウンター)のデータが領域(48バイト)を8バイト超えました。この領域は元のままです\n");
  EXPECT_EQ(area_of(out, 1), area_of(input, 1));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, plain_slots[2]));
  EXPECT_EQ(area_of(out, 3), area_with(input, 3, plain_slots[3]));
  rows[1][1] += "0x0C,12,";
  out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 技閃き確率(カウンター)のデータが領域(48バイト)を10バイト超えました。この領域は元のままです\n");
  EXPECT_EQ(area_of(out, 1), area_of(input, 1));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, plain_slots[2]));
  EXPECT_EQ(area_of(out, 3), area_with(input, 3, plain_slots[3]));

  // A row numbered out of sequence ends its sub-table; the rows after it are passed over.
  rows = plain;
  rows[0] = {"0x00,0x01,0x02,3,", "0x01,0x04,0x05,6,", "0x03,0x07,0x08,9,", "0x04,0x0A,0x0B,12,"};
  out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 7行目 ID: 技閃き確率のIDが「0x03」ですが、0x02のはずです。この行から空行までは読み込みません\n");
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {0x01, 1, 0x02, 3, 0x04, 1, 0x05, 6}));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, plain_slots[2]));

  // A number cell that begins with a two-byte character is out of sequence, not a separator.
  rows[0][2] = "メモ,0x07,0x08,9,";
  out = rebuild(flash_file(rows));
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {0x01, 1, 0x02, 3, 0x04, 1, 0x05, 6}));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, plain_slots[2]));

  // A source 0xFF would end the sub-table in the game: it ends it here, said.
  rows[0] = {"0x00,0x01,0x02,3,", "0x01,0xFF,0x05,6,", "0x02,0x07,0x08,9,"};
  out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 6行目 ID: 技閃き確率の技ID 0xFFはデータの終わりの印です。この行から空行までは書き込みません\n");
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {0x01, 1, 0x02, 3}));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
}

TEST_F(LearningChances, ARowKeepsAtMost255Pairs) {
  std::vector<Rows> rows = plain;
  rows[0] = {"0x00,0x01,", "0x01,0x02,0x03,4,"};
  for (int k = 0; k < 256; ++k) rows[0][0] += "0x07," + std::to_string(k % 100) + ",";
  const Bytes out = rebuild(flash_file(rows));
  EXPECT_EQ(said, "flash.csv 5行目: 技閃き確率で一つの派生元のセット数が255を超えたので残りをスキップします\n");
  const Bytes area = area_of(out, 0);
  EXPECT_EQ(area[1], 255);
  EXPECT_EQ(area[2 * 255], 0x07);
  EXPECT_EQ(Bytes(area.begin() + 2 * 256, area.begin() + 2 * 258 + 1), (Bytes{0x02, 1, 0x03, 4, 0xFF}));
}

TEST_F(LearningChances, EmptySubTablesStayEmpty) {
  std::vector<Rows> rows = plain;
  rows[0].clear();
  rows[2].clear();
  const Bytes out = rebuild(flash_file(rows));
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {}));
  EXPECT_EQ(area_of(out, 1), area_with(input, 1, plain_slots[1]));
  EXPECT_EQ(area_of(out, 2), area_with(input, 2, {}));
  EXPECT_EQ(area_of(out, 3), area_with(input, 3, plain_slots[3]));

  // Written back out, they read the same again.
  job.extract_image(out);
  input = out;
  EXPECT_EQ(first_difference(rebuild(read_text(csv)), out), -1);
}

TEST_F(LearningChances, AHeaderCountRunningPastItsAreaIsCutThere) {
  // Sub-table 4 ends right where sub-table 2 begins: the second row claims 9 pairs.
  const Bytes planted = {0x05, 2, 0x50, 1, 0x51, 2, 0x06, 9, 0x60, 1, 0x61, 2, 0x62, 3, 0x63, 4};
  std::copy(planted.begin(), planted.end(), input.begin() + areas[3].offset);
  write_bytes(job.rom, input);
  Report extracted;
  ASSERT_EQ(extract(job.rom, job.folder, false, &extracted), 0);
  EXPECT_EQ(message_of(extracted, msg::learning_count_past_area),
            "flash.csv 陣形技閃き確率(カウンター)のID 0x01（技ID 0x06）のセット数9は領域の外まで続きます。"
            "ビルドでは領域に収まる4を書き込みます");
  const Rows lines = split_lines(read_text(csv));
  const auto title = std::find(lines.begin(), lines.end(), areas[3].title);
  ASSERT_LT(title + 3, lines.end());
  EXPECT_EQ(*(title + 2), "0x00,0x05,0x50,1,0x51,2,");
  EXPECT_EQ(*(title + 3), "0x01,0x06,0x60,1,0x61,2,0x62,3,0x63,4,");

  Bytes expected = planted;
  expected[7] = 4;
  const Bytes out = rebuild(read_text(csv));
  EXPECT_EQ(area_of(out, 3), expected);
  EXPECT_EQ(area_of(out, 1), area_of(input, 1));
}

// A file that ends inside a sub-table stores the ones before it; that one and the later ones
// keep the image's bytes, and the message says so.
TEST_F(LearningChances, AFileThatEndsInsideASubTableKeepsItAndTheLaterOnes) {
  Rows lines = split_lines(flash_file(plain));
  const auto title = std::find(lines.begin(), lines.end(), areas[1].title);
  lines.erase(title + 3, lines.end());  // ends after the first row of sub-table 2
  std::vector<Rows> rows = plain;
  rows[0][0] = "0x00,0x01,0x09,3,";
  lines[4] = rows[0][0];
  const Bytes out = rebuild(join_lines(lines));
  EXPECT_EQ(area_of(out, 0), area_with(input, 0, {0x01, 1, 0x09, 3, 0x04, 2, 0x05, 6, 0x07, 8}));
  for (std::size_t t = 1; t < 4; ++t) EXPECT_EQ(area_of(out, t), area_of(input, t)) << t;
  EXPECT_NE(said.find("技閃き確率(カウンター)」の途中で終わっています。その前の表だけを書き込み"), std::string::npos) << said;
}

// Every cell is read exactly: values past their column are clamped and named (a source is held
// below the end marker, so no row is lost); a cell that cannot be read keeps the sub-table.
TEST_F(LearningChances, CellsAreReadExactlyOrNamed) {
  const struct {
    const char* row;
    Bytes slots;  // empty: the image's area
    const Message* message;
  } cases[] = {
      {"0x00,0x40,0x41,１００,", {0x40, 1, 0x41, 100}, nullptr},
      {"0x00,0x40,0x41,256,", {0x40, 1, 0x41, 255}, &msg::value_clamped},
      {"0x00,0x40,0x41,-1,", {0x40, 1, 0x41, 0}, &msg::value_clamped},
      {"0x00,0x40,0x1FF,3,", {0x40, 1, 0xFF, 3}, &msg::value_clamped},
      {"0x00,0x80000000,0x41,3,", {0xFE, 1, 0x41, 3}, &msg::value_clamped},
      {"0x00,0x40,0x41,abc,", {}, &msg::learning_cell_unreadable},
      {"0x00,0x40,0x41,,0x42,3,", {}, &msg::learning_cell_unreadable},
      {"0x00,0x40,0x41,", {}, &msg::learning_cell_unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    std::vector<Rows> rows = plain;
    rows[2] = {c.row, "0x01,0x50,0x51,5,"};
    const Bytes out = rebuild(flash_file(rows));
    Bytes slots = c.slots;
    if (!slots.empty()) slots.insert(slots.end(), {0x50, 1, 0x51, 5});
    EXPECT_EQ(area_of(out, 2), slots.empty() ? area_of(input, 2) : area_with(input, 2, slots));
    EXPECT_EQ(job.report.warnings(), c.message ? 1 : 0) << said;
    if (c.message) {
      EXPECT_EQ(message_of(job.report, *c.message).rfind("flash.csv 14行目", 0), 0u) << said;
    }
  }
}
