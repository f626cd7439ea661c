// Song texts: a text that builds gives, dumped, a text that builds to the same block, wave and
// drum entries, and dumps to the same text again.
#include "adapters/song_text.hpp"

#include <algorithm>
#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "song_text";
// Near a bank's end, so that longer songs cross the 16-bit wrap.
constexpr std::uint32_t write_offset = 0x3FF00;
constexpr std::uint32_t limit = 0x400000;

// Known fault "channel twice" (reported): when a channel's header comes again, the later
// section alone counts and the earlier bytes stay in the block with no channel leading to them,
// without a message; the dump then prints the lowest channel from the block's first data byte
// instead of from its address, so the next text shows the channels shifted and loses bytes.
// Reproducer: corpus/song_text/known-channel-twice.txt.
bool channel_twice(const std::string& text) {
  int seen[channel_count] = {};
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    if (text.compare(at, 7, "Channel") == 0 && at + 7 < end && text[at + 7] >= '1' && text[at + 7] <= '8' &&
        ++seen[text[at + 7] - '1'] > 1)
      return true;
    at = end + 1;
  }
  return false;
}

// Builds the text and dumps the block; false when the text does not build.
bool build_and_dump(const std::string& text, std::string& dumped, PlacedSong& placed) {
  if (fa::build_song_text(text, write_offset, limit, placed) <= 0) return false;
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
    if (channel_twice(text)) return fuzz_known;
    std::size_t at = 0;
    while (at < placed.block.size() && at < again.block.size() && placed.block[at] == again.block[at]) ++at;
    fuzz_fail(target,
              "the dumped text builds to another song (block of %zu bytes, was %zu; first difference at %zu)",
              again.block.size(), placed.block.size(), at);
  }
  if (second != first) fuzz_fail(target, "dumping the rebuilt block gives another text");
  return fuzz_pass;
}
