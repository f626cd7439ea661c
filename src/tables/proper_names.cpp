#include "tables/proper_names.hpp"

#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "tables/tables.hpp"
#include "text/names.hpp"

namespace {

const char* const file_name = "name.csv";
const char* const table_name = "固有名詞";

namespace texts {
const char* const title = ",%sデータ,総種類:%d,\n";
const char* const group_title = ",%s,\n";
}  // namespace texts

constexpr std::size_t name_field = 1;

// The name header carries the slot size: "名前(%d)".
const Layout name_row = {
    {row_id, 0, no_bits, hex8_cell, "ID"},
    {no_rom, 0, no_bits, text_cell, "名前(%d)"},
};

}  // namespace

// Each list is an array of equal slots padded with the blank glyph. The formation-technique
// list covers the same slots as "form_tech.csv"; this table is stored after it and wins.
const FixedTable& name_groups() {
  static const FixedTable table{table_name, file_name,
                                {
                                    {"職業名称", 0x3D1C80, 10, 32, &name_row},
                                    {"土地名称", 0x3D1DC0, 10, 256, &name_row},
                                    {"陣形技名称", 0x3D3BC0, 10, 64, &name_row},
                                    {"トレード物件名称", 0x3D3E40, 14, 256, &name_row},
                                    {"メニューのイベントメッセージ", 0x3D4C40, 26, 64, &name_row},
                                    {"マスコンバット命令名称", 0x3D52C0, 12, 96, &name_row},
                                    {"マスコンバット陣形名称", 0x3D5740, 12, 32, &name_row},
                                    {"コマンダーモード命令名称", 0x3D58C0, 10, 16, &name_row},
                                    {"トーナメントチーム名称", 0x3D5960, 8, 16, &name_row},
                                }};
  return table;
}

void name_cell_map(const CellTarget& target, TableRecord& record, Direction direction) {
  cell_map(name_row, target, direction, record);
}

std::unique_ptr<NameTable> load_names(JobContext& job) {
  auto table = std::make_unique<NameTable>();
  job.report.section(msg::load_banner, table_name);
  std::vector<std::uint8_t> slot;
  for (const Section& group : name_groups().sections) {
    std::vector<TableRecord>& records = table->rows.emplace_back();
    records.reserve(static_cast<std::size_t>(group.rows));
    for (int j = 0; j < group.rows; ++j) {
      slot.assign(group.entry_size, 0);
      rom_read(job.rom, slot.data(), group.rom_offset + group.entry_size * static_cast<std::uint32_t>(j),
               slot.size());
      TableRecord& record = records.emplace_back(make_record(*group.layout, j));
      record.text[name_field] = decode_name(slot.data(), slot.size());
    }
  }
  return table;
}

void write_name_csv(JobContext& job, const std::string& folder, const NameTable* table) {
  if (!table) return;
  CsvWriter out;
  if (!open_table_writer(out, job, folder, file_name)) return;
  out.printf(texts::title, table_name, 1);
  const std::vector<Section>& groups = name_groups().sections;
  for (std::size_t g = 0; g < groups.size() && g < table->rows.size(); ++g) {
    const Section& group = groups[g];
    job.report.progress(msg::progress, group.title);
    out.line();
    out.printf(texts::group_title, group.title);
    out.printf(header_line(*group.layout).c_str(), static_cast<int>(group.entry_size));
    out.line();
    for (TableRecord record : table->rows[g]) {
      name_cell_map(CellTarget{&out, {}}, record, Direction::extract);
      out.line();
    }
  }
  close_table_writer(out, job.report, folder, file_name);
}

std::unique_ptr<NameTable> read_name_csv(JobContext& job, const std::string& folder) {
  CsvReader in;
  if (!open_table_reader(in, job.report, folder, file_name)) return nullptr;
  const std::string path = folder + file_name;
  auto table = std::make_unique<NameTable>();
  in.skip_lines(1);
  std::vector<std::string> lines;
  for (const Section& group : name_groups().sections) {
    job.report.progress(msg::progress, group.title);
    in.skip_lines(3);
    // A file that ends before the last row would blank the names it lacks: store none.
    int first_line = 0;
    if (!read_record_lines(job.report, in, group.rows, path, lines, &first_line)) return nullptr;
    std::vector<TableRecord>& records = table->rows.emplace_back();
    for (int j = 0; j < group.rows; ++j) {
      TableRecord& record = records.emplace_back(make_record(*group.layout, j));
      name_cell_map(CellTarget{nullptr, lines[static_cast<std::size_t>(j)], &job.report, file_name, first_line + static_cast<int>(static_cast<std::size_t>(j))}, record,
                    Direction::build);
    }
  }
  return table;
}

void store_names(JobContext& job, const NameTable* table) {
  if (!table) return;
  job.report.section(msg::store_banner, table_name);
  const std::vector<Section>& groups = name_groups().sections;
  std::vector<std::uint8_t> slot;
  for (std::size_t g = 0; g < groups.size() && g < table->rows.size(); ++g) {
    const Section& group = groups[g];
    slot.assign(group.entry_size, 0);
    for (std::size_t j = 0; j < table->rows[g].size(); ++j) {
      encode_record_name(job.report, file_name, table->rows[g][j], name_field, slot.data(), slot.size());
      rom_write(job.rom, slot.data(), group.rom_offset + group.entry_size * static_cast<std::uint32_t>(j),
                slot.size());
    }
  }
}

PipelineTable proper_names_table() {
  return make_pipeline_table<NameTable>(load_names, write_name_csv, read_name_csv, store_names);
}
