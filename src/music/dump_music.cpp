#include <array>
#include <new>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "music/music.hpp"
#include "music/music_messages.hpp"
#include "music/song.hpp"
#include "music/song_text.hpp"

namespace {

enum class Loaded { ok, skipped, out_of_memory };

Loaded load_song(JobContext& job, int song, const std::uint8_t* event_songs, SongRecord& record) {
  record.song = song;
  record.event_song = event_song_number(event_songs, song);

  std::array<std::uint8_t, pointer_entry_size> pointer{};
  rom_read(job.rom, pointer.data(), pointer_entry_of(song), pointer.size());
  song_record_map(pointer.data(), record, Direction::extract, SongGroup::pointer);
  const std::uint32_t target = static_cast<std::uint32_t>(record.pointer_word) |
                               (static_cast<std::uint32_t>(record.pointer_bank) << 16);
  const std::uint32_t base = song_region(song).pointer_base;
  if (target < base || target - base > rom_end(job.rom) ||
      rom_end(job.rom) - (target - base) < song_header_size) {
    job.report.add(msg::music_pointer_outside, song);
    return Loaded::skipped;
  }
  const std::uint32_t block = target - base;

  std::array<std::uint8_t, wave_entry_size> wave{};
  rom_read(job.rom, wave.data(), wave_entry_of(song), wave.size());
  song_record_map(wave.data(), record, Direction::extract, SongGroup::wave);
  std::array<std::uint8_t, drum_entry_size> drum{};
  rom_read(job.rom, drum.data(), drum_entry_of(song), drum.size());
  song_record_map(drum.data(), record, Direction::extract, SongGroup::drum);

  std::array<std::uint8_t, song_header_size> header{};
  rom_read(job.rom, header.data(), block, header.size());
  song_record_map(header.data(), record, Direction::extract, SongGroup::header);
  fix_song_wrap(record);

  if (record.data_length > 0) {
    try {
      record.data.assign(static_cast<std::size_t>(record.data_length), 0);
    } catch (const std::bad_alloc&) {
      return Loaded::out_of_memory;
    }
    // Bytes past the end of the image stay 0.
    rom_read(job.rom, record.data.data(), block + static_cast<std::uint32_t>(song_header_size),
             record.data.size());
  }
  return Loaded::ok;
}

}  // namespace

void dump_music(JobContext& job, const std::string& folder) {
  job.report.section(msg::music_dump_banner);
  std::array<std::uint8_t, event_song_entries> event_songs{};
  rom_read(job.rom, event_songs.data(), event_song_table, event_songs.size());
  const int count = song_count(job.rom);
  for (int song = 0; song < count; ++song) {
    job.report.progress(msg::music_song_progress, song, song_title(song).c_str());
    SongRecord record;
    const Loaded loaded = load_song(job, song, event_songs.data(), record);
    if (loaded == Loaded::out_of_memory) {
      job.report.add(msg::out_of_memory);
      return;
    }
    if (loaded == Loaded::ok) write_song_text(job, record, folder);
  }
}
