#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "app/platform.hpp"

// A text file written in binary mode: every line ends in CR LF on every platform. The file is
// created when opened and filled when closed (or destroyed).
class CsvWriter {
 public:
  CsvWriter() = default;
  CsvWriter(const CsvWriter&) = delete;
  CsvWriter& operator=(const CsvWriter&) = delete;
  ~CsvWriter() { close(); }

  bool open(const std::string& path);
  // Appends text; each "\n" in it is written as CR LF.
  void write(std::string_view text);
  void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void line(std::string_view text = {}) {
    write(text);
    write("\n");
  }
  bool close();
  // For tests and in-memory use.
  const std::string& contents() const { return buffer_; }

 private:
  platform::File file_;
  std::string buffer_;
};

// Reads a text file line by line. A line ends at LF; a CR before it is dropped. Lines are
// returned whole, of any length.
class CsvReader {
 public:
  bool open(const std::string& path);
  void assign(std::string contents) {
    data_ = std::move(contents);
    pos_ = 0;
  }
  // False at the end of the file; `line` is then empty.
  bool next_line(std::string& line);
  bool skip_lines(int count);
  bool at_end() const { return pos_ >= data_.size(); }

 private:
  std::string data_;
  std::size_t pos_ = 0;
};

// Opens a table file for writing, logging the open failure or the write banner.
bool open_table_writer(CsvWriter& out, const std::string& folder, const char* file_name);
// Opens a table file for reading, logging the open failure or the read banner.
bool open_table_reader(CsvReader& in, const std::string& folder, const char* file_name);
