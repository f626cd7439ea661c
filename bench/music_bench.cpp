// The music alone over the 6 MiB sample image: every song dumped to its text file, and every
// song rebuilt from those files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/job_context.hpp"
#include "music/music.hpp"
#include "sample_rom.hpp"

namespace {

struct MusicWorkspace {
  std::string folder;
  std::string rom;
  MusicWorkspace() {
    folder = (std::filesystem::temp_directory_path() / "varbek-music-bench").string() + "/";
    std::filesystem::create_directories(folder);
    rom = folder + "sample.smc";
    write_sample_rom(rom);
    JobContext job;
    rom_open(job.rom, rom, false, job.report);
    dump_music(job, folder);
  }
  ~MusicWorkspace() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

MusicWorkspace& workspace() {
  static MusicWorkspace w;
  return w;
}

void BM_DumpMusic(benchmark::State& state) {
  MusicWorkspace& w = workspace();
  JobContext job;
  rom_open(job.rom, w.rom, false, job.report);
  for (auto _ : state) {
    job.report = Report();
    dump_music(job, w.folder);
  }
}
BENCHMARK(BM_DumpMusic)->Unit(benchmark::kMillisecond);

void BM_RebuildMusic(benchmark::State& state) {
  MusicWorkspace& w = workspace();
  JobContext job;
  rom_open(job.rom, w.rom, true, job.report);
  for (auto _ : state) {
    job.report = Report();
    rebuild_music(job, w.folder);
  }
}
BENCHMARK(BM_RebuildMusic)->Unit(benchmark::kMillisecond);

}  // namespace
