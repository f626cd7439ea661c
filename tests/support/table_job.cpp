#include "table_job.hpp"

#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

// The sample image and every file of its extract, by name.
struct ExtractedSample {
  int result = -1;
  std::vector<std::uint8_t> image;
  std::map<std::string, std::string> files;
  std::map<std::string, std::vector<std::string>> lines;
};

const ExtractedSample& extracted_sample() {
  static const ExtractedSample sample = [] {
    ExtractedSample made;
    TempDir dir;
    write_sample(dir.path("sample.smc"));
    made.image = read_bytes(dir.path("sample.smc"));
    made.result = extract(dir.path("sample.smc"), dir.path("csv/"));
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path("csv"), ec)) {
      const std::string name = entry.path().filename().string();
      made.files[name] = read_text(entry.path().string());
      made.lines[name] = split_lines(made.files[name]);
    }
    return made;
  }();
  return sample;
}

}  // namespace

std::vector<std::string> split_cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
    cells.push_back(line.substr(start, comma - start));
  }
  cells.push_back(line.substr(start));
  return cells;
}

std::string join_cells(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) line += (c ? "," : "") + cells[c];
  return line;
}

std::vector<std::uint8_t> bytes_at(const std::vector<std::uint8_t>& image, std::size_t at,
                                   std::size_t count) {
  return std::vector<std::uint8_t>(image.begin() + static_cast<std::ptrdiff_t>(at),
                                   image.begin() + static_cast<std::ptrdiff_t>(at + count));
}

const std::vector<std::uint8_t>& sample_image() { return extracted_sample().image; }

const std::vector<std::string>& sample_lines(const std::string& file_name) {
  static const std::vector<std::string> none;
  const auto& lines = extracted_sample().lines;
  const auto found = lines.find(file_name);
  return found == lines.end() ? none : found->second;
}

TableJob::TableJob(const std::string& file_name)
    : rom(dir.path("sample.smc")),
      folder(dir.path("csv/")),
      csv(folder + file_name),
      input(sample_image()),
      extracted(sample_lines(file_name)),
      lines(extracted) {
  EXPECT_EQ(extracted_sample().result, 0);
  copy_sample();
}

void TableJob::copy_sample() const {
  write_bytes(rom, sample_image());
  std::error_code ec;
  fs::create_directories(dir.path("csv"), ec);
  for (const auto& [name, text] : extracted_sample().files) write_text(folder + name, text);
}

std::size_t TableJob::column(std::size_t header_line, const std::string& header) const {
  const std::vector<std::string> headers = split_cells(lines.at(header_line));
  std::size_t c = 0;
  while (c < headers.size() && headers[c] != header) ++c;
  EXPECT_LT(c, headers.size()) << "no column " << header;
  return c;
}

std::string TableJob::cell(std::size_t header_line, std::size_t line,
                           const std::string& header) const {
  const std::vector<std::string> cells = split_cells(lines.at(line));
  const std::size_t c = column(header_line, header);
  return c < cells.size() ? cells[c] : std::string();
}

void TableJob::set_cell(std::size_t header_line, std::size_t line, const std::string& header,
                        const std::string& text) {
  std::vector<std::string> cells = split_cells(lines.at(line));
  const std::size_t c = column(header_line, header);
  if (c >= cells.size()) cells.resize(c + 1);
  cells[c] = text;
  lines[line] = join_cells(cells);
}

void TableJob::zero_cells(std::size_t line, std::size_t first) {
  std::vector<std::string> cells = split_cells(lines.at(line));
  // The empty piece after the line's last comma is no cell.
  for (std::size_t c = first; c + 1 < cells.size(); ++c) cells[c] = "0";
  lines[line] = join_cells(cells);
}

void TableJob::write_lines() const { write_text(csv, join_lines(lines)); }

std::vector<std::uint8_t> TableJob::rebuild() {
  write_lines();
  EXPECT_EQ(build(rom, dir.path("out.smc"), folder, false, &report), 0);
  return read_bytes(dir.path("out.smc"));
}

// The sample's own extract is made once and copied.
void TableJob::extract_image(const std::vector<std::uint8_t>& image) {
  if (image == sample_image()) {
    copy_sample();
  } else {
    write_bytes(rom, image);
    EXPECT_EQ(extract(rom, folder), 0);
  }
  lines = split_lines(read_text(csv));
}

long TableJob::changed(const std::vector<std::uint8_t>& out, std::uint32_t offset,
                       std::size_t size) const {
  for (std::size_t i = offset; i < std::size_t{offset} + size; ++i) {
    if (i >= out.size() || i >= input.size() || out[i] != input[i]) return static_cast<long>(i);
  }
  return -1;
}
