// Whole extract and build jobs over the 6 MiB sample image, music included.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "jobs/job.hpp"
#include "core/files.hpp"
#include "sample_rom.hpp"

namespace {

struct Workspace {
  std::string folder;
  std::string rom;
  Workspace() {
    folder = (std::filesystem::temp_directory_path() / "varbek-bench").string() + "/";
    std::filesystem::create_directories(folder);
    rom = folder + "sample.smc";
    write_sample_rom(rom);
    run_job({"varbek", "-am", rom, folder + "csv/"});
  }
  ~Workspace() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

Workspace& workspace() {
  static Workspace w;
  return w;
}

void BM_ExtractAll(benchmark::State& state) {
  Workspace& w = workspace();
  for (auto _ : state) {
    benchmark::DoNotOptimize(run_job({"varbek", "-am", w.rom, w.folder + "csv/"}));
  }
}
BENCHMARK(BM_ExtractAll)->Unit(benchmark::kMillisecond);

void BM_BuildAll(benchmark::State& state) {
  Workspace& w = workspace();
  for (auto _ : state) {
    benchmark::DoNotOptimize(run_job({"varbek", "-mm", w.rom, w.folder + "out.smc", w.folder + "csv/"}));
  }
}
BENCHMARK(BM_BuildAll)->Unit(benchmark::kMillisecond);

// The floor a build is measured against: reading the image and writing the same bytes out.
void BM_CopyImage(benchmark::State& state) {
  Workspace& w = workspace();
  for (auto _ : state) {
    std::string bytes;
    platform::read_file(w.rom, bytes);
    benchmark::DoNotOptimize(platform::write_file_atomically(w.folder + "copy.smc", bytes.data(), bytes.size()));
  }
}
BENCHMARK(BM_CopyImage)->Unit(benchmark::kMillisecond);

}  // namespace
