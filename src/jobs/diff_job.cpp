#include "jobs/diff_job.hpp"

#include <algorithm>
#include <cstdio>
#include <new>

#include "jobs/image_extracts.hpp"
#include "jobs/job.hpp"
#include "core/files.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "music/song.hpp"
#include "table/csv_file.hpp"

namespace {

// ---- Cells and texts ----

void diff_row(std::vector<DiffLine>& lines, const std::string& file_name, const TableRows& a,
              const TableRows& b, int section, const std::string& id) {
  static const std::vector<std::string> none;
  const std::vector<std::string>* left = row_in(a, section, id);
  const std::vector<std::string>* right = row_in(b, section, id);
  const std::vector<std::string>& x = left ? *left : none;
  const std::vector<std::string>& y = right ? *right : none;
  const int line = right ? line_in(b, section, id) : line_in(a, section, id);
  for (std::size_t c = 1; c < std::max(x.size(), y.size()); ++c) {
    const std::string& u = c < x.size() ? x[c] : std::string();
    const std::string& v = c < y.size() ? y[c] : std::string();
    if (u != v) lines.push_back({file_name, id, header_of(a, b, section, c), u, v, line});
  }
}

// ---- Songs and other bytes ----

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
                     in_b ? std::to_string(y.size()) : std::string(), 0});
  }
}

void diff_other_bytes(std::vector<DiffLine>& lines, const ExtractedImage& a, const ExtractedImage& b,
                      bool music) {
  const std::uint64_t size_a = a.rom_size();
  const std::uint64_t size_b = b.rom_size();
  const std::vector<bool> outside = undescribed_bytes({&a, &b}, music);
  const auto differs = [&](std::uint64_t o) {
    if (!outside[o]) return false;
    if (o >= size_a || o >= size_b) return true;
    return a.file[o + a.shift] != b.file[o + b.shift];
  };
  for (std::uint64_t o = 0; o < outside.size();) {
    if (!differs(o)) {
      ++o;
      continue;
    }
    std::uint64_t end = o + 1;
    while (end < outside.size() && differs(end)) ++end;
    char offset[24];
    std::snprintf(offset, sizeof offset, "0x%06llX", static_cast<unsigned long long>(o));
    lines.push_back({msg::diff_outside, offset, std::to_string(end - o), std::string(), std::string(), 0});
    o = end;
  }
}

// ---- The difference file ----

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
  const ScratchFolder a(job.report, output_path);
  if (a.path().empty()) return JobResult::failed;
  const ScratchFolder b(job.report, output_path);
  if (b.path().empty()) return JobResult::failed;
  std::string compared_rom;
  if (image_in_folder(job.report, compared_path, original_path, b.path(), compared_rom) != Status::ok) {
    return JobResult::failed;
  }
  ExtractedImage original;
  ExtractedImage compared;
  if (extract_into(job, original_path, a.path(), settings.music, original) != Status::ok ||
      extract_into(job, compared_rom, b.path(), settings.music, compared) != Status::ok) {
    return JobResult::failed;
  }
  std::vector<DiffLine> lines = diff_extracts(a.path(), b.path(), text_files(std::string()), settings.music);
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

std::vector<DiffLine> diff_extracts(const std::string& original_folder, const std::string& compared_folder,
                                    const std::vector<std::string>& files, bool music) {
  std::vector<DiffLine> lines;
  for (const std::string& name : files) {
    const std::vector<DiffLine> file_lines =
        diff_table_text(name, file_text(original_folder + name), file_text(compared_folder + name));
    lines.insert(lines.end(), file_lines.begin(), file_lines.end());
  }
  if (music) diff_songs(lines, original_folder, compared_folder);
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
