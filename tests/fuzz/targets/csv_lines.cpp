// The CSV line reader: the lines joined back with their ends give the input again.
#include "adapters/csv_lines.hpp"

#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {
const char* const target = "csv_lines";
}

int fuzz_csv_lines(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const fa::ReadLines read = fa::read_lines(input);
  if (!read.after_end.empty() || !read.at_end) fuzz_fail(target, "the reader did not end cleanly");
  // Each line is followed by LF, CR LF, a lone CR or the end of the input, and holds neither.
  std::size_t at = 0;
  for (std::size_t k = 0; k < read.lines.size(); ++k) {
    const std::string& line = read.lines[k];
    if (input.compare(at, line.size(), line) != 0 || line.find_first_of("\r\n") != std::string::npos)
      fuzz_fail(target, "line %zu is not the input's bytes at %zu", k, at);
    at += line.size();
    if (input.compare(at, 2, "\r\n") == 0) {
      at += 2;
    } else if (at < size && (input[at] == '\r' || input[at] == '\n')) {
      at += 1;
    } else if (at != size || k + 1 != read.lines.size()) {
      fuzz_fail(target, "line %zu is not followed by its end at %zu", k, at);
    }
  }
  if (at != size) fuzz_fail(target, "the lines cover %zu of %zu bytes", at, size);
  const int skip = static_cast<int>(read.lines.size() / 2);
  std::string line;
  const bool found = fa::line_after_skip(input, skip, line);
  if (found != (static_cast<std::size_t>(skip) < read.lines.size()) ||
      (found && line != read.lines[static_cast<std::size_t>(skip)]))
    fuzz_fail(target, "skipping %d lines does not lead to line %d", skip, skip);
  return fuzz_pass;
}
