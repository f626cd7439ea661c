// The three event banks of the 6 MiB sample image: dump to files and rebuild.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/rom_image.hpp"
#include "event/events.hpp"
#include "sample_rom.hpp"

namespace {

struct EventWorkspace {
  std::string folder;
  std::string rom;
  EventWorkspace() {
    folder = (std::filesystem::temp_directory_path() / "varbek-bench-events").string() + "/";
    std::filesystem::create_directories(folder);
    rom = folder + "sample.smc";
    write_sample_rom(rom);
    rom_open(rom, false);
    extract_events(folder);
    rom_close();
  }
  ~EventWorkspace() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

EventWorkspace& workspace() {
  static EventWorkspace w;
  return w;
}

void BM_ExtractEvents(benchmark::State& state) {
  EventWorkspace& w = workspace();
  rom_open(w.rom, false);
  for (auto _ : state) extract_events(w.folder);
  rom_close();
}
BENCHMARK(BM_ExtractEvents)->Unit(benchmark::kMillisecond);

void BM_BuildEvents(benchmark::State& state) {
  EventWorkspace& w = workspace();
  rom_open(w.rom, true);
  for (auto _ : state) build_events(w.folder);
  rom_close();
}
BENCHMARK(BM_BuildEvents)->Unit(benchmark::kMillisecond);

}  // namespace
