// Rebuilding a bank from its event file: repacking, pointers, empty rows, overflow.
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/report.hpp"
#include "event_fixture.hpp"

namespace {

// A file with the given first rows, the others empty.
Lines file_with(const Lines& data_rows) {
  Lines lines = {",イベントデータ 総数:1024 データサイズ：22528", "", "ID,データ,"};
  lines.insert(lines.end(), data_rows.begin(), data_rows.end());
  lines.resize(3 + event_entry_count);
  return lines;
}

Bytes text_of(const EventBank& bank, std::size_t from, std::size_t to) {
  return Bytes(bank.text.begin() + static_cast<long>(from), bank.text.begin() + static_cast<long>(to));
}

// Every pointer from `first` on ends at `end`: none goes back into the repacked text.
bool all_end_at(const EventBank& bank, std::size_t first, std::int32_t end) {
  return std::all_of(bank.offsets.begin() + static_cast<long>(first), bank.offsets.end(),
                     [end](std::int32_t offset) { return offset == end; });
}

std::string id_cell(std::size_t i) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X,", static_cast<unsigned>(i));
  return text;
}

}  // namespace

TEST_F(EventFiles, LongerRowPushesLaterEntriesAndPointers) {
  const EventBank original = packed_bank({{0x51}, {0x52, 0x53}, {0x36, 0x01, 0x02}, {0x54}});
  Lines lines = dump(original, 0);
  ASSERT_EQ(lines[4], "0x01,いう,");
  lines[4] = "0x01,いう魔<20 41>,";

  write_rows(0, lines);
  EventBank rebuilt = original;
  ASSERT_EQ(read_rows(rebuilt, 0), Status::ok);
  EXPECT_EQ(offsets_of(rebuilt, 4), (Offsets{1, 7, 10, 11}));
  EXPECT_TRUE(all_end_at(rebuilt, 4, 11));
  EXPECT_EQ(text_of(rebuilt, 0, 11),
            (Bytes{0x51, 0x52, 0x53, 0x20, 0xB0, 0x20, 0x41, 0x36, 0x01, 0x02, 0x54}));
}

TEST_F(EventFiles, UnchangedFileGivesBackTheSameBank) {
  // One entry that decodes to far more than 64 KiB of text, and a row ID that is not parsed.
  Bytes long_entry;
  for (int k = 0; k < 15000; ++k) long_entry.insert(long_entry.end(), {0x00, 0x2C});
  EventBank original = packed_bank({{0x51, 0x4F, 0x31, 1, 2, 3, 4, 5, 6}, long_entry, {0xE6}});
  original.text[40000] = 0xFF;  // after the last entry: kept as it was
  Lines lines = dump(original, 1);
  ASSERT_GT(lines[4].size(), 65536u);
  lines[3].replace(0, 4, "junk");

  write_rows(1, lines);
  EventBank rebuilt = original;
  rebuilt.offsets.fill(0);
  std::fill(rebuilt.text.begin(), rebuilt.text.begin() + 30010, 0);
  ASSERT_EQ(read_rows(rebuilt, 1), Status::ok);
  EXPECT_EQ(rebuilt.offsets, original.offsets);
  EXPECT_TRUE(rebuilt.text == original.text);
  EXPECT_FALSE(job_.report.has(msg::unmapped_character)) << job_.report.last();
}

// An empty text cell is an empty entry, an emptied row keeps the image's entry; a file cut short
// is refused whole, so that the bank keeps its later entries.
TEST_F(EventFiles, EmptyRowsKeepTheirEntriesAndAShortFileIsRefused) {
  EventBank bank = packed_bank({{0x60}, {0x61, 0x62}});  // from the ROM
  Lines lines = file_with({"0x00,あ,", ",,", "0x02,い,", "0x03,,", "0x04,う"});
  write_rows(0, lines);

  ASSERT_EQ(read_rows(bank, 0), Status::ok);
  EXPECT_EQ(offsets_of(bank, 5), (Offsets{1, 3, 4, 4, 5}));
  EXPECT_TRUE(all_end_at(bank, 5, 5));
  EXPECT_EQ(text_of(bank, 0, 5), (Bytes{0x51, 0x61, 0x62, 0x52, 0x53}));

  lines.pop_back();
  write_rows(0, lines);
  EventBank kept = packed_bank({{0x54}});
  EXPECT_EQ(read_rows(kept, 0), Status::failed);
  EXPECT_EQ(kept.offsets, packed_bank({{0x54}}).offsets);
  EXPECT_TRUE(job_.report.has(msg::file_too_short));
}

// Text that does not fit keeps the whole bank as it was, and the error says by how much: a
// row crossing the end, and a two-byte code that finds the area exactly full.
TEST_F(EventFiles, TextPastTheAreaKeepsTheBank) {
  const std::size_t area = event_bank_area(0).text_size;
  std::string kana;
  for (std::size_t k = 0; k < area / 2 - 1; ++k) kana += "あ";
  const struct {
    Lines rows;
    const char* over;
  } cases[] = {
      {{"0x00," + kana + "あ,", "0x01," + kana + "魔,", "0x02,い,"}, "を2バイト超えました（0x01番目から）"},
      {{"0x00," + kana + kana + "ああ,", "0x01,魔魔,"}, "を4バイト超えました（0x01番目から）"},
  };
  for (const auto& c : cases) {
    job_.report = Report();
    write_rows(0, file_with(c.rows));
    const EventBank original = packed_bank({{0x51}, {0x52}});
    EventBank bank = original;
    EXPECT_EQ(read_rows(bank, 0), Status::failed);
    const std::string overflow = message_of(job_.report, msg::event_bank_overflow);
    EXPECT_NE(overflow.find("イベント1"), std::string::npos) << overflow;
    EXPECT_NE(overflow.find(c.over), std::string::npos) << overflow;
    EXPECT_NE(overflow.find("元のまま"), std::string::npos) << overflow;
  }
}

// Rows sorted in a spreadsheet go back to their IDs; a repeated row is named, never passed over.
TEST_F(EventFiles, RowsArePlacedByTheirIds) {
  Lines lines = file_with({"0x00,あ,", "0x01,い,", "0x02,う,"});
  for (std::size_t i = 3; i < event_entry_count; ++i) lines[3 + i] = id_cell(i) + ",";
  std::reverse(lines.begin() + 3, lines.end());
  write_rows(0, lines);
  EventBank bank = packed_bank({});
  ASSERT_EQ(read_rows(bank, 0), Status::ok);
  EXPECT_EQ(offsets_of(bank, 4), (Offsets{1, 2, 3, 3}));
  EXPECT_EQ(text_of(bank, 0, 3), (Bytes{0x51, 0x52, 0x53}));
  EXPECT_TRUE(job_.report.has(msg::rows_placed_by_id));

  std::reverse(lines.begin() + 3, lines.end());
  lines.insert(lines.begin() + 4, "0x00,あ,");
  write_rows(0, lines);
  ASSERT_EQ(read_rows(bank, 0), Status::ok);
  EXPECT_EQ(message_of(job_.report, msg::row_id_mismatch).rfind("event1.csv 5行目", 0), 0u)
      << message_of(job_.report, msg::row_id_mismatch);
}

TEST_F(EventFiles, UnreadableFileLeavesTheBankAlone) {
  EventBank bank = packed_bank({{0x51}});
  EXPECT_EQ(read_rows(bank, 2), Status::failed);
  EXPECT_NE(job_.report.last().find("event3.csv"), std::string::npos);
  EXPECT_EQ(bank.offsets[0], 1);
}
