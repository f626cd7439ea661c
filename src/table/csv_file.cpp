#include "table/csv_file.hpp"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "app/message_log.hpp"
#include "app/messages.hpp"

bool CsvWriter::open(const std::string& path) {
  buffer_.clear();
  file_ = platform::open_file(path, "wb");
  return static_cast<bool>(file_);
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
  if (!file_) return false;
  const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) == buffer_.size();
  file_.reset();
  return ok;
}

bool CsvReader::open(const std::string& path) {
  data_.clear();
  pos_ = 0;
  platform::File f = platform::open_file(path, "rb");
  if (!f) return false;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) data_.append(chunk, n);
  return true;
}

bool CsvReader::next_line(std::string& line) {
  line.clear();
  if (pos_ >= data_.size()) return false;
  std::size_t end = data_.find('\n', pos_);
  const std::size_t next = end == std::string::npos ? data_.size() : end + 1;
  if (end == std::string::npos) end = data_.size();
  if (end > pos_ && data_[end - 1] == '\r') --end;
  line.assign(data_, pos_, end - pos_);
  pos_ = next;
  return true;
}

bool CsvReader::skip_lines(int count) {
  std::string ignored;
  for (int i = 0; i < count; ++i) {
    if (!next_line(ignored)) return false;
  }
  return true;
}

bool open_table_writer(CsvWriter& out, const std::string& folder, const char* file_name) {
  const std::string path = folder + file_name;
  if (!out.open(path)) {
    log_message(msg::cannot_open, path.c_str());
    return false;
  }
  log_section(msg::write_banner, file_name);
  return true;
}

bool open_table_reader(CsvReader& in, const std::string& folder, const char* file_name) {
  const std::string path = folder + file_name;
  if (!in.open(path)) {
    log_message(msg::cannot_open, path.c_str());
    return false;
  }
  log_section(msg::read_banner, file_name);
  return true;
}
