#include <gtest/gtest.h>

#include <algorithm>

#include "tables/strings.hpp"
#include "table_job.hpp"

namespace {

struct Strings : TableTest {
  Strings() : TableTest("string.csv") {}

  // The line of each group's header (6: the closing comment), found in a file's lines.
  static std::size_t header(std::size_t g,
                            const std::vector<std::string>& file = sample_lines("string.csv")) {
    if (g == 6) return file.size() - 1;
    std::size_t found = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
      if (file[i].rfind("ID,", 0) == 0 && found++ == g) return i;
    }
    return file.size();
  }
  static std::size_t row(std::size_t g, std::size_t k) { return header(g) + 1 + k; }
  static std::size_t rows(std::size_t g,
                          const std::vector<std::string>& file = sample_lines("string.csv")) {
    return header(g + 1, file) - header(g, file) - 2;
  }

  std::vector<std::uint8_t> store() { return store_alone(read_string_csv, store_strings); }
  // Keeps only the first `count` rows of group g.
  void keep_rows(std::size_t g, std::size_t count) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(row(g, count)),
                lines.begin() + static_cast<std::ptrdiff_t>(row(g, rows(g))));
  }
};

std::uint32_t pointer(const std::vector<std::uint8_t>& image, std::size_t g, std::size_t k) {
  const std::uint32_t at = string_groups()[g].pointer_table + 2 * static_cast<std::uint32_t>(k);
  return image[at] | (std::uint32_t{image[at + 1]} << 8);
}

void set_pointer(std::vector<std::uint8_t>& image, std::size_t g, std::size_t k, std::uint32_t value) {
  const std::uint32_t at = string_groups()[g].pointer_table + 2 * static_cast<std::uint32_t>(k);
  image[at] = static_cast<std::uint8_t>(value);
  image[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::string repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

}  // namespace

TEST_F(Strings, RoundTrip) {
  EXPECT_EQ(first_difference(store(), input), -1);
  EXPECT_FALSE(report.has(msg::strings_area_overrun));
}

TEST_F(Strings, EditsInEveryGroupReachTheROM) {
  for (std::size_t g = 0; g < 6; ++g) lines[row(g, 0)] = "0x00,あい<36 02>,";
  const std::vector<std::uint8_t> image = store();
  for (std::size_t g = 0; g < 6; ++g) {
    SCOPED_TRACE(g);
    const std::uint32_t area = string_groups()[g].text_area;
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + area, image.begin() + area + 4),
              (std::vector<std::uint8_t>{0x51, 0x52, 0x36, 0x02}));
    EXPECT_EQ(pointer(image, g, 1), 4u);
    // Later strings move with the new length and keep their bytes.
    const std::uint32_t shift = 4 - pointer(input, g, 1);
    const std::size_t last = rows(g);
    EXPECT_EQ(pointer(image, g, last), pointer(input, g, last) + shift);
    EXPECT_EQ(image[area + pointer(image, g, last) - 1], input[area + pointer(input, g, last) - 1]);
  }
}

// The list ends after the rows, or after the minimum; the slots after its end keep their bytes.
TEST_F(Strings, MissingRowsUpToTheMinimumAreEmptyThenTheListEnds) {
  for (std::size_t k = 80; k < rows(2); ++k) lines[row(2, k)] = "0x50,,";
  keep_rows(0, 3);
  const std::vector<std::uint8_t> image = store();
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(pointer(image, 0, k), pointer(input, 0, k));
  for (std::size_t k = 4; k <= 185; ++k) ASSERT_EQ(pointer(image, 0, k), pointer(input, 0, 3)) << k;
  EXPECT_EQ(pointer(image, 0, 186), 0xFFFFu);
  for (std::size_t k = 187; k < 256; ++k) ASSERT_EQ(pointer(image, 0, k), pointer(input, 0, k)) << k;
  // Trailing empty strings are kept.
  const std::size_t end = rows(2) + 1;
  for (std::size_t k = 80; k < end; ++k) ASSERT_EQ(pointer(image, 2, k), pointer(input, 2, 80)) << k;
  for (std::size_t k = end; k < 256; ++k) ASSERT_EQ(pointer(image, 2, k), pointer(input, 2, k)) << k;
}

// What no row holds comes back from the image: the slots after a list's end, the empty strings
// that end a list, the text before its first string. A list shorter than its minimum is named.
TEST_F(Strings, AnImageComesBackWhereNoRowHoldsIt) {
  std::vector<std::uint8_t> image = input;
  ASSERT_LT(rows(0) + 2, 256u);
  set_pointer(image, 0, rows(0) + 2, 0x1234);
  const std::size_t last = rows(1);
  for (std::size_t k = last - 2; k <= last; ++k) set_pointer(image, 1, k, pointer(input, 1, last - 3));
  ASSERT_GT(rows(2), 100u);
  set_pointer(image, 2, 100, 0xFFFF);
  ASSERT_GT(pointer(input, 4, 1), 0u);
  set_pointer(image, 4, 0, pointer(input, 4, 1));
  write_bytes(rom, image);
  Report extracted_report;
  ASSERT_EQ(extract(rom, folder, false, &extracted_report), 0);
  EXPECT_EQ(extracted_report.warnings() + extracted_report.errors(), 0) << extracted_report.last();
  lines = split_lines(read_text(csv));
  EXPECT_EQ(first_difference(store(), image), -1);

  set_pointer(image, 3, 10, 0xFFFF);
  write_bytes(rom, image);
  Report short_report;
  ASSERT_EQ(extract(rom, folder, false, &short_report), 0);
  EXPECT_EQ(message_of(short_report, msg::string_list_short),
            "string.csv グループ3の文字列は9個で終わっています。ビルドでは69個まで空の文字列を加えます");
}

// A group that fits exactly is written; one byte more, or a two-byte code past the end, keeps
// the whole group (pointers and text) as the image has it, and the error says by how much.
TEST_F(Strings, AGroupThatDoesNotFitKeepsTheImagesBytes) {
  const StringGroup& group = string_groups()[3];
  const struct {
    std::string text;
    int over;
  } cases[] = {{repeat("あ", 1792), 0}, {repeat("あ", 1800), 8}, {repeat("あ", 1791) + "魔", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.over);
    lines = extracted;
    keep_rows(3, 1);
    lines[row(3, 0)] = "0x00," + c.text + ",";
    const std::vector<std::uint8_t> image = store();
    const std::string overrun = message_of(report, msg::strings_area_overrun);
    if (c.over == 0) {
      EXPECT_EQ(overrun, "");
      EXPECT_EQ(pointer(image, 3, 1), 1792u);
      EXPECT_EQ(pointer(image, 3, 70), 0xFFFFu);
      continue;
    }
    EXPECT_EQ(overrun, "string.csv グループ3の文字列が領域(1792バイト)を" + std::to_string(c.over) +
                           "バイト超えました。このグループは元のままです");
    EXPECT_EQ(changed(image, group.pointer_table, group.text_area + group.area_size - group.pointer_table), -1);
  }
}

// Rows sorted in a spreadsheet build the same ROM; an emptied ID cell or row is named and keeps
// its place, so no later row slides into the next group.
TEST_F(Strings, RowsArePlacedByTheirIds) {
  std::reverse(lines.begin() + static_cast<std::ptrdiff_t>(row(1, 0)),
               lines.begin() + static_cast<std::ptrdiff_t>(row(1, rows(1))));
  EXPECT_EQ(first_difference(store(), input), -1);
  EXPECT_EQ(message_of(report, msg::rows_placed_by_id).rfind("string.csv " + std::to_string(row(1, 0) + 1) + "行目", 0), 0u);

  for (const char* emptied : {",あ,", ",,,", ""}) {
    SCOPED_TRACE(emptied);
    const bool blank = std::string(emptied).find_first_not_of(',') == std::string::npos;
    lines = extracted;
    lines[row(1, 5)] = emptied;
    const std::vector<std::uint8_t> image = store();
    const std::string named = message_of(report, blank ? static_cast<const Message&>(msg::list_row_blank) : msg::row_id_mismatch);
    EXPECT_EQ(named.rfind("string.csv " + std::to_string(row(1, 5) + 1) + "行目", 0), 0u) << named;
    if (blank) {
      EXPECT_EQ(first_difference(image, input), -1);  // the emptied row keeps the image's string
    } else {
      EXPECT_EQ(pointer(image, 1, 6), pointer(input, 1, 5) + 1);
    }
    EXPECT_EQ(changed(image, string_groups()[2].pointer_table, 0x3DE000 - string_groups()[2].pointer_table), -1);
  }
}

// Messages about a string's text name its line; a quoted cell keeps its comma as text.
TEST_F(Strings, TextMessagesNameTheLineAndQuotedCommasAreText) {
  lines[row(2, 3)] = "0x03,\"あ,い\",";
  store();
  EXPECT_EQ(message_of(report, msg::unmapped_character),
            "string.csv " + std::to_string(row(2, 3) + 1) + "行目: 先頭から3バイト目の\",\"が見つかりませんでした。全角スペースが代入されます");
}

// A group whose first pointer is not 0 is packed from that pointer: the bytes before it belong
// to no row and keep the image's values.
TEST_F(Strings, AGroupIsPackedFromItsFirstPointer) {
  std::vector<std::uint8_t> image = input;
  const StringGroup& group = string_groups()[3];
  for (std::size_t k = 0; k < rows(3) + 1; ++k) set_pointer(image, 3, k, pointer(input, 3, k) + 5);
  extract_image(image);
  lines[row(3, 0)] = "0x00,あい,";
  const std::vector<std::uint8_t> out = store();
  EXPECT_EQ(pointer(out, 3, 0), 5u);
  EXPECT_EQ(pointer(out, 3, 1), 7u);
  EXPECT_EQ(bytes_at(out, group.text_area, 7),
            (std::vector<std::uint8_t>{image[group.text_area], image[group.text_area + 1], image[group.text_area + 2],
                                       image[group.text_area + 3], image[group.text_area + 4], 0x51, 0x52}));
}

TEST_F(Strings, LongStringsAreWrittenAndReadWhole) {
  lines[row(5, 0)] = "0x00," + repeat("あ", 1500) + ",";
  std::vector<std::uint8_t> image = store();
  EXPECT_EQ(pointer(image, 5, 1), 1500u);
  write_bytes(dir.path("long.smc"), image);
  ASSERT_EQ(extract(dir.path("long.smc"), dir.path("again/")), 0);
  const std::vector<std::string> again = split_lines(read_text(dir.path("again/string.csv")));
  EXPECT_EQ(again[row(5, 0)], lines[row(5, 0)]);
  EXPECT_EQ(again[row(5, 1)], lines[row(5, 1)]);
}

// A full group's empty line is consumed; rows beyond n - 1 are dropped, not shifted onward.
TEST_F(Strings, AFullGroupDoesNotShiftTheNextOne) {
  ASSERT_EQ(rows(4), 73u);
  lines[row(5, 0)] = "0x00,い,";
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(row(4, 73)), "0x49,あああ,");
  const std::vector<std::uint8_t> image = store();
  EXPECT_NE(after_read.find("73"), std::string::npos);
  for (std::size_t k = 0; k < 74; ++k) ASSERT_EQ(pointer(image, 4, k), pointer(input, 4, k)) << k;
  EXPECT_EQ(image[string_groups()[5].text_area], 0x52);
  EXPECT_EQ(pointer(image, 5, 1), 1u);
}

TEST_F(Strings, CutOrMisalignedFilesAreNotStored) {
  std::vector<std::vector<std::string>> files;
  files.emplace_back(extracted.begin(), extracted.begin() + static_cast<std::ptrdiff_t>(row(5, 100)));
  files.push_back(extracted);
  files.back().erase(files.back().begin() + static_cast<std::ptrdiff_t>(header(2) - 1));
  for (const std::vector<std::string>& file : files) {
    lines = file;
    lines[row(0, 0)] = "0x00,あ,";
    EXPECT_EQ(first_difference(store(), input), -1);
    EXPECT_NE(after_read.find("string.csv"), std::string::npos);
  }
}

// An unused pointer and one past the area end their group; one that runs backwards only
// changes the strings around it. The next group still starts at its own text.
TEST_F(Strings, BadPointersEndTheirGroup) {
  std::vector<std::uint8_t> image = input;
  set_pointer(image, 0, 5, 0xFFFF);
  set_pointer(image, 1, 10, pointer(input, 1, 8));
  set_pointer(image, 2, 3, string_groups()[2].area_size + 1);
  set_pointer(image, 3, 0, 0xFFFF);
  write_bytes(dir.path("bad.smc"), image);
  Report extracted_report;
  ASSERT_EQ(extract(dir.path("bad.smc"), folder, false, &extracted_report), 0);
  EXPECT_TRUE(extracted_report.has(msg::string_pointer_order));
  EXPECT_TRUE(extracted_report.has(msg::string_pointer_outside));
  const std::vector<std::string> bad = split_lines(read_text(folder + "string.csv"));
  EXPECT_EQ(rows(0, bad), 4u);
  ASSERT_EQ(rows(1, bad), rows(1));
  for (std::size_t k = 0; k < rows(1); ++k) {
    if (k == 9 || k == 10) continue;  // each reaches to the next larger pointer
    ASSERT_EQ(bad[header(1, bad) + 1 + k], extracted[row(1, k)]) << k;
  }
  EXPECT_EQ(rows(2, bad), 2u);
  EXPECT_EQ(rows(3, bad), 0u);
  for (std::size_t k = 0; k < rows(4); ++k) ASSERT_EQ(bad[header(4, bad) + 1 + k], extracted[row(4, k)]);
}
