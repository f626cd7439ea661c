#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tables/event_battles.hpp"
#include "table_job.hpp"

namespace {

struct EventBattles : TableTest {
  EventBattles() : TableTest("event_battle.csv") {}

  std::vector<std::uint8_t> store() { return store_alone(read_event_battle_csv, store_event_battles); }
};

constexpr std::size_t first_row = 3;

std::uint32_t pointer(const std::vector<std::uint8_t>& image, std::size_t j) {
  const std::size_t at = event_battle_pointers + 2 * j;
  return image[at] | (std::uint32_t{image[at + 1]} << 8);
}

void set_pointer(std::vector<std::uint8_t>& image, std::size_t j, std::uint32_t value) {
  const std::size_t at = event_battle_pointers + 2 * j;
  image[at] = static_cast<std::uint8_t>(value);
  image[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::string hex(std::size_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
  return text;
}

std::string byte_cells(std::size_t count, const char* cell) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += std::string(cell) + ",";
  return text;
}

}  // namespace

TEST_F(EventBattles, RoundTrip) {
  EXPECT_EQ(first_difference(store(), input), -1);
}

TEST_F(EventBattles, AGrowingEntryMovesTheLaterPointers) {
  lines[first_row + 3] += "0x00,0x1FF,";
  const std::vector<std::uint8_t> image = store();
  for (std::size_t j = 0; j < 4; ++j) EXPECT_EQ(pointer(image, j), pointer(input, j));
  for (std::size_t j = 4; j < 256; ++j) ASSERT_EQ(pointer(image, j), pointer(input, j) + 2) << j;
  const std::size_t end3 = pointer(input, 4) + 0x3E0000;
  EXPECT_EQ(image[end3], 0x00);
  EXPECT_EQ(image[end3 + 1], 0xFF);
  EXPECT_EQ(image[end3 + 2], input[end3]);
  const std::size_t end = pointer(image, 255) + 0x3E0000;
  EXPECT_EQ(image[end + 2], input[end]);
}

// Every byte cell is read exactly: a value past a byte is clamped, a cell that cannot be read
// (an empty one among the bytes too) keeps the battle's image bytes; either is named.
TEST_F(EventBattles, ByteCellsAreReadExactlyOrNamed) {
  const std::size_t at7 = pointer(input, 7) + 0x3E0000;
  const std::vector<std::uint8_t> image7 = bytes_at(input, at7, pointer(input, 8) - pointer(input, 7));
  const struct {
    const char* row;
    std::vector<std::uint8_t> bytes;  // empty: the image's
    const Message* message;
  } cases[] = {
      {"0x07,0x11,0x22,,,,", {0x11, 0x22}, nullptr},
      {"0x07,ＦＦ, 0x0a ,", {0xFF, 0x0A}, nullptr},
      {"0x07,0x1FF,", {0xFF}, &msg::value_clamped},
      {"0x07,0x11,,0x22,", {}, &msg::battle_cell_unreadable},
      {"0x07,xyz,0x00,", {}, &msg::battle_cell_unreadable},
      {"0x07,-1,", {}, &msg::battle_cell_unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    lines = extracted;
    lines[first_row + 7] = c.row;
    const std::vector<std::uint8_t> image = store();
    const std::vector<std::uint8_t> expected = c.bytes.empty() ? image7 : c.bytes;
    EXPECT_EQ(pointer(image, 8) - pointer(image, 7), expected.size());
    EXPECT_EQ(bytes_at(image, pointer(image, 7) + 0x3E0000, expected.size()), expected);
    EXPECT_EQ(report.warnings(), c.message ? 1 : 0) << report.last();
    if (c.message) {
      EXPECT_EQ(message_of(report, *c.message).rfind("event_battle.csv 11行目", 0), 0u) << report.last();
    }
  }
}

// Exactly the area is written whole; one byte more keeps the area as the image has it.
TEST_F(EventBattles, AListThatDoesNotFitKeepsTheArea) {
  for (std::size_t j = 1; j < 256; ++j) lines[first_row + j] = "0x" + std::string(j < 16 ? "0" : "") + hex(j) + ",";
  for (const std::size_t count : {4096u, 4097u}) {
    SCOPED_TRACE(count);
    lines[first_row] = "0x00," + byte_cells(count, "0x12");
    const std::vector<std::uint8_t> image = store();
    if (count > 4096) {
      EXPECT_EQ(message_of(report, msg::area_overrun),
                "イベントバトルのデータが領域(4096バイト)を1バイト超えました。この領域は元のままです");
      EXPECT_EQ(changed(image, event_battle_pointers, event_battle_area + 4096 - event_battle_pointers), -1);
      continue;
    }
    for (std::size_t j = 1; j < 256; ++j) ASSERT_EQ(pointer(image, j), 0x915Bu) << j;
    EXPECT_EQ(std::count(image.begin() + event_battle_area, image.begin() + event_battle_area + 4096, 0x12), 4096);
  }
}

// Rows sorted in a spreadsheet build the same ROM; a repeated row or an emptied one is named,
// and the list goes on after it (an emptied row keeps its battle's bytes).
TEST_F(EventBattles, RowsArePlacedByTheirIds) {
  std::reverse(lines.begin() + first_row, lines.begin() + first_row + 256);
  EXPECT_EQ(first_difference(store(), input), -1);
  EXPECT_TRUE(report.has(msg::rows_placed_by_id));

  lines = extracted;
  lines[first_row + 9] = ",,,,";
  lines[first_row + 8] = "0x08,0x01,";
  std::vector<std::uint8_t> image = store();
  EXPECT_EQ(message_of(report, msg::list_row_blank).rfind("event_battle.csv 13行目", 0), 0u) << report.last();
  const std::size_t length9 = pointer(input, 10) - pointer(input, 9);
  EXPECT_EQ(pointer(image, 10) - pointer(image, 9), length9);
  EXPECT_EQ(bytes_at(image, pointer(image, 9) + 0x3E0000, length9), bytes_at(input, pointer(input, 9) + 0x3E0000, length9));
  EXPECT_NE(pointer(image, 255), 0xFFFFu);

  lines = extracted;
  lines.insert(lines.begin() + first_row + 4, lines[first_row + 3]);
  store();
  EXPECT_EQ(message_of(report, msg::row_id_mismatch).rfind("event_battle.csv 8行目", 0), 0u) << report.last();
  EXPECT_TRUE(report.has(msg::battle_rows_dropped));
}

// An image whose first pointer is unused lists no entry; an unchanged build keeps its area.
TEST_F(EventBattles, AnEmptyListKeepsTheImage) {
  std::vector<std::uint8_t> image = input;
  set_pointer(image, 0, 0xFFFF);
  extract_image(image);
  ASSERT_EQ(lines[first_row], "");
  EXPECT_EQ(first_difference(store(), image), -1);
}

// A table whose pointers end in unused ones is listed up to them and built back as it was.
TEST_F(EventBattles, UnusedPointersAreListedUpToAndKept) {
  std::vector<std::uint8_t> image = input;
  for (std::size_t j = 200; j < 256; ++j) set_pointer(image, j, 0xFFFF);
  extract_image(image);
  ASSERT_EQ(lines.size(), 3u + 200 + 3);
  // The last listed entry runs up to the 0xFF fill.
  const std::size_t last_length = (extracted[first_row + 255].size() - 5) / 5;
  const std::size_t listed = pointer(input, 255) - pointer(input, 199) + last_length;
  EXPECT_EQ(lines[first_row + 199].size(), 5 + 5 * listed);
  EXPECT_EQ(first_difference(store(), image), -1);
}

TEST_F(EventBattles, NothingIsReadOutsideTheArea) {
  std::vector<std::uint8_t> image = input;
  std::fill(image.begin() + event_battle_area, image.begin() + event_battle_area + 4096, 0x34);
  set_pointer(image, 254, 0x8100);  // behind its predecessor: no bytes
  extract_image(image);
  EXPECT_EQ(lines[first_row + 253], "0xFD,");
  std::size_t listed = 0;
  for (std::size_t j = 0; j < 256; ++j) listed += (lines[first_row + j].size() - 5) / 5;
  EXPECT_EQ(listed, 4096u);
  EXPECT_EQ(lines[first_row + 255].substr(lines[first_row + 255].size() - 5), "0x34,");
}

TEST_F(EventBattles, AFileThatEndsEarlyIsNotStored) {
  lines.resize(first_row + 100);
  lines[first_row] = "0x00,0x01,";
  EXPECT_EQ(first_difference(store(), input), -1);
  EXPECT_NE(after_read.find("event_battle.csv"), std::string::npos);
}

// Every table together, plain and shifted images: the name, string and event-battle areas come
// back unchanged (the sanitizer build runs this too).
TEST(FullSampleRoundTrip, NameStringAndEventBattleAreasAreKept) {
  struct Range {
    std::uint32_t begin, end;
  };
  const Range areas[] = {{0x3D1C80, 0x3D27C0}, {0x3D3BC0, 0x3D59E0}, {0x3D6000, 0x3DE000},
                         {0x3E7F5B, 0x3E915B}};
  for (const SampleOptions& options : {SampleOptions{}, SampleOptions{0x600000, true, 1}}) {
    TempDir dir;
    write_sample(dir.path("in.smc"), options);
    ASSERT_EQ(extract(dir.path("in.smc"), dir.path("csv/")), 0);
    ASSERT_EQ(build(dir.path("in.smc"), dir.path("out.smc"), dir.path("csv/")), 0);
    const std::vector<std::uint8_t> in = read_bytes(dir.path("in.smc"));
    const std::vector<std::uint8_t> out = read_bytes(dir.path("out.smc"));
    ASSERT_EQ(in.size(), out.size());
    const std::size_t shift = options.shifted ? 0x8000 : 0;
    for (const Range& area : areas) {
      for (std::size_t at = area.begin + shift; at < area.end + shift; ++at) {
        ASSERT_EQ(out[at], in[at]) << std::hex << at - shift;
      }
    }
  }
}

TEST_F(EventBattles, ARowWithAnEmptyIdCellIsStillAnEntry) {
  lines[first_row + 7] = ",0x01,0x02,";
  const std::vector<std::uint8_t> image = store();
  for (std::size_t j = 8; j < 256; ++j) ASSERT_NE(pointer(image, j), 0xFFFFu) << j;
  const std::size_t at = pointer(image, 7) + 0x3E0000;
  EXPECT_EQ(image[at], 0x01);
  EXPECT_EQ(image[at + 1], 0x02);
}

// Pointers the rows cannot hold (one behind its predecessor, and those after an unused one) are
// named at the extract, kept by a build of the rows as extracted and rewritten once a row changes.
TEST_F(EventBattles, PointersTheRowsCannotHoldAreNamedAndKeptUntilARowChanges) {
  std::vector<std::uint8_t> image = input;
  set_pointer(image, 3, pointer(input, 1));
  set_pointer(image, 200, 0xFFFF);
  write_bytes(rom, image);
  Report extract_report;
  ASSERT_EQ(extract(rom, folder, false, &extract_report), 0);
  lines = split_lines(read_text(csv));
  const std::string named = message_of(extract_report, msg::battle_pointer_unlisted);
  EXPECT_EQ(named.rfind("event_battle.csv 7行目: ID 0x03 ", 0), 0u) << named;
  EXPECT_EQ(first_difference(store(), image), -1);
  lines[first_row] += "0x00,";
  const std::vector<std::uint8_t> changed = store();
  EXPECT_EQ(pointer(changed, 3), pointer(image, 2) + 1);
  EXPECT_EQ(pointer(changed, 201), 0xFFFFu);
}
