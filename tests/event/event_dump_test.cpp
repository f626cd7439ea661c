// Extraction: the event tag-argument table, "arg.txt" and the extent of each row.
#include <string>

#include "core/report.hpp"
#include "event/events.hpp"
#include "event_fixture.hpp"
#include "text/decoder.hpp"

namespace {

std::string decode_default(const Bytes& bytes) {
  std::string text;
  decode_text(&text, bytes.data(), 1000, bytes.size());
  return text;
}

}  // namespace

TEST_F(EventFiles, FileHasPreambleHeaderAndOneRowPerEntry) {
  const Lines lines = dump(packed_bank({{0x51, 0x52}, {}, {0xE6, 0x20, 0xB0}}), 2);
  ASSERT_EQ(lines.size(), 3u + event_entry_count);
  EXPECT_EQ(lines_of(lines, 0, 6), (Lines{",イベントデータ 総数:1024 データサイズ：58752", "",
                                          "ID,データ,", "0x00,あい,", "0x01,,", "0x02, 魔,"}));
  EXPECT_EQ(lines[3 + 0x3FF], "0x3FF,,");
  EXPECT_NE(read_text(event_file_path(dir_.folder(), 2)).find("\r\n"), std::string::npos);
}

TEST_F(EventFiles, EventTableGivesTagsTheirEventArguments) {
  const Bytes tag36 = {0x36, 0x01, 0x02};
  const Lines lines = dump(packed_bank({tag36,
                                        {0x48, 0x01, 0x02, 0xAA, 0xBB, 0x51},
                                        {0x4F, 0x31, 1, 2, 3, 4, 5, 6, 0x51},
                                        {0x4F, 0x03, 0x01, 0x02},
                                        {0x4F, 0x60, 0x51},
                                        {0x3C, 1, 2, 3, 0x42, 0x20},
                                        {0x48, 0x01, 0x05, 0xAA}}),
                           0);
  EXPECT_EQ(lines_of(lines, 3, 10),
            (Lines{"0x00,<36 01 02>,", "0x01,<48 01 02 AA BB>あ,",
                   "0x02,<4F 31 01 02 03 04 05 06>あ,", "0x03,<4F 03 01 02>,", "0x04,<4F 60>あ,",
                   "0x05,<3C 01 02 03><42 20>,", "0x06,<48 01 05 AA#>,"}));
  // Names keep the default table once the events are done.
  EXPECT_EQ(decode_default(tag36), "<36 01><02>");
  EXPECT_EQ(decode_default({0x48, 0x01, 0x02}), "<48><01><02>");
}

TEST_F(EventFiles, ArgFileReplacesTheWholeTable) {
  // Only tag 0x00 has arguments; sub-codes of 0x4F count nothing, while 0x48 still reads
  // its length byte. The start-up directory is given without a trailing separator.
  job_.start_folder.pop_back();
  write_text(dir_.path("arg.txt"), "3\r\n");
  const Lines lines = dump(packed_bank({{0x00, 0x01, 0x02, 0x03, 0x51},
                                        {0x4F, 0x31, 0x51},
                                        {0x48, 0x01, 0x02, 0xAA, 0xBB},
                                        {0x36, 0x01, 0x02}}),
                           0);
  EXPECT_EQ(lines_of(lines, 3, 7), (Lines{"0x00,<00 01 02 03>あ,", "0x01,<4F><31>あ,",
                                          "0x02,<48 01 02 AA BB>,", "0x03,<36><01><02>,"}));
}

TEST(EventTagTable, ArgFileLinesAreReadAsCounts) {
  ASSERT_EQ(event_tag_arguments().size(), 336u);

  // Each line is read the way atoi reads it; a count is a byte, never negative.
  TempDir dir;
  write_text(dir.path("arg.txt"), " 2x\n-1\n300\n\nabc\n+4");
  std::vector<std::uint8_t> counts;
  ASSERT_TRUE(read_tag_argument_file(dir.path("arg.txt"), counts));
  ASSERT_EQ(counts.size(), 336u);
  EXPECT_EQ(Bytes(counts.begin(), counts.begin() + 6), (Bytes{2, 0, 255, 0, 0, 4}));
  EXPECT_EQ(counts[335], 0);
  EXPECT_FALSE(read_tag_argument_file(dir.path("missing.txt"), counts));
}

TEST_F(EventFiles, LastEntryEndsAtItsOwnPointer) {
  std::vector<Bytes> entries(event_entry_count);
  entries[1022] = {0x51};
  entries[1023] = {0x52, 0x53};
  EventBank bank = packed_bank(entries);
  // Text after the last entry belongs to no row.
  bank.text[3] = 0x54;
  bank.text[event_bank_area(0).text_size - 1] = 0x55;
  const Lines lines = dump(bank, 0);
  ASSERT_EQ(lines.size(), 3u + event_entry_count);
  EXPECT_EQ(lines_of(lines, 3 + 1022, 3 + 1024), (Lines{"0x3FE,あ,", "0x3FF,いう,"}));
}

// A pointer that runs backwards is reported once; its entry reaches to the next larger
// pointer, and the dump goes on.
TEST_F(EventFiles, APointerOutsideTheAreaEndsTheDumpABackwardOneDoesNot) {
  EventBank backwards = packed_bank({{0x51}, {0x52}, {0x53}, {0x54}, {0x55}});
  backwards.offsets[2] = 1;
  EventBank outside = packed_bank({{0x51}, {0x52}});
  outside.offsets[2] = 0x5801;  // one past bank 0's area
  const Lines lines = dump(backwards, 0);
  ASSERT_EQ(lines.size(), 3u + event_entry_count);
  EXPECT_EQ(lines_of(lines, 3, 9),
            (Lines{"0x00,あ,", "0x01,い,", "0x02,うえ,", "0x03,いうえ,", "0x04,お,", "0x05,,"}));
  EXPECT_EQ(job_.report.warnings(), 1);
  EXPECT_NE(message_of(job_.report, msg::event_pointer_order).find("0x02"), std::string::npos);
  // Bank 1's area is larger, so there the pointer is inside it.
  EXPECT_EQ(dump(outside, 1).size(), 3u + event_entry_count);

  EXPECT_EQ(dump(outside, 0).size(), 3u + 2u);
  EXPECT_NE(job_.report.last().find("0x5801"), std::string::npos);
  EXPECT_TRUE(job_.report.has(msg::event_pointer_outside));
}

TEST_F(EventFiles, DefaultTableIsBackWhenExtractionCannotWrite) {
  extract_events(job_, dir_.path("missing/folder/"));
  EXPECT_NE(job_.report.last().find("event3.csv"), std::string::npos);
  EXPECT_EQ(decode_default({0x36, 0x01, 0x02}), "<36 01><02>");
}
