#include "jobs/diff_job.hpp"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <utility>

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

constexpr const char* compared_image_name = "compared.smc";

// ---- The compared image ----

// The compared file as an image: a patch is applied to the original, anything else is taken
// as an image of its own. False after reporting why there is none.
bool load_compared(Report& report, const std::string& path, const std::string& original_path,
                   std::vector<std::uint8_t>& compared, bool& patched) {
  std::string text;
  if (!read_input_file(report, path, text, bps_max_target_size)) return false;
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  patched = ips_recognised(bytes) || (bytes.size() >= 4 && std::memcmp(bytes.data(), "BPS1", 4) == 0);
  if (!patched) return true;
  std::string source_text;
  if (!read_input_file(report, original_path, source_text, bps_max_target_size)) return false;
  const std::vector<std::uint8_t> source(source_text.begin(), source_text.end());
  return apply_patch(report, path, bytes, source, compared);
}

// ---- Folders the images are extracted into ----

// The table and event files an extract writes in a folder.
std::vector<std::string> text_files(const std::string& folder) {
  std::vector<std::string> files;
  for (const RegisteredTable& table : registered_tables()) files.push_back(folder + table.description->file_name);
  for (int bank = 0; bank < event_bank_count; ++bank) files.push_back(event_file_path(folder, bank));
  return files;
}

// A fresh folder beside the output, removed with what the job put in it.
class ScratchFolder {
 public:
  ScratchFolder(Report& report, const std::string& near) : report_(report) {
    // Only in a folder that exists: one made here for it would be left behind.
    std::string parent = platform::temporary_name(near, 0);
    parent.resize(parent.size() - std::strlen("varbek-00000000"));
    if (!parent.empty() && !platform::is_directory(parent)) {
      report_.add(msg::cannot_open, parent);
      return;
    }
    const auto seed = static_cast<std::uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::uint32_t attempt = 0; attempt < 64 && path_.empty(); ++attempt) {
      const std::string candidate = platform::temporary_name(near, seed * 2654435761u + attempt);
      if (!platform::path_exists(candidate) && platform::make_directories(candidate)) {
        path_ = candidate + platform::native_separator;
      }
    }
    if (path_.empty()) report_.add(msg::cannot_open, platform::temporary_name(near, seed));
  }
  ~ScratchFolder() {
    if (path_.empty()) return;
    std::vector<std::string> files = text_files(path_);
    for (int song = 0; song < extended_song_count; ++song) files.push_back(song_file_path(path_, song));
    files.push_back(path_ + compared_image_name);
    for (const std::string& file : files) platform::remove_file(file);
    if (!platform::remove_folder(path_.substr(0, path_.size() - 1))) {
      report_.add(msg::diff_temporary_left, path_);
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  Report& report_;
  std::string path_;
};

// What an extract leaves besides its files: the image, where its ROM offsets start, and the
// bytes the tables read.
struct ExtractedImage {
  std::vector<std::uint8_t> file;
  std::uint32_t shift = 0;
  std::uint32_t copier_header = 0;
  std::vector<bool> read;
};

bool extract_into(JobContext& job, const std::string& rom_path, const std::string& folder, bool music,
                  ExtractedImage& image) {
  if (rom_open(job.rom, rom_path, false, job.report) != Status::ok) return false;
  image.read.assign(job.rom.file.size(), false);
  job.rom.read_marks = &image.read;
  run_pipeline(job, folder, Direction::extract, music);
  job.rom.read_marks = nullptr;
  image.file = std::move(job.rom.file);
  image.shift = job.rom.shift;
  image.copier_header = job.rom.copier_header;
  job.rom = RomImage();
  return true;
}

// ---- Cells and texts ----

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

// A file's rows: each section begins at a line whose first cell is "ID"; the rows are the
// lines after it with an ID. Titles, counts and comments (first cell empty) are passed over.
struct TableRows {
  std::vector<std::vector<std::string>> headers;
  std::vector<std::pair<int, std::vector<std::string>>> rows;  // section, cells
  std::map<std::pair<int, std::string>, std::size_t> by_id;
};

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
    }
  }
  return table;
}

std::string header_of(const TableRows& a, const TableRows& b, int section, std::size_t column) {
  for (const TableRows* table : {&a, &b}) {
    const std::size_t s = static_cast<std::size_t>(section);
    if (s < table->headers.size() && column < table->headers[s].size()) return table->headers[s][column];
  }
  return std::string();
}

const std::vector<std::string>* row_in(const TableRows& table, int section, const std::string& id) {
  const auto found = table.by_id.find({section, id});
  return found == table.by_id.end() ? nullptr : &table.rows[found->second].second;
}

void diff_row(std::vector<DiffLine>& lines, const std::string& file_name, const TableRows& a,
              const TableRows& b, int section, const std::string& id) {
  static const std::vector<std::string> none;
  const std::vector<std::string>* left = row_in(a, section, id);
  const std::vector<std::string>* right = row_in(b, section, id);
  const std::vector<std::string>& x = left ? *left : none;
  const std::vector<std::string>& y = right ? *right : none;
  for (std::size_t c = 1; c < std::max(x.size(), y.size()); ++c) {
    const std::string& u = c < x.size() ? x[c] : std::string();
    const std::string& v = c < y.size() ? y[c] : std::string();
    if (u != v) lines.push_back({file_name, id, header_of(a, b, section, c), u, v});
  }
}

// ---- Songs and other bytes ----

std::string file_text(const std::string& path) {
  std::string text;
  return platform::read_file(path, text) ? text : std::string();
}

void diff_songs(std::vector<DiffLine>& lines, const std::string& a, const std::string& b) {
  for (int song = 0; song < extended_song_count; ++song) {
    std::string x;
    std::string y;
    const bool in_a = platform::read_file(song_file_path(a, song), x);
    const bool in_b = platform::read_file(song_file_path(b, song), y);
    if (x == y && in_a == in_b) continue;
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", song);
    lines.push_back({file_name_of(song_file_path(a, song)), id, msg::diff_song_bytes,
                     in_a ? std::to_string(x.size()) : std::string(),
                     in_b ? std::to_string(y.size()) : std::string()});
  }
}

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
// rewrites them. A copy of the header 4 MiB on counts where the image holds one.
void mark_checksums(std::vector<bool>& described, const ExtractedImage& image) {
  const std::int64_t front = static_cast<std::int64_t>(image.shift) - image.copier_header;
  const std::int64_t header = (front == 0 ? 0xFFC0 : 0x7FC0) - front;
  for (const std::int64_t at : {header, header + 0x400000}) {
    const std::int64_t file_at = at + image.shift;
    const bool titled = file_at >= 0 && static_cast<std::uint64_t>(file_at) + 15 <= image.file.size() &&
                        std::memcmp(image.file.data() + file_at, rom_title, 15) == 0;
    for (std::int64_t o = at + 0x1C; titled && o < at + 0x20; ++o) {
      if (o >= 0 && static_cast<std::uint64_t>(o) < described.size()) described[static_cast<std::size_t>(o)] = true;
    }
  }
}

void diff_other_bytes(std::vector<DiffLine>& lines, const ExtractedImage& a, const ExtractedImage& b,
                      bool music) {
  const std::uint64_t size_a = a.file.size() - a.shift;
  const std::uint64_t size_b = b.file.size() - b.shift;
  std::vector<bool> described(std::max(size_a, size_b), false);
  mark_areas(described, music);
  mark_checksums(described, a);
  mark_checksums(described, b);
  const auto differs = [&](std::uint64_t o) {
    if (described[o]) return false;
    if ((o < size_a && a.read[o + a.shift]) || (o < size_b && b.read[o + b.shift])) return false;
    if (o >= size_a || o >= size_b) return true;
    return a.file[o + a.shift] != b.file[o + b.shift];
  };
  for (std::uint64_t o = 0; o < described.size();) {
    if (!differs(o)) {
      ++o;
      continue;
    }
    std::uint64_t end = o + 1;
    while (end < described.size() && differs(end)) ++end;
    char offset[24];
    std::snprintf(offset, sizeof offset, "0x%06llX", static_cast<unsigned long long>(o));
    lines.push_back({msg::diff_outside, offset, std::to_string(end - o), std::string(), std::string()});
    o = end;
  }
}

// ---- The difference file ----

std::string csv_cell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

bool write_diff(Report& report, const std::string& path, const std::vector<DiffLine>& lines, bool utf8) {
  CsvWriter out;
  if (!out.open(path)) {
    report.add(msg::cannot_write, path);
    return false;
  }
  out.set_utf8(utf8);
  out.line(msg::diff_header);
  for (const DiffLine& d : lines) {
    out.line(csv_cell(d.file) + "," + csv_cell(d.id) + "," + csv_cell(d.column) + "," +
             csv_cell(d.original) + "," + csv_cell(d.compared));
  }
  if (out.close()) return true;
  report.add(msg::cannot_write, path);
  return false;
}

void report_counts(Report& report, const std::string& path, const std::vector<DiffLine>& lines) {
  std::vector<std::pair<std::string, int>> counts;
  for (const DiffLine& d : lines) {
    if (counts.empty() || counts.back().first != d.file) counts.emplace_back(d.file, 0);
    ++counts.back().second;
  }
  for (const auto& [file, count] : counts) report.add_summary(msg::diff_count, file, count);
  if (lines.empty()) report.add_summary(msg::diff_none);
  report.add(msg::diff_written, path, static_cast<int>(lines.size()));
}

JobResult diff_images(JobContext& job, const std::string& original_path, const std::string& compared_path,
                      const std::string& output_path, const JobSettings& settings) {
  std::vector<std::uint8_t> patched_image;
  bool patched = false;
  if (!load_compared(job.report, compared_path, original_path, patched_image, patched)) return JobResult::failed;
  const ScratchFolder a(job.report, output_path);
  if (a.path().empty()) return JobResult::failed;
  const ScratchFolder b(job.report, output_path);
  if (b.path().empty()) return JobResult::failed;
  std::string compared_rom = compared_path;
  if (patched) {
    compared_rom = b.path() + compared_image_name;
    if (!platform::write_file_atomically(compared_rom, patched_image.data(), patched_image.size())) {
      job.report.add(msg::cannot_write, compared_rom);
      return JobResult::failed;
    }
  }
  ExtractedImage original;
  ExtractedImage compared;
  if (!extract_into(job, original_path, a.path(), settings.music, original) ||
      !extract_into(job, compared_rom, b.path(), settings.music, compared)) {
    return JobResult::failed;
  }
  std::vector<DiffLine> lines;
  for (const std::string& name : text_files(std::string())) {
    const std::vector<DiffLine> file_lines =
        diff_table_text(name, file_text(a.path() + name), file_text(b.path() + name));
    lines.insert(lines.end(), file_lines.begin(), file_lines.end());
  }
  if (settings.music) diff_songs(lines, a.path(), b.path());
  diff_other_bytes(lines, original, compared, settings.music);
  if (!write_diff(job.report, output_path, lines, settings.utf8_files)) return JobResult::failed;
  report_counts(job.report, output_path, lines);
  return JobResult::done;
}

}  // namespace

std::vector<DiffLine> diff_table_text(const std::string& file_name, const std::string& original,
                                      const std::string& compared) {
  const TableRows a = rows_of(original);
  const TableRows b = rows_of(compared);
  std::vector<DiffLine> lines;
  for (const auto& [section, cells] : a.rows) diff_row(lines, file_name, a, b, section, cells[0]);
  for (const auto& [section, cells] : b.rows) {
    if (!row_in(a, section, cells[0])) diff_row(lines, file_name, a, b, section, cells[0]);
  }
  return lines;
}

JobResult run_diff(JobContext& job, const std::string& original_path, const std::string& compared_path,
                   const std::string& output_path, const JobSettings& settings) {
  try {
    return diff_images(job, original_path, compared_path, output_path, settings);
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
    return JobResult::failed;
  }
}
