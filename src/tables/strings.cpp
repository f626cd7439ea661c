#include "tables/strings.hpp"

#include <algorithm>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "table/cells.hpp"
#include "table/csv_file.hpp"
#include "table/pipeline_table.hpp"
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

// Rows up to the line whose ID cell is empty. Rows beyond the list's n - 1 are dropped with a
// message; a file that ends inside a list is refused, so a cut file never empties the ROM.
bool read_group(JobContext& job, CsvReader& in, StringTable& table, std::size_t g,
                const std::string& path) {
  const StringGroup& group = string_groups()[g];
  const std::size_t limit = static_cast<std::size_t>(group.pointers) - 1;
  table.ends[g].assign(1, table.text.size());
  bool dropped = false;
  std::string line;
  for (;;) {
    if (!in.next_line(line)) {
      job.report.add(msg::file_too_short, path);
      return false;
    }
    std::int32_t id = 0;
    if (transfer_cell(CellTarget{nullptr, line}, Direction::build, hex8_cell, id, 0) == 0) break;
    if (string_count(table, g) >= limit) {
      dropped = true;
      continue;
    }
    append_string(table, g, cell_string(line, 1, line.size()));
  }
  if (dropped) job.report.add(msg::too_many_rows, string_table().name, static_cast<int>(g), static_cast<int>(limit));
  return true;
}

// Packs the list from where its first string starts in the image (the area's start when that
// lies outside it) and ends it with an unused pointer. Only the pointers up to that one and the
// packed text are written: the slots after the end and the area after the last string keep the
// image's bytes.
void store_group(JobContext& job, const StringTable& table, std::size_t g, bool& overrun_reported) {
  const StringGroup& group = string_groups()[g];
  const std::size_t n = static_cast<std::size_t>(group.pointers);
  const std::size_t count = string_count(table, g);
  const std::size_t last = std::min(std::max(count, static_cast<std::size_t>(group.minimum_kept)), n - 1);
  const std::size_t slots = std::min(last + 2, n);

  std::vector<std::uint8_t> pointers(2 * slots, 0);
  std::vector<std::uint8_t> area(group.area_size, 0);
  const std::uint32_t first_start = word_at(read_rom(job, group.pointer_table, 2), 0);
  const std::size_t start = first_start <= group.area_size ? first_start : 0;
  std::size_t used = start;
  put_word(pointers, 0, static_cast<std::uint32_t>(start));
  for (std::size_t k = 1; k <= last; ++k) {
    const std::string_view source = k - 1 < count ? string_text(table, g, k - 1) : std::string_view();
    const std::size_t room = group.area_size - used;
    const std::size_t written =
        room == 0 ? 0 : encode_text(area.data() + used, source.data(), room, source.size(), false, &job.report);
    // A string that exactly fills the area is reported too, though nothing of it is cut. One
    // byte short of the room, a two-byte code may have been left out: count the whole string.
    const bool overruns =
        written >= room ||
        (written + 1 == room && encode_text(nullptr, source.data(), 0, source.size(), false) >= room);
    if (overruns && !overrun_reported) {
      job.report.add(msg::strings_area_overrun);
      overrun_reported = true;
    }
    used += written;
    put_word(pointers, k, static_cast<std::uint32_t>(used));
  }
  if (last + 1 < n) put_word(pointers, last + 1, unused_pointer);
  job.report.add(msg::room_used, Report::format(msg::string_group.text, string_table().file_name, static_cast<int>(g)),
                 static_cast<int>(used), static_cast<int>(group.area_size));
  rom_write(job.rom, area.data() + start, group.text_area + static_cast<std::uint32_t>(start), used - start);
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
    TableDescription t{
        "可変長文字列",
        "string.csv",
        "メッセージなどの可変長の文字列。グループごとの領域に詰めて書き込みます。",
        ",可変長文字列データ,総数:1,",
        {},
        {",空行を削除せずに最大バイト数を超えなければ複数の行を追加できます,"},
        false,
    };
    t.comment_gap = 1;
    for (const StringGroup& group : string_groups()) {
      Section& section = t.sections.emplace_back(Section{nullptr, group.pointers - 1, &string_row, {}});
      section.area = {group.text_area, group.area_size, group.pointer_table};
      section.area_column = 1;
    }
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
  CsvWriter out;
  if (!open_table_file(out, job, folder, description)) return;
  for (std::size_t g = 0; g < string_group_count; ++g) {
    out.line();
    out.line(header_line(description.sections[g]));
    for (std::size_t k = 0; k < string_count(*table, g); ++k) {
      std::int32_t id = static_cast<std::int32_t>(k);
      transfer_cell(CellTarget{&out, {}}, Direction::extract, hex8_cell, id, 0);
      out.write(string_text(*table, g, k));
      out.line(",");
    }
  }
  close_table_file(out, job.report, folder, description);
}

std::unique_ptr<StringTable> read_string_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_file(in, job.report, folder, string_table())) return nullptr;
  const std::string path = folder + string_table().file_name;
  auto table = std::make_unique<StringTable>();
  in.skip_lines(1);
  for (std::size_t g = 0; g < string_group_count; ++g) {
    in.skip_lines(1);
    if (!read_group(job, in, *table, g, path)) return nullptr;
  }
  return table;
}

void store_strings(JobContext& job, const StringTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, string_table().name);
  bool overrun_reported = false;
  for (std::size_t g = 0; g < string_group_count; ++g) store_group(job, *table, g, overrun_reported);
}

PipelineTable string_steps(const TableDescription&) {
  return make_pipeline_table<StringTable>(load_strings, write_string_csv, read_string_csv,
                                          store_strings);
}
