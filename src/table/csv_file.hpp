#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/platform.hpp"

class Report;
struct JobContext;

// A text file written in binary mode: every line ends in CR LF on every platform. The text is
// gathered in memory and the file written whole when closed (or destroyed): a failed or
// interrupted job leaves the file as it was or complete.
class CsvWriter {
 public:
  CsvWriter() = default;
  CsvWriter(const CsvWriter&) = delete;
  CsvWriter& operator=(const CsvWriter&) = delete;
  ~CsvWriter() { close(); }

  // False when the path names something that is not a regular file (a folder, a device).
  bool open(const std::string& path);
  // Files are Shift-JIS; with utf8 set, close() writes them as UTF-8 with a byte order mark.
  void set_utf8(bool utf8) { utf8_ = utf8; }
  // Appends text; each "\n" in it is written as CR LF.
  void write(std::string_view text);
  void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void line(std::string_view text = {}) {
    write(text);
    write("\n");
  }
  // Writes the text and closes the file; false when any write, flush or close failed.
  bool close();
  // For tests and in-memory use.
  const std::string& contents() const { return buffer_; }

 private:
  std::string path_;
  bool open_ = false;
  std::string buffer_;
  bool utf8_ = false;
};

// Reads a text file line by line. A line ends at LF, CR LF or a lone CR. Lines are returned
// whole, of any length. A file saved as UTF-8 is read as its Shift-JIS text.
class CsvReader {
 public:
  // False for a folder or a file that cannot be read. Characters of a UTF-8 file that
  // Shift-JIS lacks are reported as warnings on the report, when one is given.
  bool open(const std::string& path, Report* report = nullptr);
  void assign(std::string contents) {
    data_ = std::move(contents);
    pos_ = 0;
    line_ = 0;
  }
  // False at the end of the file; `line` is then empty.
  bool next_line(std::string& line);
  bool skip_lines(int count);
  bool at_end() const { return pos_ >= data_.size(); }
  // The number of the line next_line returned last, from 1.
  int line_number() const { return line_; }

 private:
  std::string data_;
  std::size_t pos_ = 0;
  int line_ = 0;
};

// Opens a table file for writing, reporting the open failure or the write banner.
bool open_table_writer(CsvWriter& out, JobContext& job, const std::string& folder,
                       const char* file_name);
// Closes it, reporting a failed write; false then.
bool close_table_writer(CsvWriter& out, Report& report, const std::string& folder,
                        const char* file_name);
// Opens a table file for reading, reporting the open failure or the read banner.
bool open_table_reader(CsvReader& in, Report& report, const std::string& folder,
                       const char* file_name);
