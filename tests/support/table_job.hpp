#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/fixed_table.hpp"
#include "test_support.hpp"

// Cells of a CSV line cut at every comma (quotes not considered), and the line again.
std::vector<std::string> split_cells(const std::string& line);
std::string join_cells(const std::vector<std::string>& cells);

// `count` bytes of `image` from offset `at`.
std::vector<std::uint8_t> bytes_at(const std::vector<std::uint8_t>& image, std::size_t at,
                                   std::size_t count);

// The sample image and the lines of one file of its extract. Both are made once per test
// program, on first use.
const std::vector<std::uint8_t>& sample_image();
const std::vector<std::string>& sample_lines(const std::string& file_name);

// A test's own copy of the sample ROM and of its extracted files, one table file of them held
// as lines for the test to edit, and a build or a store from the edited files.
class TableJob {
 public:
  explicit TableJob(const std::string& file_name);

  // The cell of line `line` under the first column headed `header` in line `header_line`.
  std::string cell(std::size_t header_line, std::size_t line, const std::string& header) const;
  void set_cell(std::size_t header_line, std::size_t line, const std::string& header,
                const std::string& text);
  // Sets every cell of a line from column `first` on to 0 (× in a mark cell, - in a grade cell).
  void zero_cells(std::size_t line, std::size_t first);
  void write_lines() const;
  // Writes the lines back, builds, and returns the built image; the job's report is kept.
  std::vector<std::uint8_t> rebuild();
  // Writes the lines back, then reads this table alone with `read` and stores it with `store`
  // into the image of the ROM file, on a job of its own; the last message after each step is
  // kept, and the job's report.
  template <typename Read, typename Store>
  std::vector<std::uint8_t> store_alone(Read read, Store store) {
    write_lines();
    JobContext job;
    EXPECT_EQ(rom_open(job.rom, rom, true, job.report), Status::ok);
    const auto table = read(job, folder);
    after_read = job.report.last();
    store(job, table.get());
    after_store = job.report.last();
    report = job.report;
    return job.rom.image;
  }
  // The same with the shared steps of a fixed table.
  std::vector<std::uint8_t> store_alone(const TableDescription& table) {
    return store_alone([&](JobContext& job, const std::string& from) { return read_fixed_csv(job, from, table); },
                       [&](JobContext& job, const FixedTableBlock* block) { store_fixed_table(job, table, block); });
  }
  // Makes `image` the ROM file, extracts it into the folder and takes the table's lines again.
  void extract_image(const std::vector<std::uint8_t>& image);
  // The first offset of [offset, offset + size) at which `out` differs from the input, or -1.
  long changed(const std::vector<std::uint8_t>& out, std::uint32_t offset, std::size_t size) const;

  TempDir dir;
  std::string rom;     // the ROM file: the sample, or the image last extracted
  std::string folder;  // the CSV folder
  std::string csv;
  std::vector<std::uint8_t> input;
  const std::vector<std::string>& extracted;  // the table's lines as the sample's extract wrote them
  std::vector<std::string> lines;
  std::string after_read, after_store;
  Report report;  // of the last rebuild or store

 private:
  std::size_t column(std::size_t header_line, const std::string& header) const;
  void copy_sample() const;
};

// A fixture holding its own job on one table file.
class TableTest : public ::testing::Test, public TableJob {
 protected:
  explicit TableTest(const std::string& file_name) : TableJob(file_name) {}
};
