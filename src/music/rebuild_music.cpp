#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "music/music.hpp"
#include "music/music_messages.hpp"
#include "music/song.hpp"
#include "music/song_builder.hpp"

namespace {

void write_song(JobContext& job, const PlacedSong& placed) {
  if (placed.has_tables) {
    rom_write(job.rom, placed.wave.data(), wave_entry_of(placed.song), placed.wave.size());
    rom_write(job.rom, placed.drum.data(), drum_entry_of(placed.song), placed.drum.size());
  }
  rom_write(job.rom, placed.block.data(), placed.offset, placed.block.size());
  const std::uint32_t address = placed.offset + song_region(placed.song).pointer_base;
  const std::array<std::uint8_t, pointer_entry_size> pointer = {
      static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
      static_cast<std::uint8_t>(address >> 16)};
  rom_write(job.rom, pointer.data(), pointer_entry_of(placed.song), pointer.size());
}

// Every song of the region is placed before any is written, so a region that overflows
// keeps all its old songs playable. False stops the rebuild.
bool place_region(JobContext& job, const std::string& folder, const SongRegion& region,
                  std::vector<PlacedSong>& placed) {
  // The old blocks as they were before the rebuild, back to back from the region's start.
  std::vector<std::uint8_t> old_region(region.limit - region.start, 0);
  rom_read(job.rom, old_region.data(), region.start, old_region.size());
  const std::uint32_t image_end = rom_end(job.rom);
  const std::uint32_t limit = std::min(region.limit, image_end);

  std::uint32_t write_offset = region.start;
  std::size_t read_position = 0;
  for (int song = region.first_song; song < region.end_song; ++song) {
    PlacedSong next;
    next.song = song;
    BlockResult result = build_song(job, folder, write_offset, limit, song, next);
    if (result == BlockResult::text_unusable) {
      result = keep_old_block(old_region, read_position, write_offset, limit, next);
    }
    if (result == BlockResult::over_capacity) {
      job.report.add(msg::music_over_capacity, song);
      return false;
    }
    if (result == BlockResult::old_block_broken) {
      job.report.add(msg::music_broken_old_block, song);
      return false;
    }
    write_offset += static_cast<std::uint32_t>(next.block.size());
    placed.push_back(std::move(next));
    read_position += old_block_size(old_region, read_position);
  }
  job.report.add(msg::room_used, Report::format(msg::music_region.text, &region == &base_region() ? 1 : 2),
                 static_cast<int>(write_offset - region.start), static_cast<int>(limit - region.start));
  return true;
}

}  // namespace

void rebuild_music(JobContext& job, const std::string& folder) {
  if (folder.empty()) return;
  job.report.section(msg::music_rebuild_banner);
  report_cut_music(job.rom, job.report);
  const bool extended = song_count(job.rom) == extended_song_count;
  for (const SongRegion* region : {&base_region(), &extended_region()}) {
    if (region == &extended_region() && !extended) break;
    std::vector<PlacedSong> placed;
    try {
      if (!place_region(job, folder, *region, placed)) return;
    } catch (const std::bad_alloc&) {
      job.report.add(msg::out_of_memory);
      return;
    }
    for (const PlacedSong& song : placed) write_song(job, song);
  }
}
