#include "table/csv_file.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/files.hpp"
#include "core/job_context.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/text_encoding.hpp"

bool CsvWriter::open(const std::string& path) {
  buffer_.clear();
  path_ = path;
  open_ = platform::replaceable(path);
  return open_;
}

void CsvWriter::write(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      buffer_.append(text.substr(start, i - start));
      buffer_.append("\r\n");
      start = i + 1;
    }
  }
  buffer_.append(text.substr(start));
}

void CsvWriter::printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n > 0) {
    std::vector<char> text(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    write(std::string_view(text.data(), static_cast<std::size_t>(n)));
  }
  va_end(again);
}

bool CsvWriter::close() {
  if (!open_) return false;
  open_ = false;
  const std::string& bytes = utf8_ ? text_encoding::sjis_to_utf8_with_bom(buffer_) : buffer_;
  return platform::write_file_atomically(path_, bytes.data(), bytes.size());
}

bool CsvReader::open(const std::string& path, Report* report) {
  pos_ = 0;
  line_ = 0;
  if (!platform::read_file(path, data_)) return false;
  text_encoding::DecodedFile decoded = text_encoding::file_text_to_sjis(std::move(data_));
  data_ = std::move(decoded.sjis);
  if (report) text_encoding::report_decoded(*report, file_name_of(path), decoded);
  return true;
}

bool CsvReader::next_line(std::string& line) {
  line.clear();
  if (pos_ >= data_.size()) return false;
  // A line ends at LF, CR LF or a lone CR, as the different systems save text.
  const char* start = data_.data() + pos_;
  const std::size_t rest = data_.size() - pos_;
  const void* lf = std::memchr(start, '\n', rest);
  std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : rest;
  std::size_t next = lf ? length + 1 : rest;
  if (const void* cr = std::memchr(start, '\r', length)) {
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - start);
    next = at + 1 == length ? length + 1 : at + 1;
    length = at;
  }
  line.assign(start, length);
  pos_ += next < rest ? next : rest;
  ++line_;
  return true;
}

bool CsvReader::skip_lines(int count) {
  std::string ignored;
  for (int i = 0; i < count; ++i) {
    if (!next_line(ignored)) return false;
  }
  return true;
}

bool open_table_writer(CsvWriter& out, JobContext& job, const std::string& folder,
                       const char* file_name) {
  const std::string path = folder + file_name;
  if (!out.open(path)) {
    job.report.add(msg::cannot_open, path);
    return false;
  }
  out.set_utf8(job.utf8_files);
  job.report.section(msg::write_banner, file_name);
  return true;
}

bool close_table_writer(CsvWriter& out, Report& report, const std::string& folder,
                        const char* file_name) {
  if (out.close()) return true;
  report.add(msg::cannot_write, folder + file_name);
  return false;
}

bool open_table_reader(CsvReader& in, Report& report, const std::string& folder,
                       const char* file_name) {
  const std::string path = folder + file_name;
  if (!in.open(path, &report)) {
    report.add(msg::cannot_open, path);
    return false;
  }
  report.section(msg::read_banner, file_name);
  return true;
}
