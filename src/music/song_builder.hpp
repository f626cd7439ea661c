#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "music/song.hpp"

// One song's block made ready for its new place, and with it, when it came from its text,
// the song's wave and drum entries.
struct PlacedSong {
  int song = 0;
  std::uint32_t offset = 0;
  std::vector<std::uint8_t> block;  // header and data
  bool has_tables = false;
  std::array<std::uint8_t, wave_entry_size> wave{};
  std::array<std::uint8_t, drum_entry_size> drum{};
};

// What became of a song's block. placed: `out` holds it; text_unusable: the text could not be
// used (its messages given) and the caller keeps the old block; over_capacity: the block would
// end past the limit; old_block_broken: the old block does not lie inside the old bytes.
enum class BlockResult { placed, text_unusable, over_capacity, old_block_broken };

// A data area longer than this cannot be described by the header's 16-bit words.
inline constexpr std::int32_t max_song_data = 0xFFFF - block_length_extra;

// Builds the song's block at `write_offset` from "musicNN.txt" in the folder: placed,
// text_unusable or over_capacity.
BlockResult build_song(JobContext& job, const std::string& folder, std::uint32_t write_offset, std::uint32_t limit,
                       int song, PlacedSong& out);

// Moves the old block at `read_position` of the region's old bytes to `write_offset`,
// rebasing its addresses: placed, over_capacity or old_block_broken.
BlockResult keep_old_block(const std::vector<std::uint8_t>& old_region, std::size_t read_position,
                           std::uint32_t write_offset, std::uint32_t limit, PlacedSong& out);

// How far the old block at `read_position` reaches: its length word plus 2, or 2 when the
// word itself lies outside.
std::size_t old_block_size(const std::vector<std::uint8_t>& old_region, std::size_t read_position);
