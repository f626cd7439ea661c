#include <gtest/gtest.h>

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

TEST(CellText, QuotesProtectCommasOnlyWhileLocating) {
  const std::string line = "12,0x1F,○,\"a,b\",x,";
  EXPECT_EQ(read_cell(line, hex8_cell, 1), 31);
  EXPECT_EQ(read_cell(line, mark_cell, 2), 1);
  std::string text;
  transfer_text_cell(CellTarget{nullptr, line}, Direction::build, text, 3);
  EXPECT_EQ(text, "a");
  transfer_text_cell(CellTarget{nullptr, line}, Direction::build, text, 4);
  EXPECT_EQ(text, "x");
}

TEST(CellText, MissingColumnsReadAsZeroAndLeaveTextAlone) {
  const std::string line = "1,2,3,4,5,";
  EXPECT_EQ(read_cell(line, decimal_cell, 9), 0);
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

TEST(CellParse, TextOfEveryKind) {
  struct Case {
    const char* text;
    CellKind kind;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"0x1f", hex8_cell, 31},    {"1f", hex8_cell, 31},     {"0X1F", hex8_cell, 0},
      {" 0x10", hex8_cell, 0},    {"0x1FF", hex8_cell, 0x1FF}, {"", hex16_cell, 0},
      {" -12", decimal_cell, -12}, {"3a", decimal_cell, 3},  {"0x10", decimal_cell, 0},
      {"x", decimal_cell, 0},     {"○＋", grade_cell, 4},   {"○", grade_cell, 3},
      {"○ ", grade_cell, 0},      {"4", grade_cell, 4},      {"42", grade_cell, 4},
      {"-", grade_cell, 0},       {"☆", grade_cell, 7},     {"×", grade_cell, 1},
      {"○＋", mark_cell, 1},      {"◎", mark_cell, 0},      {"10", mark_cell, 1},
      {"×", mark_cell, 0},        {"", mark_cell, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_cell(c.text, c.kind, 0), c.expected) << "\"" << c.text << "\" kind " << c.kind;
  }
}

// ID cells must hold one number and nothing else before rows are placed by them.
TEST(CellParse, ExactNumbersOnly) {
  struct Case {
    const char* text;
    CellKind kind;
    bool read;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"0x1F", hex8_cell, true, 31}, {"1f", hex8_cell, true, 31},      {"0x13F", hex8_cell, true, 0x13F},
      {"0X1F", hex8_cell, false, 0}, {"0x", hex8_cell, false, 0},      {" 0x10", hex8_cell, false, 0},
      {"", hex8_cell, false, 0},     {"0x12345678", hex8_cell, false, 0}, {"42", decimal_cell, true, 42},
      {"4a", decimal_cell, false, 0}, {"-1", decimal_cell, false, 0},  {"0x10", decimal_cell, false, 0},
      {"1", mark_cell, false, 0},
  };
  for (const Case& c : cases) {
    std::int32_t value = -7;
    EXPECT_EQ(parse_exact(c.text, c.kind, value), c.read) << c.text;
    if (c.read) {
      EXPECT_EQ(value, c.expected) << c.text;
    }
  }
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

TEST(CellText, ANameWithACommaIsCutWhenReadBack) {
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
