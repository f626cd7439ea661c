#include "test_support.hpp"

#include <atomic>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "jobs/job.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    const fs::path candidate =
        base / ("varbek-test-" + std::to_string(std::rand()) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      folder_ = candidate.string() + static_cast<char>(fs::path::preferred_separator);
      return;
    }
    if (attempt > 100) std::abort();
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

std::vector<std::uint8_t> read_bytes(const std::string& path) {
  // One read of the whole file: byte-wise iteration takes half a second per image in Debug.
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void copy_files(const std::string& from, const std::string& to) {
  namespace fs = std::filesystem;
  fs::create_directories(to);
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    if (!entry.is_regular_file()) continue;
    write_bytes((fs::path(to) / entry.path().filename()).string(), read_bytes(entry.path().string()));
  }
}

void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void write_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::string read_sjis_file(const std::string& path) {
  platform::File f = platform::open_file(path, "rb");
  std::string bytes;
  char buffer[65536];
  std::size_t n;
  while (f && (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, n);
  return bytes;
}

void write_sample(const std::string& path, const SampleOptions& options) {
  write_sample_rom(path, options);
}

namespace {

int run(const std::vector<std::string>& args, Report* report) {
  JobContext job;
  job.start_folder = platform::current_directory();
  const JobResult result = run_job(job, args);
  if (report) *report = std::move(job.report);
  return exit_code_of(result);
}

}  // namespace

int extract(const std::string& rom, const std::string& folder, bool music, Report* report) {
  return run({"varbek", music ? "-am" : "-a", rom, folder}, report);
}

int build(const std::string& rom, const std::string& out, const std::string& folder, bool music,
          Report* report) {
  return run({"varbek", music ? "-mm" : "-m", rom, out, folder}, report);
}

std::string message_of(const Report& report, const Message& message) {
  for (const ReportEntry& entry : report.entries()) {
    if (std::strcmp(entry.id, message.id) == 0) return entry.text;
  }
  return std::string();
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::string join_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string set_cell(const std::string& path, const std::string& id, std::size_t column,
                     const std::string& value) {
  std::vector<std::string> lines = split_lines(read_text(path));
  std::string old;
  for (std::string& line : lines) {
    if (line.rfind(id + ",", 0) != 0) continue;
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
      cells.push_back(line.substr(start, comma - start));
    }
    cells.push_back(line.substr(start));
    old = cells.at(column);
    cells[column] = value;
    line = cells[0];
    for (std::size_t c = 1; c < cells.size(); ++c) line += "," + cells[c];
    break;
  }
  write_text(path, join_lines(lines));
  return old;
}

std::vector<std::uint8_t> noise(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::uint8_t& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  return bytes;
}

long first_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return static_cast<long>(i);
  }
  return a.size() == b.size() ? -1 : static_cast<long>(n);
}
