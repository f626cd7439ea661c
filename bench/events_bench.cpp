// The three event banks of the 6 MiB sample image: dump to files and rebuild.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/job_context.hpp"
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
    JobContext job;
    rom_open(job.rom, rom, false, job.report);
    extract_events(job, folder);
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
  JobContext job;
  rom_open(job.rom, w.rom, false, job.report);
  for (auto _ : state) {
    job.report = Report();
    extract_events(job, w.folder);
  }
}
BENCHMARK(BM_ExtractEvents)->Unit(benchmark::kMillisecond);

void BM_BuildEvents(benchmark::State& state) {
  EventWorkspace& w = workspace();
  JobContext job;
  rom_open(job.rom, w.rom, true, job.report);
  for (auto _ : state) {
    job.report = Report();
    build_events(job, w.folder);
  }
}
BENCHMARK(BM_BuildEvents)->Unit(benchmark::kMillisecond);

}  // namespace
