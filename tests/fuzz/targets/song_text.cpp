// Song texts: a text that builds gives, dumped, a text that builds to the same block, wave and
// drum entries, and dumps to the same text again.
#include "adapters/song_text.hpp"

#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "song_text";
// Near a bank's end, so that longer songs cross the 16-bit wrap.
constexpr std::uint32_t write_offset = 0x3FF00;
constexpr std::uint32_t limit = 0x400000;

// Builds the text and dumps the block; false when the text does not build.
bool build_and_dump(const std::string& text, std::string& dumped, PlacedSong& placed) {
  if (fa::build_song_text(text, write_offset, limit, placed) != BlockResult::placed) return false;
  if (placed.block.size() < fa::song_block_header)
    fuzz_fail(target, "a block of %zu bytes has no whole header", placed.block.size());
  const SongRecord record = fa::read_placed_song(placed);
  if (record.data_length < 0 ||
      placed.block.size() != fa::song_block_header + static_cast<std::size_t>(record.data_length))
    fuzz_fail(target, "the header gives %d data bytes, the block holds %zu", record.data_length,
              placed.block.size() - fa::song_block_header);
  dumped = fa::write_song(record);
  return true;
}

}  // namespace

int fuzz_song_text(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string first;
  PlacedSong placed;
  if (!build_and_dump(text, first, placed)) return fuzz_pass;
  std::string second;
  PlacedSong again;
  if (!build_and_dump(first, second, again)) fuzz_fail(target, "the dumped text does not build");
  if (again.block != placed.block || again.wave != placed.wave || again.drum != placed.drum) {
    std::size_t at = 0;
    while (at < placed.block.size() && at < again.block.size() && placed.block[at] == again.block[at]) ++at;
    fuzz_fail(target,
              "the dumped text builds to another song (block of %zu bytes, was %zu; first difference at %zu)",
              again.block.size(), placed.block.size(), at);
  }
  if (second != first) fuzz_fail(target, "dumping the rebuilt block gives another text");
  return fuzz_pass;
}
