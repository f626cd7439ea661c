#pragma once
// Every call of the song_text target into the program. The build takes its text from a file,
// so the text goes through a scratch folder.
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "music/song.hpp"
#include "music/song_builder.hpp"
#include "music/song_text.hpp"
#include "table/bits.hpp"
#include "table/csv_file.hpp"

namespace fuzz_adapter {

inline constexpr std::size_t song_block_header = song_header_size;

inline SongRecord parse_song(const std::string& text) {
  SongRecord record;
  record.channel_address.fill(-1);
  record.second_address.fill(-1);
  CsvReader reader;
  reader.assign(text);
  parse_song_text(reader, record);
  return record;
}

inline std::string write_song(const SongRecord& record) { return song_text(record); }

// Where the jump-target words lie in the data of a record as the parser gives it.
inline std::vector<std::int32_t> jump_words(const SongRecord& parsed) {
  std::array<std::int32_t, channel_count> offset = parsed.channel_address;
  for (std::int32_t& o : offset) o = o < 0 ? parsed.data_length : o;
  const ChannelOrder order = sort_channels(offset, parsed.data_length);
  std::vector<std::int32_t> words;
  for (int p = 0; p < channel_count; ++p) {
    const std::int32_t begin = offset[order.channel[p]];
    if (order.length[p] <= 0 || begin + order.length[p] > parsed.data_length) continue;
    for (std::int32_t t : jump_targets(parsed.data.data() + begin, order.length[p]))
      words.push_back(begin + t);
  }
  return words;
}

// Builds the block from the text as the rebuild does; the result is build_song's.
inline int build_song_text(const std::string& text, std::uint32_t offset, std::uint32_t limit,
                           PlacedSong& out) {
  namespace fs = std::filesystem;
  // A file system in memory where there is one: on a disk, creating and deleting the file
  // costs milliseconds a run.
  static const fs::path folder =
      (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
      ("varbek_fuzz_" + std::to_string(std::random_device{}()));
  std::error_code error;
  fs::create_directories(folder, error);
  const std::string prefix = folder.string() + "/";
  const std::string path = song_file_path(prefix, 0);
  std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
  JobContext job;
  const int result = build_song(job, prefix, offset, limit, 0, out);
  fs::remove_all(folder, error);
  return result;
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
