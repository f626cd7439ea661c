#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "table/cells.hpp"
#include "table/csv_file.hpp"

namespace {

std::int32_t read_cell(const std::string& line, CellKind kind, int column) {
  std::int32_t field = 12345;
  transfer_cell(CellTarget{nullptr, line}, Direction::build, kind, field, column);
  return field;
}

std::string print_cell(CellKind kind, std::int32_t value) {
  CsvWriter out;
  transfer_cell(CellTarget{&out, {}}, Direction::extract, kind, value, 0);
  return out.contents();
}

}  // namespace

TEST(CellText, AQuotedCellKeepsItsCommasAndQuotes) {
  const std::string line = "12,0x1F,○,\"a,b\",x,\"say \"\"hi\"\"\",";
  EXPECT_EQ(read_cell(line, hex8_cell, 1), 31);
  EXPECT_EQ(read_cell(line, mark_cell, 2), 1);
  std::string text;
  transfer_text_cell(CellTarget{nullptr, line}, Direction::build, text, 3);
  EXPECT_EQ(text, "a,b");
  EXPECT_EQ(cell_string(line, 5), "say \"hi\"");
  transfer_text_cell(CellTarget{nullptr, line}, Direction::build, text, 4);
  EXPECT_EQ(text, "x");
}

TEST(CellText, MissingColumnsLeaveValuesAndTextAlone) {
  const std::string line = "1,2,3,4,5,";
  EXPECT_EQ(read_cell(line, decimal_cell, 9), 12345);
  std::string text = "kept";
  EXPECT_EQ(transfer_text_cell(CellTarget{nullptr, line}, Direction::build, text, 9), 0u);
  EXPECT_EQ(text, "kept");
  // An empty cell that exists does replace the text.
  transfer_text_cell(CellTarget{nullptr, "1,,"}, Direction::build, text, 1);
  EXPECT_EQ(text, "");
}

TEST(CellText, SecondBytesOfDoubleByteCharactersAreNeverCommas) {
  // "表" is 0x95 0x5C, "ソ" is 0x83 0x5C; "、" is 0x81 0x41: none holds a comma, but a lone lead
  // byte at the end of a line must not pull the terminator into the cell.
  const std::string line = "表ソ,x,";
  EXPECT_EQ(cell_string(line, 0, 63), "表ソ");
  EXPECT_EQ(cell_string(line, 1, 63), "x");
  const std::string broken = std::string("ab,") + '\x95';
  EXPECT_EQ(cell_string(broken, 1, 63), std::string(1, '\x95'));
  EXPECT_EQ(cell_string(broken, 2, 63), "");
}

TEST(CellText, CapacityNeverSplitsACharacter) {
  const std::string ascii(70, 'a');
  std::string text;
  transfer_text_cell(CellTarget{nullptr, ascii}, Direction::build, text, 0, 64);
  EXPECT_EQ(text.size(), 63u);
  std::string kanji;
  for (int i = 0; i < 40; ++i) kanji += "魔";
  transfer_text_cell(CellTarget{nullptr, kanji}, Direction::build, text, 0, 64);
  EXPECT_EQ(text.size(), 62u);
}

// What each kind reads, and what it refuses (no value: the caller keeps the image's).
TEST(CellParse, ExactlyWhatTheCellSays) {
  struct Case {
    const char* text;
    CellKind kind;
    std::optional<std::int32_t> expected;
  };
  const std::optional<std::int32_t> none;
  const Case cases[] = {
      // Decimal: signs, blanks, quotes, full-width forms, grouping; nothing else.
      {"42", decimal_cell, 42},          {" -12 ", decimal_cell, -12},     {"+7", decimal_cell, 7},
      {"１００", decimal_cell, 100},      {"−2", decimal_cell, -2},         {"－３", decimal_cell, -3},
      {"　３　", decimal_cell, 3},         {"\"1,034\"", decimal_cell, 1034}, {"1,034", decimal_cell, 1034},
      {"12,345,678", decimal_cell, 12345678}, {"-0", decimal_cell, 0},
      {"99999999999", decimal_cell, INT32_MAX}, {"-99999999999", decimal_cell, INT32_MIN},
      {"", decimal_cell, none},          {"abc", decimal_cell, none},      {"12abc", decimal_cell, none},
      {"1.9", decimal_cell, none},       {"1e3", decimal_cell, none},      {"0x10", decimal_cell, none},
      {"10,34", decimal_cell, none},     {"1,0345", decimal_cell, none},   {",034", decimal_cell, none},
      {"1 2", decimal_cell, none},       {"-", decimal_cell, none},        {"\"\"", decimal_cell, none},
      // Hex: with or without 0x in either case, full-width, no sign.
      {"0x1f", hex8_cell, 31},           {"1F", hex8_cell, 31},            {"0X2F", hex8_cell, 0x2F},
      {"ＦＦ", hex8_cell, 0xFF},          {" 0x10", hex8_cell, 0x10},       {"０ｘ１Ａ", hex16_cell, 0x1A},
      {"0x1FF", hex8_cell, 0x1FF},       {"0xFFFFFFFFF", hex16_cell, INT32_MAX},
      {"", hex16_cell, none},            {"0x", hex8_cell, none},          {"-0x1", hex8_cell, none},
      {"0xG1", hex8_cell, none},         {"1F h", hex8_cell, none},
      // Marks.
      {"○", mark_cell, 1},               {"〇", mark_cell, 1},              {"◯", mark_cell, 1},
      {"1", mark_cell, 1},               {"×", mark_cell, 0},               {"0", mark_cell, 0},
      {"１", mark_cell, 1},               {" ○ ", mark_cell, 1},
      {"", mark_cell, none},             {"TRUE", mark_cell, none},        {"o", mark_cell, none},
      {"10", mark_cell, none},           {"○＋", mark_cell, none},         {"◎", mark_cell, none},
      // Grades.
      {"☆", grade_cell, 7},              {"□", grade_cell, 6},              {"◎", grade_cell, 5},
      {"○＋", grade_cell, 4},             {"○+", grade_cell, 4},             {"〇＋", grade_cell, 4},
      {"○", grade_cell, 3},              {"◯", grade_cell, 3},              {"△", grade_cell, 2},
      {"×", grade_cell, 1},              {"-", grade_cell, 0},              {"－", grade_cell, 0},
      {"4", grade_cell, 4},              {"○ ", grade_cell, 3},
      {"42", grade_cell, none},          {"8", grade_cell, none},           {"", grade_cell, none},
      {"★", grade_cell, none},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_cell_value(c.text, c.kind), c.expected) << "\"" << c.text << "\" kind " << c.kind;
  }
  EXPECT_EQ(read_cell_value(std::string("1\0", 2), decimal_cell), none);
  EXPECT_EQ(read_cell_value(std::string("0x1\0", 4), hex8_cell), none);
}

// A NUL byte no longer ends the line: the cells after it keep their places.
TEST(CellText, ANulByteStaysInItsCell) {
  const std::string line = std::string("1,2\0", 4) + "3,4,";
  EXPECT_EQ(read_line_cell(line, 1, decimal_cell), std::nullopt);
  EXPECT_EQ(read_line_cell(line, 2, decimal_cell), 4);
  EXPECT_EQ(read_line_cell(line, 3, decimal_cell), std::nullopt);  // "" after the last comma
  EXPECT_EQ(read_line_cell(line, 4, decimal_cell), std::nullopt);  // no such cell
}

// An unreadable or missing cell keeps the value and is named with its place; out of range is
// clamped with the same place.
TEST(CellParse, UnreadableMissingAndClampedCellsAreNamed) {
  Report report;
  const CellPlace place{"monster.csv", 9, "HP", 4};
  const std::string line = "0x01,name,abc,\"1,034\",";
  std::int32_t value = 77;
  EXPECT_EQ(take_cell(&report, place, line, 2, decimal_cell, value), CellStatus::unreadable);
  EXPECT_EQ(value, 77);
  EXPECT_NE(report.last().find("monster.csv"), std::string::npos);
  EXPECT_NE(report.last().find(Report::format(msg::at_column.text, "HP", 4)), std::string::npos);
  EXPECT_NE(report.last().find("abc"), std::string::npos);
  EXPECT_NE(report.last().find("77"), std::string::npos);
  EXPECT_EQ(take_cell(&report, place, line, 3, decimal_cell, value, CellRange{0, 999}), CellStatus::clamped);
  EXPECT_EQ(value, 999);
  EXPECT_TRUE(report.has(msg::value_clamped));
  EXPECT_EQ(take_cell(&report, place, line, 7, hex8_cell, value), CellStatus::missing);
  EXPECT_EQ(value, 999);
  EXPECT_EQ(report.warnings(), 3);
  EXPECT_EQ(take_cell(&report, place, line, 3, decimal_cell, value), CellStatus::read);
  EXPECT_EQ(value, 1034);
  EXPECT_EQ(report.warnings(), 3);
  // transfer_cell names the cell the same way.
  CellTarget target{nullptr, "x", &report, "item.csv", 5, "価格", 3};
  transfer_cell(target, Direction::build, decimal_cell, value, 0);
  EXPECT_EQ(value, 1034);
  EXPECT_TRUE(report.has(msg::cell_unreadable));
  EXPECT_NE(report.last().find("item.csv"), std::string::npos);
}

TEST(CellPrint, FormsOfEveryKind) {
  EXPECT_EQ(print_cell(decimal_cell, -5), "-5,");
  EXPECT_EQ(print_cell(hex8_cell, 10), "0x0A,");
  EXPECT_EQ(print_cell(hex8_cell, 256), "0x100,");
  EXPECT_EQ(print_cell(hex8_cell, -1), "0xFFFFFFFF,");
  EXPECT_EQ(print_cell(hex16_cell, 0x12), "0x0012,");
  EXPECT_EQ(print_cell(mark_cell, 1), "○,");
  EXPECT_EQ(print_cell(mark_cell, 0), "×,");
  for (std::int32_t v : {0, 8, -1}) {
    EXPECT_EQ(print_cell(grade_cell, v), "-,");
  }
  for (std::int32_t v = 1; v <= 7; ++v) {
    const std::string printed = print_cell(grade_cell, v);
    EXPECT_EQ(read_cell(printed, grade_cell, 0), v) << printed;
  }
  EXPECT_EQ(print_cell(static_cast<CellKind>(9), 1), "");
}

TEST(CellText, AnUnquotedNameWithACommaIsCutWhenReadBack) {
  CsvWriter out;
  std::string name = "ab,cd";
  transfer_text_cell(CellTarget{&out, {}}, Direction::extract, name, 1);
  EXPECT_EQ(out.contents(), "ab,cd,");
  std::string back;
  transfer_text_cell(CellTarget{nullptr, out.contents()}, Direction::build, back, 0);
  EXPECT_EQ(back, "ab");
}

TEST(CsvReader, AcceptsCrLfAndLfAndLinesOfAnyLength) {
  CsvReader in;
  const std::string long_line(5000, 'x');
  in.assign("a\r\nb\n" + long_line + "\r\n\nlast");
  std::string line;
  for (const std::string& expected : std::vector<std::string>{"a", "b", long_line, "", "last"}) {
    ASSERT_TRUE(in.next_line(line));
    EXPECT_EQ(line, expected);
  }
  EXPECT_FALSE(in.next_line(line));
}

TEST(CsvWriter, WritesCrLfLineEnds) {
  CsvWriter out;
  out.line("a,b,");
  out.printf(",%sデータ,総数:%d,\n", "敵", 1);
  EXPECT_EQ(out.contents(), "a,b,\r\n,敵データ,総数:1,\r\n");
}

TEST(CellText, OneWalkFindsTheSameCellsAsLocatingEachFromTheStart) {
  const char alphabet[] = {',', '"', 'a', '1', '\x82', '\xA0', '\x5C', ' '};
  std::uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    seed = seed * 1103515245u + 12345u;
    const std::size_t length = (seed >> 16) % 24;
    for (std::size_t i = 0; i < length; ++i) {
      seed = seed * 1103515245u + 12345u;
      line += alphabet[(seed >> 16) % sizeof alphabet];
    }
    const std::vector<std::size_t> starts = cell_starts(line, 12);
    for (int column = 0; column < 12; ++column) {
      const std::size_t start = starts[static_cast<std::size_t>(column)];
      const bool exists = cell_start(line, column) != std::string_view::npos;
      ASSERT_EQ(start != std::string_view::npos, exists) << line << " column " << column;
      if (exists) {
        ASSERT_EQ(cell_string(std::string_view(line).substr(start), 0, 63), cell_string(line, column, 63))
            << line << " column " << column;
      }
    }
  }
}
