#pragma once
// Every call of the song_text target into the program. The build takes its text from a file,
// so the text goes through a scratch folder.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "adapters/scratch.hpp"
#include "core/job_context.hpp"
#include "music/song.hpp"
#include "music/song_builder.hpp"
#include "music/song_text.hpp"
#include "table/bits.hpp"

namespace fuzz_adapter {

inline constexpr std::size_t song_block_header = song_header_size;

// Writes the text as song 0's file in a scratch folder, runs `use` on the folder and removes
// the folder again.
template <class Use>
auto with_song_file(const std::string& text, Use use) {
  const std::string folder = scratch_folder("song_text");
  std::ofstream(song_file_path(folder, 0), std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  const auto result = use(folder);
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  return result;
}

inline std::string write_song(const SongRecord& record) { return song_text(record); }

// Builds the block from the text as the rebuild does; the result is build_song's.
inline BlockResult build_song_text(const std::string& text, std::uint32_t offset, std::uint32_t limit,
                           PlacedSong& out) {
  return with_song_file(text, [&](const std::string& folder) {
    JobContext job;
    return build_song(job, folder, offset, limit, 0, out);
  });
}

// The record the dump reads from the built block (at least a header long) and tables.
inline SongRecord read_placed_song(PlacedSong& placed) {
  const std::size_t header_size = song_header_size;
  SongRecord record;
  record.song = placed.song;
  song_record_map(placed.block.data(), record, Direction::extract, SongGroup::header);
  fix_song_wrap(record);
  song_record_map(placed.wave.data(), record, Direction::extract, SongGroup::wave);
  song_record_map(placed.drum.data(), record, Direction::extract, SongGroup::drum);
  if (record.data_length > 0 &&
      placed.block.size() - header_size >= static_cast<std::size_t>(record.data_length))
    record.data.assign(placed.block.begin() + static_cast<std::ptrdiff_t>(header_size),
                       placed.block.begin() + static_cast<std::ptrdiff_t>(header_size) + record.data_length);
  return record;
}

}  // namespace fuzz_adapter
