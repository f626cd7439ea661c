// Throughput of the text codec, counted in game bytes so that both directions compare:
// a long text of glyphs and tags, and the 8-byte name slots that the tables convert.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/decoder.hpp"
#include "text/encoder.hpp"
#include "text/names.hpp"

namespace {

// Kana, kanji and, now and then, a tag with an argument: deterministic.
std::vector<std::uint8_t> game_text(std::size_t size) {
  std::vector<std::uint8_t> bytes;
  std::uint32_t state = 0x1234567u;
  auto next = [&state](std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  };
  while (bytes.size() < size) {
    const std::uint32_t pick = next(10);
    if (pick < 6) {
      bytes.push_back(static_cast<std::uint8_t>(0x51 + next(0xAF)));
    } else if (pick < 9) {
      const std::uint32_t glyph = 0xB0 + next(0x350);
      bytes.push_back(static_cast<std::uint8_t>(0x20 + (glyph >> 8)));
      bytes.push_back(static_cast<std::uint8_t>(glyph));
    } else {
      bytes.push_back(0x36);
      bytes.push_back(static_cast<std::uint8_t>(next(256)));
    }
  }
  bytes.resize(size);
  bytes.back() = 0x51;
  return bytes;
}

std::string text_of(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  decode_text(&text, bytes.data(), decode_text(nullptr, bytes.data(), 0, bytes.size()), bytes.size());
  return text;
}

void BM_DecodeText(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = game_text(64 * 1024);
  std::string text;
  for (auto _ : state) {
    text.clear();
    benchmark::DoNotOptimize(decode_text(&text, bytes.data(), 1 << 20, bytes.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeText);

void BM_EncodeText(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = game_text(64 * 1024);
  const std::string text = text_of(bytes);
  std::vector<std::uint8_t> out(bytes.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(encode_text(out.data(), text.data(), out.size(), text.size(), false));
  }
  if (out != bytes) state.SkipWithError("the encoded text differs from the source");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_EncodeText);

void BM_DecodeNames(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = game_text(8 * 320);
  for (auto _ : state) {
    for (std::size_t at = 0; at < bytes.size(); at += 8) benchmark::DoNotOptimize(decode_name(&bytes[at], 8));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeNames);

void BM_EncodeNames(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = game_text(8 * 320);
  std::vector<std::string> names;
  for (std::size_t at = 0; at < bytes.size(); at += 8) names.push_back(decode_name(&bytes[at], 8));
  std::uint8_t slot[8];
  for (auto _ : state) {
    for (const std::string& name : names) {
      encode_name(name, slot, sizeof slot);
      benchmark::DoNotOptimize(slot);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_EncodeNames);

}  // namespace
