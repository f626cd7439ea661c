#include <array>
#include <new>
#include <string>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "core/rom_image.hpp"
#include "music/music.hpp"
#include "music/music_messages.hpp"
#include "music/song.hpp"
#include "music/song_text.hpp"

namespace {

enum class Loaded { ok, skipped, out_of_memory };

Loaded load_song(JobContext& job, int song, const std::uint8_t* event_songs, SongRecord& record,
                 std::uint32_t& block) {
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
  block = target - base;

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

void add_change(std::string& list, const std::string& name, std::int32_t was, std::int32_t will) {
  if (((was ^ will) & 0xFFFF) == 0) return;
  if (!list.empty()) list += music_msg::word_separator;
  list += Report::format(music_msg::word_change, name, was & 0xFFFF, will & 0xFFFF);
}

// A rebuild writes every header word from the text; the ones it would write otherwise are
// named, so that nothing the text cannot hold changes unreported.
void report_header_changes(JobContext& job, const SongRecord& record, std::uint32_t block) {
  const SongRecord rebuilt = rebuilt_header(record, block);
  std::string list;
  add_change(list, music_msg::block_length_word, record.block_length, rebuilt.block_length);
  add_change(list, music_msg::start_word, record.start, rebuilt.start);
  add_change(list, music_msg::end_word, record.end, rebuilt.end);
  for (int k = 0; k < channel_count; ++k) {
    add_change(list, Report::format(music_msg::channel_word, k + 1), record.channel_address[k],
               rebuilt.channel_address[k]);
  }
  for (int k = 0; k < channel_count; ++k) {
    add_change(list, Report::format(music_msg::second_word, k + 1), record.second_address[k],
               rebuilt.second_address[k]);
  }
  if (!list.empty()) job.report.add(msg::music_header_rewritten, record.song, list);
}

}  // namespace

void dump_music(JobContext& job, const std::string& folder) {
  job.report.section(msg::music_dump_banner);
  std::array<std::uint8_t, event_song_entries> event_songs{};
  rom_read(job.rom, event_songs.data(), event_song_table, event_songs.size());
  report_cut_music(job.rom, job.report);
  const int count = song_count(job.rom);
  // Where a rebuild puts the next block: back to back from its region's start. After a song
  // without text the rebuild walks the old blocks, so the next block's own place is taken.
  std::uint32_t expected = 0;
  bool known = false;
  for (int song = 0; song < count; ++song) {
    job.report.progress(msg::music_song_progress, song, song_title(song).c_str());
    if (song == song_region(song).first_song) {
      expected = song_region(song).start;
      known = true;
    }
    SongRecord record;
    std::uint32_t block = 0;
    const Loaded loaded = load_song(job, song, event_songs.data(), record, block);
    if (loaded == Loaded::out_of_memory) {
      job.report.add(msg::out_of_memory);
      return;
    }
    if (loaded != Loaded::ok) {
      known = false;
      continue;
    }
    write_song_text(job, record, folder);
    const std::uint32_t place = known ? expected : block;
    if (place != block) {
      job.report.add(msg::music_block_moved, song, static_cast<unsigned>(block),
                     static_cast<unsigned>(place));
    } else {
      report_header_changes(job, record, block);
    }
    expected = place + static_cast<std::uint32_t>(rebuilt_header(record, place).block_length) + 2;
    known = true;
  }
}
