#include "jobs/image_extracts.hpp"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "jobs/job.hpp"
#include "jobs/job_files.hpp"
#include "jobs/pipeline.hpp"
#include "core/bps.hpp"
#include "core/files.hpp"
#include "core/ips.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "event/event_bank.hpp"
#include "music/song.hpp"
#include "table/cells.hpp"
#include "table/csv_file.hpp"
#include "tables/registry.hpp"

namespace {

// Marks, in ROM offsets, what the tables describe beyond what an extract reads: the whole of
// every packed area with its pointer slots and of every event bank (a build may write into
// their free space) and, with the music, the song regions.
void mark_areas(std::vector<bool>& described, bool music) {
  const auto mark = [&](std::uint64_t from, std::uint64_t size) {
    for (std::uint64_t o = from; o < from + size && o < described.size(); ++o) described[o] = true;
  };
  for (const RegisteredTable& table : registered_tables()) {
    for (const Section& section : table.description->sections) {
      if (section.area.size == 0) continue;
      mark(section.area.rom_offset, section.area.size);
      if (section.area.pointer_table) mark(section.area.pointer_table, 2 * std::uint64_t(section.rows));
    }
  }
  for (int bank = 0; bank < event_bank_count; ++bank) {
    const EventBankArea& area = event_bank_area(bank);
    mark(area.base, event_text_start + area.text_size);
  }
  if (!music) return;
  for (const SongRegion* region : {&base_region(), &extended_region()}) {
    mark(region->start, region->limit > region->start ? region->limit - region->start : 0);
  }
}

// The internal header's checksum and its complement, in ROM offsets, marked: a build
// rewrites them, in the copy of the header too.
void mark_checksums(std::vector<bool>& described, const ExtractedImage& image) {
  const std::size_t copier = std::min<std::size_t>(image.copier_header, image.file.size());
  const std::uint32_t front = image.shift - image.copier_header;
  for (const std::size_t header : header_offsets(image.file.data() + copier, image.file.size() - copier, front)) {
    for (std::size_t o = header + 0x1C; o < header + 0x20; ++o) {
      if (o >= front && o - front < described.size()) described[o - front] = true;
    }
  }
}

// The file at `path` as an image: a BPS or IPS patch is applied to the image at `original_path`
// (`patched` tells which it was), anything else is left to be opened from its path.
Status load_image_or_patch(Report& report, const std::string& path, const std::string& original_path,
                           std::vector<std::uint8_t>& image, bool& patched) {
  std::string text;
  if (read_input_file(report, path, text, bps_max_target_size) != Status::ok) return Status::failed;
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  patched = ips_recognised(bytes) || (bytes.size() >= 4 && std::memcmp(bytes.data(), "BPS1", 4) == 0);
  if (!patched) return Status::ok;
  std::string source_text;
  if (read_input_file(report, original_path, source_text, bps_max_target_size) != Status::ok) {
    return Status::failed;
  }
  const std::vector<std::uint8_t> source(source_text.begin(), source_text.end());
  return apply_patch(report, path, bytes, source, image);
}

}  // namespace

Status image_in_folder(Report& report, const std::string& path, const std::string& original_path,
                       const std::string& folder, std::string& image_path) {
  std::vector<std::uint8_t> patched;
  bool was_patch = false;
  if (load_image_or_patch(report, path, original_path, patched, was_patch) != Status::ok) return Status::failed;
  image_path = path;
  if (!was_patch) return Status::ok;
  image_path = folder + scratch_image_name;
  if (platform::write_file_atomically(image_path, patched.data(), patched.size())) return Status::ok;
  report.add(msg::cannot_write, image_path);
  return Status::failed;
}

std::vector<std::string> text_files(const std::string& folder) {
  std::vector<std::string> files;
  for (const RegisteredTable& table : registered_tables()) files.push_back(folder + table.description->file_name);
  for (int bank = 0; bank < event_bank_count; ++bank) files.push_back(event_file_path(folder, bank));
  return files;
}

ScratchFolder::ScratchFolder(Report& report, const std::string& near) : report_(report) {
  // Only in a folder that exists: one made here for it would be left behind.
  std::string parent = platform::temporary_name(near, 0);
  parent.resize(parent.size() - std::strlen("varbek-00000000"));
  if (!parent.empty() && !platform::is_directory(parent)) {
    report_.add(msg::cannot_open, parent);
    return;
  }
  const auto seed = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (std::uint32_t attempt = 0; attempt < 64 && path_.empty(); ++attempt) {
    const std::string candidate = platform::temporary_name(near, seed * 2654435761u + attempt);
    if (!platform::path_exists(candidate) && platform::make_directories(candidate)) {
      path_ = candidate + platform::native_separator;
    }
  }
  if (path_.empty()) report_.add(msg::cannot_open, platform::temporary_name(near, seed));
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  std::vector<std::string> files = text_files(path_);
  for (int song = 0; song < extended_song_count; ++song) files.push_back(song_file_path(path_, song));
  files.push_back(path_ + scratch_image_name);
  for (const std::string& file : files) platform::remove_file(file);
  if (!platform::remove_folder(path_.substr(0, path_.size() - 1))) {
    report_.add(msg::diff_temporary_left, path_);
  }
}

Status extract_into(JobContext& job, const std::string& rom_path, const std::string& folder, bool music,
                    ExtractedImage& image) {
  if (rom_open(job.rom, rom_path, false, job.report) != Status::ok) return Status::failed;
  image.read.assign(job.rom.file.size(), false);
  job.rom.read_marks = &image.read;
  run_pipeline(job, folder, Direction::extract, music);
  job.rom.read_marks = nullptr;
  image.file = std::move(job.rom.file);
  image.shift = job.rom.shift;
  image.copier_header = job.rom.copier_header;
  job.rom = RomImage();
  return Status::ok;
}

std::vector<std::string> cells_of(const std::string& line) {
  int count = 1;
  for (const char c : line) count += c == ',';
  std::vector<std::string> cells;
  for (const std::size_t start : cell_starts(line, count)) {
    if (start == std::string_view::npos) break;
    cells.push_back(cell_string(std::string_view(line).substr(start), 0));
  }
  return cells;
}

TableRows rows_of(const std::string& text) {
  TableRows table;
  CsvReader reader;
  reader.assign(text);
  std::string line;
  while (reader.next_line(line)) {
    std::vector<std::string> cells = cells_of(line);
    if (cells.empty() || cells[0].empty()) continue;
    if (cells[0] == "ID") {
      table.headers.push_back(std::move(cells));
    } else if (!table.headers.empty()) {
      const int section = static_cast<int>(table.headers.size()) - 1;
      table.by_id.emplace(std::make_pair(section, cells[0]), table.rows.size());
      table.rows.emplace_back(section, std::move(cells));
      table.lines.push_back(line);
      table.line_numbers.push_back(reader.line_number());
    }
  }
  return table;
}

const std::vector<std::string>* row_in(const TableRows& table, int section, const std::string& id) {
  const auto found = table.by_id.find({section, id});
  return found == table.by_id.end() ? nullptr : &table.rows[found->second].second;
}

int line_in(const TableRows& table, int section, const std::string& id) {
  const auto found = table.by_id.find({section, id});
  return found == table.by_id.end() ? 0 : table.line_numbers[found->second];
}

std::string header_of(const TableRows& a, const TableRows& b, int section, std::size_t column) {
  for (const TableRows* table : {&a, &b}) {
    const std::size_t s = static_cast<std::size_t>(section);
    if (s < table->headers.size() && column < table->headers[s].size()) return table->headers[s][column];
  }
  return std::string();
}

std::string csv_cell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string file_text(const std::string& path) {
  std::string text;
  return platform::read_file(path, text) ? text : std::string();
}

std::vector<bool> undescribed_bytes(const std::vector<const ExtractedImage*>& images, bool music) {
  std::uint64_t size = 0;
  for (const ExtractedImage* image : images) size = std::max(size, image->rom_size());
  std::vector<bool> described(size, false);
  mark_areas(described, music);
  for (const ExtractedImage* image : images) mark_checksums(described, *image);
  std::vector<bool> outside(size, false);
  for (std::uint64_t o = 0; o < size; ++o) {
    bool read = false;
    for (const ExtractedImage* image : images) read = read || (o < image->rom_size() && image->read[o + image->shift]);
    outside[o] = !described[o] && !read;
  }
  return outside;
}
