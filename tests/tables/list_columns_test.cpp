// The list files as a spreadsheet leaves them after a memo column is inserted or the rows are
// sorted by another column: the build is the one from the unchanged files, with info lines only.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/report.hpp"
#include "table/cells.hpp"
#include "table_job.hpp"

namespace {

int non_info(const Report& report) {
  return static_cast<int>(std::count_if(report.entries().begin(), report.entries().end(),
                                        [](const ReportEntry& e) { return e.severity != Severity::info; }));
}

// The first line whose first cell is the ID header.
std::size_t header_at(const std::vector<std::string>& lines) {
  std::size_t i = 0;
  while (i < lines.size() && cell_string(lines[i], 0) != "ID") ++i;
  return i;
}

// Inserts a cell before cell `column` (quotes respected), padding a shorter line as a
// spreadsheet saves it.
std::string with_cell(const std::string& line, int column, const std::string& text) {
  const std::vector<std::size_t> starts = cell_starts(line, column + 1);
  if (starts[static_cast<std::size_t>(column)] == std::string::npos) {
    int cells = 0;
    while (cells < column && starts[static_cast<std::size_t>(cells)] != std::string::npos) ++cells;
    return line + std::string(static_cast<std::size_t>(column - cells + 1), ',') + text + ",";
  }
  std::string out = line;
  out.insert(starts[static_cast<std::size_t>(column)], text + ",");
  return out;
}

// A memo column at `column` of every line from the first header on: "メモ" in the headers and
// rows, an empty cell in the lines of commas alone.
void insert_memo(std::vector<std::string>& lines, int column) {
  for (std::size_t i = header_at(lines); i < lines.size(); ++i) {
    const bool empty = lines[i].find_first_not_of(',') == std::string::npos;
    lines[i] = with_cell(lines[i], column, empty ? "" : "メモ");
  }
}

// Sorts each run of rows after a header line (up to a line of commas alone) by the text after
// its ID, as a spreadsheet sorts a selected range by its second column.
void sort_rows(std::vector<std::string>& lines, std::size_t most) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (cell_string(lines[i], 0) != "ID") continue;
    std::size_t end = i + 1;
    while (end < lines.size() && end - i - 1 < most && lines[end].find_first_not_of(',') != std::string::npos) ++end;
    std::stable_sort(lines.begin() + static_cast<long>(i + 1), lines.begin() + static_cast<long>(end),
                     [](const std::string& a, const std::string& b) {
                       return a.substr(a.find(',')) < b.substr(b.find(','));
                     });
  }
}

}  // namespace

TEST(ListColumns, MemoColumnsAndSortedRowsBuildTheUnchangedRom) {
  struct Case {
    const char* file;
    std::vector<int> memo_at;  // before the ID, between, after the header's last column
    std::size_t sorted;        // rows sorted per list at most; 0: not sorted
    const char* edit;          // a new second cell for the first row
  };
  const Case cases[] = {
      {"event_battle.csv", {0, 1, 2}, 300, "0x7E"},
      {"string.csv", {0, 1, 2}, 5000, "テスト"},
      {"flash.csv", {0, 2, 3, 10}, 0, "0x7E"},
      {"event1.csv", {0, 1, 2}, 5000, "テスト"},
  };
  for (const Case& c : cases) {
    TableJob job(c.file);
    const std::vector<std::uint8_t> unchanged = job.rebuild();
    ASSERT_EQ(non_info(job.report), 0) << c.file;
    const std::size_t infos = job.report.entries().size();
    std::vector<std::vector<std::string>> edits;
    for (const int column : c.memo_at) {
      edits.push_back(job.extracted);
      insert_memo(edits.back(), column);
    }
    if (c.sorted > 0) {
      edits.push_back(job.extracted);
      sort_rows(edits.back(), c.sorted);
      EXPECT_NE(edits.back(), job.extracted) << c.file;
    }
    for (std::size_t e = 0; e < edits.size(); ++e) {
      SCOPED_TRACE(std::string(c.file) + " edit " + std::to_string(e));
      job.lines = edits[e];
      job.report = Report();
      EXPECT_EQ(job.rebuild() == unchanged, true);
      for (const ReportEntry& entry : job.report.entries()) {
        if (entry.severity != Severity::info) ADD_FAILURE() << entry.text;
      }
      const bool memo = e < c.memo_at.size();
      EXPECT_EQ(job.report.has(msg::columns_ignored), memo);
      if (memo) {
        EXPECT_EQ(job.report.entries().size(), infos + 1);
      }
    }
    // Without its second column, or with a header line that names nothing, the list keeps the
    // image's values, the edited cell's too (which lands with the header line intact).
    const std::size_t header = header_at(job.extracted);
    for (const char* mode : {"intact", "renamed", "unmatched"}) {
      SCOPED_TRACE(std::string(c.file) + " " + mode);
      const std::string m = mode;
      job.lines = job.extracted;
      std::vector<std::string> cells = split_cells(job.lines[header]);
      cells[1] = "本文";
      if (m == "renamed") job.lines[header] = join_cells(cells);
      if (m == "unmatched") job.lines[header] = "a,b,c,";
      cells = split_cells(job.lines[header + 1]);
      cells[1] = c.edit;
      job.lines[header + 1] = join_cells(cells);
      job.report = Report();
      EXPECT_EQ(job.rebuild() == unchanged, m != "intact");
      EXPECT_EQ(job.report.has(msg::column_missing), m == "renamed");
      EXPECT_EQ(job.report.has(msg::header_unmatched), m == "unmatched");
    }
  }
}

// A cell past a memo column is named where the file has it.
TEST(ListColumns, CellsAreNamedAtTheirFileColumn) {
  TableJob job("event_battle.csv");
  insert_memo(job.lines, 1);
  std::vector<std::string> cells = split_cells(job.lines[header_at(job.lines) + 1]);
  cells.resize(std::max<std::size_t>(cells.size(), 4));
  cells[3] = "zz";
  job.lines[header_at(job.lines) + 1] = join_cells(cells);
  job.rebuild();
  EXPECT_NE(job.report.log_text().find("データ（4列目）"), std::string::npos);
}
