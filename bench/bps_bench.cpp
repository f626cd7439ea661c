// Patch creation and application on a full-size image with edits spread over it, the shape of a
// modded ROM against its original.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/bps.hpp"
#include "sample_rom.hpp"

namespace {

struct ImagePair {
  std::vector<std::uint8_t> source;
  std::vector<std::uint8_t> target;
};

// 2000 edits of 1 to 16 bytes and a few cleared blocks: deterministic.
const ImagePair& image_pair() {
  static const ImagePair pair = [] {
    ImagePair p;
    p.source = make_sample_rom();
    p.target = p.source;
    std::uint32_t state = 0xC0FFEEu;
    auto next = [&state](std::uint32_t bound) {
      state = state * 1664525u + 1013904223u;
      return (state >> 8) % bound;
    };
    for (int edit = 0; edit < 2000; ++edit) {
      const std::size_t at = next(static_cast<std::uint32_t>(p.target.size() - 16));
      for (std::size_t i = 0, n = 1 + next(16); i < n; ++i) p.target[at + i] ^= 0x5A;
    }
    for (std::size_t block = 0x100000; block < p.target.size(); block += 0x100000) {
      std::fill(p.target.begin() + block, p.target.begin() + block + 0x800, std::uint8_t{0xFF});
    }
    return p;
  }();
  return pair;
}

void BM_BpsCreate(benchmark::State& state) {
  const ImagePair& pair = image_pair();
  std::size_t patch_size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> patch = bps_create(pair.source, pair.target);
    patch_size = patch.size();
    benchmark::DoNotOptimize(patch.data());
  }
  state.counters["patch_bytes"] = static_cast<double>(patch_size);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pair.target.size()));
}
BENCHMARK(BM_BpsCreate)->Unit(benchmark::kMillisecond);

void BM_BpsApply(benchmark::State& state) {
  const ImagePair& pair = image_pair();
  const std::vector<std::uint8_t> patch = bps_create(pair.source, pair.target);
  std::vector<std::uint8_t> target;
  for (auto _ : state) {
    target.clear();
    if (bps_apply(patch, pair.source, target) != BpsResult::ok) state.SkipWithError("apply failed");
    benchmark::DoNotOptimize(target.data());
  }
  if (target != pair.target) state.SkipWithError("the applied image differs from the target");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pair.target.size()));
}
BENCHMARK(BM_BpsApply)->Unit(benchmark::kMillisecond);

}  // namespace
