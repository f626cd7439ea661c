#pragma once
// Every call of the csv_lines target into the program.
#include <string>
#include <vector>

#include "table/csv_file.hpp"

namespace fuzz_adapter {

struct ReadLines {
  std::vector<std::string> lines;
  std::string after_end;  // what next_line left in its argument when it returned false
  bool at_end = false;
};

inline ReadLines read_lines(const std::string& contents) {
  CsvReader reader;
  reader.assign(contents);
  ReadLines result;
  std::string line;
  while (reader.next_line(line)) result.lines.push_back(line);
  result.after_end = line;
  result.at_end = reader.at_end();
  return result;
}

// The line after skipping `count`; false when the skip or the read fails.
inline bool line_after_skip(const std::string& contents, int count, std::string& line) {
  CsvReader reader;
  reader.assign(contents);
  return reader.skip_lines(count) && reader.next_line(line);
}

}  // namespace fuzz_adapter
