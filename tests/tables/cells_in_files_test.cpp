// What a build makes of a cell as a spreadsheet or a hand leaves it: the value exactly as
// written, or a warning naming the cell while the image's value stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/report.hpp"
#include "table_job.hpp"

namespace {

constexpr std::size_t header_at = 2;  // of monster.csv and mons_tech.csv
constexpr std::size_t first_row = 3;
constexpr std::uint32_t monster_stats = 0x3E3F8B;

std::string at(const char* file, std::size_t index) {
  return Report::format(msg::at_line.text, file, static_cast<int>(index + 1));
}

// The warnings whose place is the line of index `index` of the file.
int warnings_at(const Report& report, const char* file, std::size_t index) {
  int count = 0;
  const std::string place = at(file, index);
  for (const ReportEntry& entry : report.entries()) {
    if (entry.severity != Severity::warning || entry.text.rfind(place, 0) != 0) continue;
    const char next = entry.text[place.size()];
    if (next == ' ' || next == ':') ++count;
  }
  return count;
}

// Inserts a cell before column `column` of every line from the header through the rows.
void insert_column(TableJob& job, std::size_t column, std::size_t rows, const std::string& header) {
  for (std::size_t line = header_at; line < first_row + rows; ++line) {
    std::vector<std::string> cells = split_cells(job.lines[line]);
    cells.insert(cells.begin() + static_cast<long>(column), line == header_at ? header : "メモ");
    job.lines[line] = join_cells(cells);
  }
}

void remove_column(TableJob& job, std::size_t column, std::size_t rows) {
  for (std::size_t line = header_at; line < first_row + rows; ++line) {
    std::vector<std::string> cells = split_cells(job.lines[line]);
    cells.erase(cells.begin() + static_cast<long>(column));
    job.lines[line] = join_cells(cells);
  }
}

std::size_t column_of(const TableJob& job, const std::string& header) {
  const std::vector<std::string> cells = split_cells(job.lines[header_at]);
  std::size_t c = 0;
  while (c < cells.size() && cells[c] != header) ++c;
  return c;
}

}  // namespace

// Each edit on a row of its own; a re-extract of the build shows what landed.
TEST(CellsInFiles, EveryCellLandsAsWrittenOrIsNamed) {
  struct Edit {
    const char* header;
    std::string text;
    const char* lands;  // the cell a re-extract shows; nullptr: the image's value stays
    bool named;         // a warning names the line
  };
  const Edit edits[] = {
      {"HP", "\"1,034\"", "1034", false},  // Calc's "save as shown" of a #,##0 cell
      {"HP", "１００", "100", false},        {"HP", "  250 ", "250", false},
      {"HP", "abc", nullptr, true},         {"HP", "", nullptr, true},
      {"HP", "12abc", nullptr, true},       {"HP", "1.9", nullptr, true},
      {"HP", "1e3", nullptr, true},         {"HP", std::string("5\0", 2), nullptr, true},
      {"腕力", "３", "3", false},            {"腕力", "−2", "0", true},
      {"行動パターン0ID", "0X2F", "0x2F", false}, {"行動パターン0ID", "ＦＦ", "0xFF", false},
      {"行動パターン0ID", " 0x10", "0x10", false}, {"行動パターン0ID", "-0x1", nullptr, true},
      {"男", "〇", "○", false},              {"男", "◯", "○", false},
      {"男", "TRUE", nullptr, true},        {"男", "o", nullptr, true},
      {"男", "", nullptr, true},
      {"HP", "1,034", nullptr, true},  // unquoted: every later cell moves, and the row is kept
  };
  TableJob job("monster.csv");
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    job.set_cell(header_at, first_row + 10 + i, edits[i].header, edits[i].text);
  }
  job.extract_image(job.rebuild());
  const Report report = job.report;
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    const Edit& edit = edits[i];
    const std::size_t line = first_row + 10 + i;
    const std::string expected = edit.lands ? edit.lands : split_cells(job.extracted[line])[column_of(job, edit.header)];
    EXPECT_EQ(job.cell(header_at, line, edit.header), expected) << edit.header << " " << edit.text;
    EXPECT_EQ(warnings_at(report, "monster.csv", line), edit.named ? 1 : 0) << edit.header << " " << edit.text;
  }
  EXPECT_EQ(report.warnings(), 12);
  // The message names file, line, header and column number, the text and the value kept.
  const std::string message = message_of(report, msg::cell_unreadable);
  const std::string column = Report::format(msg::at_column.text, "HP", static_cast<int>(column_of(job, "HP")) + 1);
  EXPECT_EQ(message.rfind(at("monster.csv", first_row + 13) + " " + column + ": 「abc」", 0), 0u) << message;
  const std::size_t shifted = first_row + 10 + std::size(edits) - 1;
  EXPECT_EQ(job.lines[shifted], job.extracted[shifted]);
}

TEST(CellsInFiles, NamesLongerThanTheirSlotAreNamed) {
  TableJob job("monster.csv");
  job.set_cell(header_at, first_row + 4, "名前(8)", "ゴブリンキングダム");
  job.extract_image(job.rebuild());
  EXPECT_EQ(job.cell(header_at, first_row + 4, "名前(8)"), "ゴブリンキングダ");
  const std::string message = message_of(job.report, msg::name_too_long);
  EXPECT_EQ(message.rfind(at("monster.csv", first_row + 4), 0), 0u) << message;
  EXPECT_NE(message.find("「ム」"), std::string::npos) << message;
  EXPECT_EQ(job.report.warnings(), 1);
}

// A memo column anywhere, a column removed, a header line that names nothing.
TEST(CellsInFiles, ColumnsAreFoundByTheirHeaders) {
  for (const char* before : {"名前(8)", "所持アイテム", ""}) {
    TableJob job("monster.csv");
    insert_column(job, before[0] ? column_of(job, before) : split_cells(job.lines[header_at]).size() - 1, 320, "メモ");
    EXPECT_EQ(first_difference(job.rebuild(), job.input), -1) << before;
    EXPECT_EQ(job.report.warnings(), 0) << before << ": " << job.report.last();
    EXPECT_TRUE(job.report.has(msg::columns_ignored)) << before;
  }
  TableJob removed("monster.csv");
  remove_column(removed, column_of(removed, "HP"), 320);
  removed.set_cell(header_at, first_row + 4, "腕力", "77");
  const std::vector<std::uint8_t> out = removed.rebuild();
  EXPECT_EQ(out[monster_stats + 25 * 4 + 6], 77);
  EXPECT_EQ(removed.changed(out, monster_stats, 25 * 4 + 6), -1);
  EXPECT_EQ(removed.changed(out, monster_stats + 25 * 4 + 7, 25 * 316 - 7), -1);
  EXPECT_EQ(message_of(removed.report, msg::column_missing).rfind(at("monster.csv", header_at), 0), 0u);
  EXPECT_EQ(removed.report.warnings(), 1);

  TableJob unmatched("monster.csv");
  unmatched.lines[header_at] = "a,b,c,";
  EXPECT_EQ(first_difference(unmatched.rebuild(), unmatched.input), -1);
  EXPECT_TRUE(unmatched.report.has(msg::header_unmatched));
}

// form_tech.csv and name.csv's 陣形技名称 are the same bytes: name.csv, stored last, decides,
// and a difference names both lines.
TEST(CellsInFiles, SharedNameSlotsNameBothLines) {
  TableJob job("form_tech.csv");
  job.set_cell(header_at, first_row + 3, "名前(10)", "テスト");
  const std::vector<std::uint8_t> out = job.rebuild();
  EXPECT_EQ(first_difference(out, job.input), -1);
  const std::string message = message_of(job.report, msg::shared_name_differs);
  EXPECT_NE(message.find(at("form_tech.csv", first_row + 3)), std::string::npos) << message;
  EXPECT_EQ(message.rfind("name.csv", 0), 0u) << message;
  EXPECT_EQ(job.report.warnings(), 1);
}

// The 不明 column of byte 6 has the mask 0xF7: bit 3 is 見切り可's.
TEST(CellsInFiles, BitsAMaskCannotHoldAreNamed) {
  TableJob job("mons_tech.csv");
  job.set_cell(header_at, first_row + 1, "不明", "8");
  job.set_cell(header_at, first_row + 2, "不明", "247");
  job.extract_image(job.rebuild());
  EXPECT_EQ(job.cell(header_at, first_row + 1, "不明"), "0");
  EXPECT_EQ(job.cell(header_at, first_row + 2, "不明"), "247");
  EXPECT_EQ(job.cell(header_at, first_row + 1, "見切り可"), split_cells(job.extracted[first_row + 1])[column_of(job, "見切り可")]);
  EXPECT_EQ(message_of(job.report, msg::value_bits_dropped).rfind(at("mons_tech.csv", first_row + 1), 0), 0u);
  EXPECT_EQ(job.report.warnings(), 1);
}
