// Proper names, variable-length strings and event battles of the 6 MiB sample image: each
// table loaded and written to its file, then read back and stored.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/rom_image.hpp"
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

void extract_text_tables(const std::string& folder) {
  write_name_csv(folder, load_names().get());
  write_string_csv(folder, load_strings().get());
  write_event_battle_csv(folder, load_event_battles().get());
}

void BM_ExtractTextTables(benchmark::State& state) {
  TextTableWorkspace& w = workspace();
  rom_open(w.rom, false);
  for (auto _ : state) extract_text_tables(w.folder);
  rom_close();
}
BENCHMARK(BM_ExtractTextTables)->Unit(benchmark::kMillisecond);

void BM_BuildTextTables(benchmark::State& state) {
  TextTableWorkspace& w = workspace();
  rom_open(w.rom, true);
  extract_text_tables(w.folder);
  for (auto _ : state) {
    store_names(read_name_csv(w.folder).get());
    store_strings(read_string_csv(w.folder).get());
    store_event_battles(read_event_battle_csv(w.folder).get());
  }
  rom_close();
}
BENCHMARK(BM_BuildTextTables)->Unit(benchmark::kMillisecond);

}  // namespace
