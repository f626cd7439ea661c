#include "jobs/merge_job.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <new>
#include <set>
#include <utility>

#include "jobs/image_extracts.hpp"
#include "jobs/job_files.hpp"
#include "core/crc32.hpp"
#include "core/files.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "core/snes_header.hpp"
#include "music/song.hpp"
#include "table/csv_file.hpp"

namespace {

// How a value of the merge is found from the original's and the two mods'.
enum class Pick { original, a, b, both, conflict };

template <class T>
Pick pick(const T& o, const T& a, const T& b) {
  if (a == b) return a == o ? Pick::original : Pick::both;
  if (a == o) return Pick::b;
  if (b == o) return Pick::a;
  return Pick::conflict;
}

// The value a conflict leaves in the merged data: the chosen side's, else A's (only for
// the build that names areas that no longer fit: nothing is written then).
template <class T>
const T& chosen(const MergeResult& result, const T& a, const T& b) {
  return result.side == 'B' ? b : a;
}

void count(MergeResult& result, const std::string& file, Pick p) {
  if (result.counts.empty() || result.counts.back().file != file) result.counts.push_back(MergeCounts{file});
  MergeCounts& counts = result.counts.back();
  counts.from_a += p == Pick::a;
  counts.from_b += p == Pick::b;
  counts.both += p == Pick::both;
}

// ---- Rows of the table and event files ----

struct RowText {
  bool present = false;
  std::vector<std::string> cells;
  std::string line;
  bool operator==(const RowText& other) const { return present == other.present && cells == other.cells; }
};

RowText row_text(const TableRows& table, int section, const std::string& id) {
  const auto found = table.by_id.find({section, id});
  if (found == table.by_id.end()) return RowText{};
  return RowText{true, table.rows[found->second].second, table.lines[found->second]};
}

// A row's cells after its ID, as a spreadsheet shows them; the empty cells at its end left out.
std::string value_of(const RowText& row) {
  std::size_t end = row.cells.size();
  while (end > 1 && row.cells[end - 1].empty()) --end;
  std::string text;
  for (std::size_t c = 1; c < end; ++c) text += (c > 1 ? "," : "") + csv_cell(row.cells[c]);
  return text;
}

struct TableMerge {
  const std::string& file;
  const TableRows& o;
  const TableRows& a;
  const TableRows& b;
  bool whole_rows;
  MergeResult& result;

  // Both mods changed the row: each cell by its column, or the row as one value.
  RowText merge_cells(int section, const std::string& id, const RowText& x, const RowText& y, const RowText& base) {
    if (whole_rows || !x.present || !y.present || !base.present) {
      result.conflicts.push_back({file, id, msg::merge_whole_row, value_of(base), value_of(x), value_of(y)});
      return chosen(result, x, y);
    }
    RowText merged{true, {}, std::string()};
    const std::size_t columns = std::max({base.cells.size(), x.cells.size(), y.cells.size()});
    static const std::string none;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string& u = c < base.cells.size() ? base.cells[c] : none;
      const std::string& v = c < x.cells.size() ? x.cells[c] : none;
      const std::string& w = c < y.cells.size() ? y.cells[c] : none;
      const Pick p = pick(u, v, w);
      if (p == Pick::conflict) result.conflicts.push_back({file, id, header_of(o, a, section, c), u, v, w});
      merged.cells.push_back(p == Pick::original ? u : p == Pick::b ? w : p == Pick::conflict ? chosen(result, v, w) : v);
      merged.line += (c > 0 ? "," : "") + csv_cell(merged.cells.back());
    }
    return merged;
  }

  RowText row(int section, const std::string& id) {
    const RowText base = row_text(o, section, id);
    const RowText x = row_text(a, section, id);
    const RowText y = row_text(b, section, id);
    const Pick p = pick(base, x, y);
    if (p != Pick::conflict) {
      count(result, file, p);
      return p == Pick::original ? base : p == Pick::b ? y : x;
    }
    const std::size_t before = result.conflicts.size();
    RowText merged = merge_cells(section, id, x, y, base);
    // A row whose cells merged cleanly took something from each mod.
    if (result.conflicts.size() == before) {
      count(result, file, Pick::a);
      count(result, file, Pick::b);
    }
    return merged;
  }

  // Rows a mod added in a section the original has, in the order of their IDs.
  std::map<int, std::vector<std::string>> added_rows(std::size_t sections) {
    std::set<std::pair<int, std::string>> keys;
    for (const TableRows* table : {&a, &b}) {
      for (const auto& [key, index] : table->by_id) {
        if (static_cast<std::size_t>(key.first) < sections && !o.by_id.count(key)) keys.insert(key);
      }
    }
    std::map<int, std::vector<std::string>> lines;
    for (const auto& [section, id] : keys) {
      const RowText merged = row(section, id);
      if (merged.present) lines[section].push_back(merged.line);
    }
    return lines;
  }

  std::string text(const std::string& original) {
    std::vector<std::string> out;
    std::vector<std::size_t> section_end;  // where each section's last row ends in `out`
    CsvReader reader;
    reader.assign(original);
    std::string line;
    while (reader.next_line(line)) {
      const std::vector<std::string> cells = cells_of(line);
      if (!cells.empty() && cells[0] == "ID") {
        out.push_back(line);
        section_end.push_back(out.size());
        continue;
      }
      if (section_end.empty() || cells.empty() || cells[0].empty()) {
        out.push_back(line);
        continue;
      }
      const int section = static_cast<int>(section_end.size()) - 1;
      const RowText merged = row(section, cells[0]);
      if (merged.present) out.push_back(merged.line);
      section_end.back() = out.size();
    }
    const auto added = added_rows(section_end.size());
    for (auto it = added.rbegin(); it != added.rend(); ++it) {
      const auto at = out.begin() + static_cast<std::ptrdiff_t>(section_end[static_cast<std::size_t>(it->first)]);
      out.insert(at, it->second.begin(), it->second.end());
    }
    std::string merged;
    for (const std::string& l : out) merged += l + "\r\n";
    return merged;
  }
};

// Event battles and learning rows are lists of bytes and pairs: a cell means nothing
// without its neighbours, so such a row merges whole.
bool merges_whole_rows(const std::string& file_name) {
  return file_name == "event_battle.csv" || file_name == "flash.csv";
}

// ---- Songs ----

struct SongText {
  bool present = false;
  std::string text;
  bool operator==(const SongText& other) const { return present == other.present && text == other.text; }
};

SongText song_text(const std::string& folder, int song) {
  SongText file;
  file.present = platform::read_file(song_file_path(folder, song), file.text);
  if (!file.present) file.text.clear();
  return file;
}

std::string song_value(const SongText& song) {
  if (!song.present) return std::string();
  char crc[12];
  std::snprintf(crc, sizeof crc, "%08X",
                crc32(reinterpret_cast<const std::uint8_t*>(song.text.data()), song.text.size()));
  return std::to_string(song.text.size()) + msg::merge_song_bytes + crc;
}

bool merge_songs(Report& report, const std::array<std::string, 3>& folders, const std::string& merged,
                 MergeResult& result) {
  for (int song = 0; song < extended_song_count; ++song) {
    const SongText o = song_text(folders[0], song);
    const SongText a = song_text(folders[1], song);
    const SongText b = song_text(folders[2], song);
    const std::string file = file_name_of(song_file_path(folders[0], song));
    const Pick p = pick(o, a, b);
    if (p == Pick::conflict) {
      char id[8];
      std::snprintf(id, sizeof id, "0x%02X", song);
      result.conflicts.push_back({file, id, msg::merge_song, song_value(o), song_value(a), song_value(b)});
    } else {
      count(result, msg::merge_song, p);
    }
    const SongText& take = p == Pick::original ? o : p == Pick::b ? b : p == Pick::conflict ? chosen(result, a, b) : a;
    const std::string path = song_file_path(merged, song);
    if (take.present && !platform::write_file_atomically(path, take.text.data(), take.text.size())) {
      report.add(msg::cannot_write, path);
      return false;
    }
  }
  return true;
}

// ---- Bytes outside every area ----

int byte_at(const ExtractedImage& image, std::uint64_t offset) {
  return offset < image.rom_size() ? image.file[offset + image.shift] : -1;
}

std::string bytes_text(const ExtractedImage& image, std::uint64_t from, std::uint64_t end) {
  std::string text;
  for (std::uint64_t o = from; o < end && o < from + 16; ++o) {
    char byte[4];
    const int value = byte_at(image, o);
    std::snprintf(byte, sizeof byte, value < 0 ? "--" : "%02X", value);
    text += (o > from ? " " : "") + std::string(byte);
  }
  return end > from + 16 ? text + " ..." : text;
}

// A run of neighbouring bytes that merged the same way.
struct ByteRun {
  Pick pick = Pick::original;
  std::uint64_t from = 0;
};

void close_run(MergeResult& result, const ByteRun& run, std::uint64_t end, const ExtractedImage* images[3]) {
  if (run.pick == Pick::original || end == run.from) return;
  if (run.pick != Pick::conflict) return count(result, msg::diff_outside, run.pick);
  char offset[24];
  std::snprintf(offset, sizeof offset, "0x%06llX", static_cast<unsigned long long>(run.from));
  result.conflicts.push_back({msg::diff_outside, offset, std::to_string(end - run.from),
                              bytes_text(*images[0], run.from, end), bytes_text(*images[1], run.from, end),
                              bytes_text(*images[2], run.from, end)});
}

// The original image with the merged bytes outside every area, in the original's file
// layout (its copier header and front), and as long as the merge of the three lengths.
std::vector<std::uint8_t> merge_other_bytes(const ExtractedImage& o, const ExtractedImage& a,
                                            const ExtractedImage& b, bool music, MergeResult& result) {
  const Pick size_pick = pick(o.rom_size(), a.rom_size(), b.rom_size());
  if (size_pick == Pick::conflict) {
    result.conflicts.push_back({msg::diff_outside, std::string(), msg::merge_image_size, std::to_string(o.rom_size()),
                                std::to_string(a.rom_size()), std::to_string(b.rom_size())});
  }
  const std::uint64_t size = size_pick == Pick::original ? o.rom_size()
                             : size_pick == Pick::b      ? b.rom_size()
                             : size_pick == Pick::conflict ? chosen(result, a.rom_size(), b.rom_size())
                                                           : a.rom_size();
  std::vector<std::uint8_t> image = o.file;
  image.resize(o.shift + size, 0);
  const std::vector<bool> outside = undescribed_bytes({&o, &a, &b}, music);
  const ExtractedImage* images[3] = {&o, &a, &b};
  ByteRun run;
  for (std::uint64_t at = 0; at < size; ++at) {
    const int u = byte_at(o, at);
    const int v = byte_at(a, at);
    const int w = byte_at(b, at);
    // An area past the original's end starts from a mod's bytes; the build fills it.
    const Pick p = outside[at] ? pick(u, v, w) : (u < 0 ? (v >= 0 ? Pick::a : Pick::b) : Pick::original);
    const int value = p == Pick::original ? u : p == Pick::b ? w : p == Pick::conflict ? chosen(result, v, w) : v;
    if (value >= 0) image[o.shift + at] = static_cast<std::uint8_t>(value);
    // A range ends where an area begins: its bytes are the build's.
    const Pick run_pick = outside[at] ? p : Pick::original;
    if (run_pick == run.pick) continue;
    close_run(result, run, at, images);
    run = ByteRun{run_pick, at};
  }
  close_run(result, run, size, images);
  // A valid checksum stays valid, so that the build keeps it right.
  const std::size_t header = header_offset(o.shift - o.copier_header);
  if (header_checksum_valid(o.file.data() + o.copier_header, o.file.size() - o.copier_header, header)) {
    write_header_checksum(image.data() + o.copier_header, image.size() - o.copier_header, header);
  }
  return image;
}

// ---- What the merge leaves ----

bool write_conflicts(Report& report, const std::string& path, const std::vector<MergeConflict>& conflicts) {
  CsvWriter out;
  if (!out.open(path)) {
    report.add(msg::cannot_write, path);
    return false;
  }
  out.line(msg::merge_header);
  for (const MergeConflict& c : conflicts) {
    out.line(csv_cell(c.file) + "," + csv_cell(c.id) + "," + csv_cell(c.column) + "," + csv_cell(c.original) +
             "," + csv_cell(c.a) + "," + csv_cell(c.b));
  }
  if (!out.close()) {
    report.add(msg::cannot_write, path);
    return false;
  }
  report.add(msg::merge_conflicts_written, path, static_cast<int>(conflicts.size()));
  return true;
}

void report_merge(Report& report, const MergeResult& result) {
  for (const MergeConflict& c : result.conflicts) {
    if (result.side) {
      report.add(msg::merge_conflict_chosen, c.file, c.id, c.column, c.original, c.a, c.b,
                 std::string(1, result.side));
    } else {
      report.add(msg::merge_conflict, c.file, c.id, c.column, c.original, c.a, c.b);
    }
  }
  for (const MergeCounts& c : result.counts) {
    if (c.from_a + c.from_b + c.both > 0) report.add_summary(msg::merge_taken, c.file, c.from_a, c.from_b, c.both);
  }
  if (result.conflicts.empty() && std::none_of(result.counts.begin(), result.counts.end(), [](const MergeCounts& c) {
        return c.from_a + c.from_b + c.both > 0;
      })) {
    report.add_summary(msg::merge_none);
  }
}

// Writes every merged file into the merged folder; false when one cannot be written.
bool merge_files(Report& report, const std::array<std::string, 3>& folders, const std::string& merged,
                 MergeResult& result) {
  for (const std::string& name : text_files(std::string())) {
    std::string original;
    if (!platform::read_file(folders[0] + name, original)) continue;  // its table was not extracted
    // A mod without the file would read as one that removed every row.
    std::array<std::string, 2> mods;
    for (std::size_t i = 0; i < 2; ++i) {
      if (platform::read_file(folders[i + 1] + name, mods[i])) continue;
      report.add(msg::cannot_open, folders[i + 1] + name);
      return false;
    }
    const std::string text = merge_table_text(name, original, mods[0], mods[1], merges_whole_rows(name), result);
    if (!platform::write_file_atomically(merged + name, text.data(), text.size())) {
      report.add(msg::cannot_write, merged + name);
      return false;
    }
  }
  return true;
}

JobResult merge_images(JobContext& job, const std::array<std::string, 3>& paths, const std::string& output_path,
                       const JobSettings& settings) {
  MergeResult result;
  result.side = settings.merge_side;
  const ScratchFolder original(job.report, output_path);
  const ScratchFolder mod_a(job.report, output_path);
  const ScratchFolder mod_b(job.report, output_path);
  const ScratchFolder merged(job.report, output_path);
  for (const ScratchFolder* folder : {&original, &mod_a, &mod_b, &merged}) {
    if (folder->path().empty()) return JobResult::failed;
  }
  const std::array<std::string, 3> folders = {original.path(), mod_a.path(), mod_b.path()};
  std::array<std::string, 3> images = {paths[0], std::string(), std::string()};
  std::array<ExtractedImage, 3> extracts;
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0 && image_in_folder(job.report, paths[i], paths[0], folders[i], images[i]) != Status::ok) {
      return JobResult::failed;
    }
    if (extract_into(job, images[i], folders[i], settings.music, extracts[i]) != Status::ok) {
      return JobResult::failed;
    }
  }
  if (!merge_files(job.report, folders, merged.path(), result)) return JobResult::failed;
  if (settings.music && !merge_songs(job.report, folders, merged.path(), result)) return JobResult::failed;
  const std::vector<std::uint8_t> base =
      merge_other_bytes(extracts[0], extracts[1], extracts[2], settings.music, result);
  const std::string base_path = merged.path() + scratch_image_name;
  if (!platform::write_file_atomically(base_path, base.data(), base.size())) {
    job.report.add(msg::cannot_write, base_path);
    return JobResult::failed;
  }
  report_merge(job.report, result);

  // The merged files built onto the merged bytes, as a build would: every area packed again.
  const int errors_before = job.report.errors();
  JobSettings build;
  build.music = settings.music;
  if (run_build(job, base_path, std::string(), merged.path(), build) != JobResult::done) return JobResult::failed;
  const bool build_failed = job.report.errors() > errors_before;
  job.rom.file = std::move(extracts[0].file);  // the log names the original image

  const std::string conflicts_path = merge_conflicts_path(output_path);
  if (!write_conflicts(job.report, conflicts_path, result.conflicts)) return JobResult::failed;
  if (!result.conflicts.empty() && !result.side) {
    job.report.add(msg::merge_nothing_written, static_cast<int>(result.conflicts.size()), conflicts_path);
    return JobResult::failed;
  }
  if (build_failed) {
    job.report.add(msg::merge_build_failed);
    return JobResult::failed;
  }
  if (rom_save(job.rom, output_path, job.report) != Status::ok) return JobResult::failed;
  job.report.add(msg::merge_written, output_path);
  return JobResult::done;
}

}  // namespace

std::string merge_table_text(const std::string& file_name, const std::string& original, const std::string& a,
                             const std::string& b, bool whole_rows, MergeResult& result) {
  const TableRows o_rows = rows_of(original);
  const TableRows a_rows = rows_of(a);
  const TableRows b_rows = rows_of(b);
  TableMerge merge{file_name, o_rows, a_rows, b_rows, whole_rows, result};
  return merge.text(original);
}

std::string merge_conflicts_path(const std::string& output_path) {
  return patch_path_of(output_path, "-conflicts.csv");
}

std::string merge_log_path(const std::string& output_path) { return patch_path_of(output_path, ".log"); }

JobResult run_merge(JobContext& job, const std::array<std::string, 3>& paths, const std::string& output_path,
                    const JobSettings& settings) {
  try {
    return merge_images(job, paths, output_path, settings);
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
    return JobResult::failed;
  }
}
