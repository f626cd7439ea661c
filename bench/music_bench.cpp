// The music alone over the 6 MiB sample image: every song dumped to its text file, and every
// song rebuilt from those files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/rom_image.hpp"
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
    rom_open(rom, false);
    dump_music(folder);
    rom_close();
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
  rom_open(w.rom, false);
  for (auto _ : state) dump_music(w.folder);
  rom_close();
}
BENCHMARK(BM_DumpMusic)->Unit(benchmark::kMillisecond);

void BM_RebuildMusic(benchmark::State& state) {
  MusicWorkspace& w = workspace();
  rom_open(w.rom, true);
  for (auto _ : state) rebuild_music(w.folder);
  rom_close();
}
BENCHMARK(BM_RebuildMusic)->Unit(benchmark::kMillisecond);

}  // namespace
