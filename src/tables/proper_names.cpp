#include "tables/proper_names.hpp"

#include "tables/formation_techs.hpp"
#include "tables/shared_columns.hpp"

namespace {

const Layout name_row = id_and_name();

Section group(const char* title, std::uint32_t rom_offset, std::uint32_t slot_size, int rows) {
  return section(title, rows, name_row).named(name_slots(rom_offset, slot_size));
}

}  // namespace

// Each list is an array of equal slots padded with the blank glyph. The formation-technique
// list covers the same slots as "form_tech.csv"; the registry stores this table after it.
const TableDescription& proper_name_table() {
  static const TableDescription table = [] {
    TableDescription t;
    t.name = "固有名詞";
    t.file_name = "name.csv";
    t.purpose = "職業、土地、陣形技などの固有名詞。どれも決まった長さの枠に入ります。";
    t.preamble = ",固有名詞データ,総種類:1,";
    t.sections = {
        group("職業名称", 0x3D1C80, 10, 32),
        group("土地名称", 0x3D1DC0, 10, 256),
        group("陣形技名称", 0x3D3BC0, 10, 64),
        group("トレード物件名称", 0x3D3E40, 14, 256),
        group("メニューのイベントメッセージ", 0x3D4C40, 26, 64),
        group("マスコンバット命令名称", 0x3D52C0, 12, 96),
        group("マスコンバット陣形名称", 0x3D5740, 12, 32),
        group("コマンダーモード命令名称", 0x3D58C0, 10, 16),
        group("トーナメントチーム名称", 0x3D5960, 8, 16),
    };
    t.titled_sections = true;
    return t;
  }();
  return table;
}

std::unique_ptr<FixedTableBlock> load_names(JobContext& job) {
  return load_fixed_table(job, proper_name_table());
}

void write_name_csv(JobContext& job, const std::string& folder, const FixedTableBlock* table) {
  write_fixed_csv(job, folder, proper_name_table(), table);
}

std::unique_ptr<FixedTableBlock> read_name_csv(JobContext& job, const std::string& folder) {
  std::unique_ptr<FixedTableBlock> names = read_fixed_csv(job, folder, proper_name_table());
  if (!names) return names;
  // form_tech.csv is read again on a report of its own: its messages came with its own read.
  Report own;
  std::swap(own, job.report);
  const std::unique_ptr<FixedTableBlock> techniques = read_fixed_csv(job, folder, formation_tech_table());
  std::swap(own, job.report);
  if (techniques) {
    report_shared_names(job.report, formation_tech_table(), *techniques, proper_name_table(), *names);
  }
  return names;
}

PipelineTable proper_name_steps(const TableDescription& table) {
  PipelineTable steps = fixed_table_steps(table);
  steps.read_csv = [](JobContext& job, const std::string& folder) -> std::unique_ptr<TableBlock> {
    return read_name_csv(job, folder);
  };
  return steps;
}

void store_names(JobContext& job, const FixedTableBlock* table) {
  store_fixed_table(job, proper_name_table(), table);
}
