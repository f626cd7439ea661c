#include "jobs/change_list.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"
#include "event/event_bank.hpp"
#include "event/event_csv.hpp"
#include "event/event_tags.hpp"
#include "jobs/diff_job.hpp"
#include "jobs/image_extracts.hpp"
#include "jobs/job_files.hpp"
#include "jobs/round_trip_areas.hpp"
#include "music/music.hpp"
#include "tables/registry.hpp"

namespace {

// Texts of the list are cut to this many bytes: twenty full-width characters.
constexpr std::size_t cell_bytes = 40;
constexpr std::size_t text_bytes = 40;

std::vector<std::string> table_files() {
  std::vector<std::string> files;
  for (const RegisteredTable& table : registered_tables()) files.push_back(table.description->file_name);
  return files;
}

std::vector<std::string> event_files() {
  std::vector<std::string> files;
  for (int b = 0; b < event_bank_count; ++b) files.push_back(event_file_path(std::string(), b));
  return files;
}

bool contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

// The input image, or the built one, as an extract reads it: `bytes` in place of the file.
RomImage image_of(const RomImage& rom, const std::vector<std::uint8_t>& bytes) {
  RomImage side;
  side.open = true;
  side.file = bytes;
  side.header = rom.header;
  side.shift = rom.shift;
  side.copier_header = rom.copier_header;
  side.size = static_cast<std::uint32_t>(bytes.size());
  return side;
}

bool area_differs(const RomImage& a, const RomImage& b, const RomArea& area) {
  const auto span = [&](const RomImage& rom, std::size_t& from) {
    from = std::min<std::size_t>(area.begin + std::size_t(rom.shift), rom.file.size());
    return std::min<std::size_t>(area.end + std::size_t(rom.shift), rom.file.size()) - from;
  };
  std::size_t from_a = 0;
  std::size_t from_b = 0;
  const std::size_t length = span(a, from_a);
  if (length != span(b, from_b)) return true;
  return length > 0 && std::memcmp(a.file.data() + from_a, b.file.data() + from_b, length) != 0;
}

// The table and event files, in extract order, and whether any song, whose bytes differ.
struct ChangedParts {
  std::vector<std::string> files;
  bool songs = false;
};

ChangedParts changed_parts(const RomImage& input, const RomImage& output, bool music) {
  std::set<std::string> touched;
  // The songs' blocks may move in a build: the areas of both images count.
  for (const RomImage* rom : {&input, &output}) {
    for (const RomArea& area : rom_areas(*rom)) {
      // An area's name begins with its file's name; file names hold no spaces.
      if (area_differs(input, output, area)) touched.insert(area.name.substr(0, area.name.find(' ')));
    }
  }
  ChangedParts parts;
  const std::vector<std::string> known = text_files(std::string());
  for (const std::string& name : known) {
    if (touched.count(name)) parts.files.push_back(name);
  }
  for (const std::string& name : touched) parts.songs = parts.songs || (music && !contains(known, name));
  return parts;
}

// What an extract of the parts writes, into `folder`; its messages stay in `side`'s report.
void extract_parts(JobContext& side, const std::string& folder, const ChangedParts& parts) {
  for (const RegisteredTable& table : registered_tables()) {
    if (!contains(parts.files, table.description->file_name) || !table.steps.load) continue;
    const std::unique_ptr<TableBlock> block = table.steps.load(side);
    if (block && table.steps.write_csv) table.steps.write_csv(side, folder, block.get());
  }
  const TagTable tags = event_tag_table(side.start_folder);
  EventBank bank;
  for (int b = 0; b < event_bank_count; ++b) {
    if (!contains(parts.files, event_file_path(std::string(), b))) continue;
    load_event_bank(side, bank, b);
    write_event_csv(side, folder, bank, b, tags);
  }
  if (parts.songs) dump_music(side, folder);
}

// A value on one line of the list: cut short, line breaks as spaces.
std::string readable(const std::string& text, std::size_t limit) {
  const std::size_t length = sjis::cut(text, limit);
  std::string out = text.substr(0, length);
  std::replace(out.begin(), out.end(), '\r', ' ');
  std::replace(out.begin(), out.end(), '\n', ' ');
  return length < text.size() ? out + msg::change_cut : out;
}

// A row's line is its line in an extract of the new image, which is the line of the user's file
// as long as its rows are in order.
void report_line(Report& report, const DiffLine& d, const std::vector<std::string>& events,
                 const std::vector<std::string>& tables) {
  if (contains(events, d.file)) {
    report.add(msg::change_text, d.file, d.line, d.id, readable(d.original, text_bytes),
               readable(d.compared, text_bytes));
  } else if (contains(tables, d.file)) {
    report.add(msg::change_cell, d.file, d.line, d.id, d.column, readable(d.original, cell_bytes),
               readable(d.compared, cell_bytes));
  } else {
    report.add(msg::change_song, d.file, d.id, d.original, d.compared);
  }
}

// One line of counts: the rows of each table file, the entries of each event file (a row has
// one line, an entry one ID), and the songs.
std::string counts_of(const std::vector<DiffLine>& lines, const std::vector<std::string>& events,
                      const std::vector<std::string>& tables) {
  std::vector<std::string> pieces;
  int songs = 0;
  for (std::size_t i = 0; i < lines.size();) {
    const std::string& file = lines[i].file;
    std::set<std::string> rows;
    for (; i < lines.size() && lines[i].file == file; ++i) {
      rows.insert(contains(events, file) ? lines[i].id : std::to_string(lines[i].line));
    }
    const int count = static_cast<int>(rows.size());
    if (contains(events, file)) {
      pieces.push_back(Report::format(msg::change_entries.text, file, count));
    } else if (contains(tables, file)) {
      pieces.push_back(Report::format(msg::change_rows.text, file, count));
    } else {
      songs += count;
    }
  }
  if (songs > 0) pieces.push_back(Report::format(msg::change_songs.text, songs));
  std::string text;
  for (const std::string& piece : pieces) text += (text.empty() ? "" : msg::change_separator) + piece;
  return text;
}

void list_changes(JobContext& job, bool music) {
  // The extracts' messages are the extract's own, never the build's: each side has its report.
  JobContext input;
  JobContext output;
  input.rom = image_of(job.rom, job.rom.file);
  output.rom = image_of(job.rom, job.rom.image);
  input.start_folder = output.start_folder = job.start_folder;
  const ChangedParts parts = changed_parts(input.rom, output.rom, music);
  std::vector<DiffLine> lines;
  if (!parts.files.empty() || parts.songs) {
    const TemporaryFolder input_folder("varbek-changes-");
    const TemporaryFolder output_folder("varbek-changes-");
    if (input_folder.path().empty() || output_folder.path().empty()) {
      job.report.add_summary(msg::change_list_unavailable, platform::temporary_folder());
      return;
    }
    extract_parts(input, input_folder.path(), parts);
    extract_parts(output, output_folder.path(), parts);
    lines = diff_extracts(input_folder.path(), output_folder.path(), parts.files, parts.songs);
  }
  if (lines.empty()) {
    job.report.add_summary(msg::change_none);
    return;
  }
  const std::vector<std::string> events = event_files();
  const std::vector<std::string> tables = table_files();
  for (const DiffLine& d : lines) report_line(job.report, d, events, tables);
  job.report.add_summary(msg::change_counts, counts_of(lines, events, tables));
}

}  // namespace

void report_changes(JobContext& job, bool music) {
  const PlaceScope nowhere(&job.report, Place());
  // An unchanged build: nothing to extract.
  if (job.rom.image == job.rom.file) {
    job.report.add_summary(msg::change_none);
    return;
  }
  try {
    list_changes(job, music);
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
  }
}
