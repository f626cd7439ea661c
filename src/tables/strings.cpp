#include "tables/strings.hpp"

#include <algorithm>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/cells.hpp"
#include "table/columns.hpp"
#include "table/csv_file.hpp"
#include "table/table_writer.hpp"
#include "table/pipeline_table.hpp"
#include "tables/listed_rows.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

namespace {

constexpr std::uint32_t unused_pointer = 0xFFFF;

const Layout string_row = {
    {row_id, 0, no_bits, hex8_cell, "ID"},
    {no_rom, 0, no_bits, text_cell, "文字列"},
};

std::uint32_t word_at(const std::vector<std::uint8_t>& bytes, std::size_t index) {
  return bytes[2 * index] | (std::uint32_t{bytes[2 * index + 1]} << 8);
}

void put_word(std::vector<std::uint8_t>& bytes, std::size_t index, std::uint32_t value) {
  bytes[2 * index] = static_cast<std::uint8_t>(value);
  bytes[2 * index + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::vector<std::uint8_t> read_rom(const JobContext& job, std::uint32_t rom_offset, std::size_t count) {
  std::vector<std::uint8_t> bytes(count, 0);
  rom_read(job.rom, bytes.data(), rom_offset, count);
  return bytes;
}

void append_string(StringTable& table, std::size_t group, std::string_view text) {
  table.text += text;
  table.ends[group].push_back(table.text.size());
}

// A list ends at its first unused pointer, and at a pointer that runs backwards or past the
// text area, so no string is read from outside its own area.
void load_group(JobContext& job, StringTable& table, std::size_t g) {
  const StringGroup& group = string_groups()[g];
  const std::size_t n = static_cast<std::size_t>(group.pointers);
  const std::vector<std::uint8_t> pointers = read_rom(job, group.pointer_table, 2 * n);
  const std::vector<std::uint8_t> area = read_rom(job, group.text_area, group.area_size);
  table.ends[g].assign(1, table.text.size());
  // The list: its pointers up to the first unused one.
  std::size_t listed = 0;
  while (listed < n && word_at(pointers, listed) != unused_pointer) ++listed;
  std::uint32_t start = word_at(pointers, 0);
  if (listed == 0) return;
  std::string decoded;
  bool order_reported = false;
  for (std::size_t k = 1; k < listed; ++k) {
    const std::uint32_t pointer = word_at(pointers, k);
    if (start > group.area_size || pointer > group.area_size) {
      job.report.add(msg::string_pointer_outside, string_table().name, static_cast<int>(g), static_cast<int>(k));
      break;
    }
    // Strings need not lie in pointer order: one whose end pointer runs backwards reaches to
    // the next larger pointer of its list, so it is dumped whole.
    std::uint32_t next = pointer;
    if (pointer < start) {
      next = group.area_size;
      for (std::size_t j = 0; j < listed; ++j) {
        const std::uint32_t other = word_at(pointers, j);
        if (other > start && other < next) next = other;
      }
      if (!order_reported) {
        job.report.add(msg::string_pointer_order, string_table().name, static_cast<int>(g));
        order_reported = true;
      }
    }
    const std::uint8_t* source = area.data() + start;
    const std::size_t length = next - start;
    decoded.clear();
    decode_text(&decoded, source, decode_text(nullptr, source, 0, length), length, &job.report);
    append_string(table, g, decoded);
    start = pointer;
  }
}

// A line whose ID cell holds the column's header: a group's header line.
bool header_line_of_group(const std::string& line) { return cell_string(line, 0, 8) == "ID"; }

// Where group g's rows end among the lines from `first` on: at the empty line the extract writes
// after each group, which is followed by the next group's header or, after the last group, by
// no further row. An empty line with rows after it is an emptied row of the group. Returns
// lines.size() when the file ends inside the group.
std::size_t group_end(const RecordLines& lines, std::size_t first, std::size_t g) {
  const bool last_group = g + 1 == string_group_count;
  for (std::size_t i = first; i < lines.text.size(); ++i) {
    if (!empty_row_line(lines.text[i])) continue;
    if (!last_group) {
      if (i + 1 < lines.text.size() && header_line_of_group(lines.text[i + 1])) return i;
      continue;
    }
    bool rows_follow = false;
    for (std::size_t j = i + 1; j < lines.text.size() && !rows_follow; ++j) {
      rows_follow = !cell_string(lines.text[j], 0, 2).empty();
    }
    if (!rows_follow) return i;
  }
  return lines.text.size();
}

// The rows of group g, from the line after its header; `next` becomes the line after its
// empty line. Rows beyond the list's n - 1 are dropped with a message; a file that ends inside
// a group is refused, so a cut file never empties the ROM.
bool read_group(JobContext& job, const RecordLines& lines, std::size_t& next, StringTable& table,
                std::size_t g, const std::string& path) {
  const std::size_t limit = static_cast<std::size_t>(string_groups()[g].pointers) - 1;
  const std::size_t first = next;
  const std::size_t end = group_end(lines, first, g);
  if (end == lines.text.size()) {
    job.report.add(msg::file_too_short, path);
    return false;
  }
  next = end + 1;
  RecordLines rows;
  for (std::size_t i = first; i < end; ++i) {
    rows.text.push_back(lines.text[i]);
    rows.line.push_back(lines.line[i]);
  }
  place_listed_rows(job.report, string_table().file_name, rows);
  table.ends[g].assign(1, table.text.size());
  table.lines[g].clear();
  table.kept[g].clear();
  for (std::size_t k = 0; k < rows.text.size() && k < limit; ++k) {
    append_string(table, g, cell_string(rows.text[k], 1));
    table.lines[g].push_back(rows.line[k]);
    table.kept[g].push_back(empty_row_line(rows.text[k]));
  }
  if (rows.text.size() > limit) {
    PlaceScope place(&job.report, Place{string_table().file_name, rows.line[limit]});
    job.report.add(msg::too_many_rows, string_table().name, static_cast<int>(g), static_cast<int>(limit));
  }
  return true;
}

// String k's bytes in the image, or none when its pointers do not bound it.
std::vector<std::uint8_t> image_string(const JobContext& job, std::size_t g, std::size_t k) {
  const StringGroup& group = string_groups()[g];
  if (k + 1 >= static_cast<std::size_t>(group.pointers)) return {};
  const std::vector<std::uint8_t> pointers =
      read_rom(job, group.pointer_table + 2 * static_cast<std::uint32_t>(k), 4);
  const std::uint32_t from = word_at(pointers, 0);
  const std::uint32_t to = word_at(pointers, 1);
  if (from > to || to > group.area_size) return {};
  return read_rom(job, group.text_area + from, to - from);
}

// The group's strings encoded one after another, each reported at its own line (an emptied row
// takes the image's bytes); the ends of the strings counted from `start`.
std::vector<std::uint8_t> encode_group(JobContext& job, const StringTable& table, std::size_t g,
                                       std::size_t last, std::size_t start,
                                       std::vector<std::size_t>& ends) {
  Report& report = job.report;
  const std::size_t count = string_count(table, g);
  std::vector<std::uint8_t> bytes;
  ends.assign(1, start);
  for (std::size_t k = 0; k < last; ++k) {
    if (k < table.kept[g].size() && table.kept[g][k]) {
      const std::vector<std::uint8_t> kept = image_string(job, g, k);
      bytes.insert(bytes.end(), kept.begin(), kept.end());
      ends.push_back(start + bytes.size());
      continue;
    }
    const std::string_view source = k < count ? string_text(table, g, k) : std::string_view();
    const int line = k < table.lines[g].size() ? table.lines[g][k] : 0;
    PlaceScope place(&report, Place{string_table().file_name, line});
    const std::size_t n = encode_text(nullptr, source.data(), 0, source.size(), false, &report);
    bytes.resize(bytes.size() + n);
    if (n > 0) encode_text(bytes.data() + bytes.size() - n, source.data(), n, source.size(), false);
    ends.push_back(start + bytes.size());
  }
  return bytes;
}

// Packs the list from where its first string starts in the image (the area's start when that
// lies outside it), as the bytes before it belong to no row, and ends it with an unused pointer.
// Only the pointers up to that one and the packed text are written: the slots after the end and
// the area after the last string keep the image's bytes. A list that does not fit keeps the
// image's bytes whole.
void store_group(JobContext& job, const StringTable& table, std::size_t g) {
  const StringGroup& group = string_groups()[g];
  const std::size_t n = static_cast<std::size_t>(group.pointers);
  const std::size_t last =
      std::min(std::max(string_count(table, g), static_cast<std::size_t>(group.minimum_kept)), n - 1);
  const std::uint32_t first_start = word_at(read_rom(job, group.pointer_table, 2), 0);
  const std::size_t start = first_start <= group.area_size ? first_start : 0;
  std::vector<std::size_t> ends;
  const std::vector<std::uint8_t> text = encode_group(job, table, g, last, start, ends);
  const std::string list = Report::format(msg::string_group.text, string_table().file_name, static_cast<int>(g));
  const std::size_t used = ends.back();
  if (used > group.area_size) {
    job.report.add(msg::strings_area_overrun, list, static_cast<int>(group.area_size),
                   static_cast<int>(used - group.area_size));
    return;
  }
  std::vector<std::uint8_t> pointers(2 * std::min(last + 2, n), 0);
  for (std::size_t k = 0; k <= last; ++k) put_word(pointers, k, static_cast<std::uint32_t>(ends[k]));
  if (last + 1 < n) put_word(pointers, last + 1, unused_pointer);
  job.report.add(msg::room_used, list, static_cast<int>(used), static_cast<int>(group.area_size));
  rom_write(job.rom, text.data(), group.text_area + static_cast<std::uint32_t>(start), text.size());
  rom_write(job.rom, pointers.data(), group.pointer_table, pointers.size());
}

}  // namespace

const std::array<StringGroup, string_group_count>& string_groups() {
  static const std::array<StringGroup, string_group_count> groups = {{
      // pointers  n    kept  text area  size
      {0x3D6000, 256, 185, 0x3D6200, 0x1600},
      {0x3D7800, 640, 536, 0x3D7D00, 0x1B00},
      {0x3D9800, 256, 70, 0x3D9A00, 0xE00},
      {0x3DA800, 128, 69, 0x3DA900, 0x700},
      {0x3DB000, 74, 73, 0x3DB094, 0xF6C},
      {0x3DC000, 256, 255, 0x3DC200, 0x1E00},
  }};
  return groups;
}

const TableDescription& string_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "可変長文字列";
    t.file_name = "string.csv";
    t.purpose = "メッセージなどの可変長の文字列。各グループは、元のROMで最初のポインタが指す位置から領域に詰めて書き込みます（その前のバイトは元のまま）。IDが0から一つずつそろっていれば行はIDの位置に置かれます。領域に収まらないグループは元のままです。";
    t.preamble = ",可変長文字列データ,総数:1,";
    for (const StringGroup& group : string_groups()) {
      t.sections.push_back(section(nullptr, group.pointers - 1, string_row)
                               .packed(packed_area(group.text_area, group.area_size).pointers_at(group.pointer_table))
                               .area_size_in(1));
    }
    t.comments = {",空行を削除せずに最大バイト数を超えなければ複数の行を追加できます,"};
    t.fixed_rows = false;
    t.comment_gap = 1;
    return t;
  }();
  return table;
}

std::size_t string_count(const StringTable& table, std::size_t group) {
  const std::vector<std::size_t>& ends = table.ends.at(group);
  return ends.empty() ? 0 : ends.size() - 1;
}

std::string_view string_text(const StringTable& table, std::size_t group, std::size_t k) {
  const std::vector<std::size_t>& ends = table.ends.at(group);
  const std::size_t begin = ends.at(k);
  return std::string_view(table.text).substr(begin, ends.at(k + 1) - begin);
}

std::unique_ptr<StringTable> load_strings(JobContext& job) {
  auto table = std::make_unique<StringTable>();
  job.report.section(msg::load_banner, string_table().name);
  for (std::size_t g = 0; g < string_group_count; ++g) {
    load_group(job, *table, g);
    const int kept = string_groups()[g].minimum_kept;
    const int count = static_cast<int>(string_count(*table, g));
    if (count < kept) {
      const std::string list =
          Report::format(msg::string_group.text, string_table().file_name, static_cast<int>(g));
      job.report.add(msg::string_list_short, list, count, kept);
    }
  }
  return table;
}

void write_string_csv(JobContext& job, const std::string& folder, const StringTable* table) {
  if (!table) return;
  const TableDescription& description = string_table();
  write_table_file(job, folder, description, [&](CsvWriter& out) {
    for (std::size_t g = 0; g < string_group_count; ++g) {
      write_section_start(out, description.sections[g]);
      for (std::size_t k = 0; k < string_count(*table, g); ++k) {
        CsvRow(out, static_cast<std::int32_t>(k)).text(string_text(*table, g, k)).end();
      }
    }
  });
}

std::unique_ptr<StringTable> read_string_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_file(in, job.report, folder, string_table())) return nullptr;
  const std::string path = folder + string_table().file_name;
  auto table = std::make_unique<StringTable>();
  in.skip_lines(1);
  RecordLines lines;
  std::string line;
  while (in.next_line(line)) {
    lines.text.push_back(line);
    lines.line.push_back(in.line_number());
  }
  // The first group's header line places the columns of every line, as a column inserted or
  // moved in a spreadsheet moves them in each group alike.
  ListColumns columns;
  if (lines.text.empty()) {
    job.report.add(msg::file_too_short, path);
    return nullptr;
  }
  if (!match_list_columns(job.report, string_table().file_name, lines.line[0],
                          section_columns(string_table().sections.front()), -1, lines.text[0], columns) ||
      !columns.complete) {
    return nullptr;
  }
  for (std::string& text : lines.text) text = list_row(text, columns);
  std::size_t next = 0;
  for (std::size_t g = 0; g < string_group_count; ++g) {
    ++next;  // the group's header
    if (next > lines.text.size() || !read_group(job, lines, next, *table, g, path)) {
      if (next > lines.text.size()) job.report.add(msg::file_too_short, path);
      return nullptr;
    }
  }
  return table;
}

void store_strings(JobContext& job, const StringTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, string_table().name);
  for (std::size_t g = 0; g < string_group_count; ++g) store_group(job, *table, g);
}

PipelineTable string_steps(const TableDescription&) {
  return make_pipeline_table<StringTable>(load_strings, write_string_csv, read_string_csv,
                                          store_strings);
}
