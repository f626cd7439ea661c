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

inline constexpr int song_over_capacity = -1;
inline constexpr int old_block_broken = -2;

// A data area longer than this cannot be described by the header's 16-bit words.
inline constexpr std::int32_t max_song_data = 0xFFFF - block_length_extra;

// Builds the song's block at `write_offset` from "musicNN.txt" in the folder. The result is
// the block's size; 0 when the text cannot be used (the caller keeps the old block);
// song_over_capacity when the block would end past `limit`.
int build_song(JobContext& job, const std::string& folder, std::uint32_t write_offset, std::uint32_t limit, int song,
               PlacedSong& out);

// Moves the old block at `read_position` of the region's old bytes to `write_offset`,
// rebasing its addresses. The result is the block's size, song_over_capacity, or
// old_block_broken when the block does not lie inside the old bytes.
int keep_old_block(const std::vector<std::uint8_t>& old_region, std::size_t read_position,
                   std::uint32_t write_offset, std::uint32_t limit, PlacedSong& out);

// How far the old block at `read_position` reaches: its length word plus 2, or 2 when the
// word itself lies outside.
std::size_t old_block_size(const std::vector<std::uint8_t>& old_region, std::size_t read_position);
