// Proper names, variable-length strings and event battles of the 6 MiB sample image: each
// table loaded and written to its file, then read back and stored.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/job_context.hpp"
#include "sample_rom.hpp"
#include "tables/event_battles.hpp"
#include "tables/proper_names.hpp"
#include "tables/strings.hpp"

namespace {

struct TextTableWorkspace {
  std::string folder;
  std::string rom;
  TextTableWorkspace() {
    folder = (std::filesystem::temp_directory_path() / "varbek-bench-text-tables").string() + "/";
    std::filesystem::create_directories(folder);
    rom = folder + "sample.smc";
    write_sample_rom(rom);
  }
  ~TextTableWorkspace() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

TextTableWorkspace& workspace() {
  static TextTableWorkspace w;
  return w;
}

void extract_text_tables(JobContext& job, const std::string& folder) {
  job.report = Report();
  write_name_csv(job, folder, load_names(job).get());
  write_string_csv(job, folder, load_strings(job).get());
  write_event_battle_csv(job, folder, load_event_battles(job).get());
}

void BM_ExtractTextTables(benchmark::State& state) {
  TextTableWorkspace& w = workspace();
  JobContext job;
  rom_open(job.rom, w.rom, false, job.report);
  for (auto _ : state) extract_text_tables(job, w.folder);
}
BENCHMARK(BM_ExtractTextTables)->Unit(benchmark::kMillisecond);

void BM_BuildTextTables(benchmark::State& state) {
  TextTableWorkspace& w = workspace();
  JobContext job;
  rom_open(job.rom, w.rom, true, job.report);
  extract_text_tables(job, w.folder);
  for (auto _ : state) {
    job.report = Report();
    store_names(job, read_name_csv(job, w.folder).get());
    store_strings(job, read_string_csv(job, w.folder).get());
    store_event_battles(job, read_event_battle_csv(job, w.folder).get());
  }
}
BENCHMARK(BM_BuildTextTables)->Unit(benchmark::kMillisecond);

}  // namespace
