#include "music/song_builder.hpp"

#include <algorithm>
#include <new>

#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "core/messages.hpp"
#include "music/music_messages.hpp"
#include "music/song_text.hpp"
#include "table/csv_file.hpp"

namespace {

void header_bytes(SongRecord& record, std::vector<std::uint8_t>& block) {
  block.assign(song_header_size, 0);
  song_record_map(block.data(), record, Direction::build, SongGroup::header);
}

void report_past_channel(Report& report, const std::string& file, int line, const std::string& written,
                         const ChannelSpan& span) {
  PlaceScope place(&report, Place{file, line});
  report.add(msg::music_target_past_channel, written, text_channel_number(span.channel), span.length);
}

// Channel offsets from the parser become addresses: a channel without bytes points at the
// end. Jump targets, relative to their channel (or the lead) in the text, become absolute; one
// the text names by channel leads to the same byte of that channel wherever it now lies. A
// target at or past its channel's end is written as given, and named: it leads elsewhere.
void place_channels(SongRecord& record, Report& report, const std::string& file) {
  for (int k = 0; k < channel_count; ++k) {
    const std::int32_t offset = record.channel_address[k];
    record.channel_address[k] = offset < 0 ? record.end : record.start + offset;
    record.second_address[k] = record.channel_address[k];
  }
  std::vector<bool> named(record.data.size(), false);
  for (const NamedTarget& target : record.named_targets) named[static_cast<std::size_t>(target.at)] = true;
  const std::vector<ChannelSpan> spans = channel_spans(record);
  for (const ChannelSpan& span : spans) {
    if (span.length == 0) continue;
    std::uint8_t* bytes = record.data.data() + span.offset;
    for (std::int32_t t : jump_targets(bytes, span.length)) {
      const std::size_t at = static_cast<std::size_t>(span.offset + t);
      const std::int32_t relative = get_word(bytes + t);
      if (!named[at] && relative >= span.length) {
        const int line = at < record.data_lines.size() ? record.data_lines[at] : 0;
        report_past_channel(report, file, line,
                            Report::format(music_msg::relative_target, bytes[t], bytes[t + 1]), span);
      }
      put_word(bytes + t, relative + span.address);
    }
  }
  for (const NamedTarget& target : record.named_targets) {
    std::int32_t value = target.value;
    if (target.channel != kept_value) {
      const ChannelSpan& span = *std::find_if(spans.begin(), spans.end(), [&](const ChannelSpan& s) {
        return s.channel == target.channel;
      });
      if (value >= span.length) report_past_channel(report, file, target.line, target.written, span);
      value += span.address;
    }
    put_word(record.data.data() + target.at, value);
  }
}

// The song's wave and drum entries: the text's where it holds them whole, the image's others.
void take_tables(const RomImage& rom, SongRecord& record, const SongTextRead& read, PlacedSong& out) {
  out.has_tables = true;
  out.wave.fill(0);
  out.drum.fill(0);
  rom_read(rom, out.wave.data(), wave_entry_of(out.song), out.wave.size());
  rom_read(rom, out.drum.data(), drum_entry_of(out.song), out.drum.size());
  if (read.wave) {
    out.wave.fill(0);
    song_record_map(out.wave.data(), record, Direction::build, SongGroup::wave);
  }
  std::array<std::uint8_t, drum_entry_size> drum{};
  song_record_map(drum.data(), record, Direction::build, SongGroup::drum);
  for (int k = 0; k < drum_count; ++k) {
    if (!read.drum[k]) continue;
    std::copy_n(drum.begin() + 3 * k, 3, out.drum.begin() + 3 * k);
  }
}

}  // namespace

BlockResult build_song(JobContext& job, const std::string& folder, std::uint32_t write_offset, std::uint32_t limit,
                       int song, PlacedSong& out) {
  const std::string path = song_file_path(folder, song);
  CsvReader file;
  if (!file.open(path, &job.report)) {
    job.report.add(msg::cannot_open, path);
    return BlockResult::text_unusable;
  }
  job.report.progress(msg::music_song_progress, song, song_title(song).c_str());

  SongRecord record;
  record.song = song;
  record.channel_address.fill(-1);
  record.second_address.fill(-1);
  const std::string name = file_name_of(path);
  PlaceScope place(&job.report, Place{name});
  SongTextRead read;
  try {
    read = parse_song_text(file, record, &job.report);
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
    return BlockResult::text_unusable;
  }
  // A cut text would rebuild the song without its later channels: the old block stays.
  if (!read.missing.empty()) {
    job.report.add(msg::music_text_cut, read.missing);
    return BlockResult::text_unusable;
  }

  const std::int32_t n = record.data_length;
  if (n > max_song_data ||
      std::uint64_t{write_offset} + song_header_size + static_cast<std::uint64_t>(n) > limit) {
    return BlockResult::over_capacity;
  }
  record.block_length = n + block_length_extra;
  record.start = static_cast<std::int32_t>(write_offset + song_header_size);
  record.end = record.start + n;
  place_channels(record, job.report, name);

  out.song = song;
  out.offset = write_offset;
  header_bytes(record, out.block);
  out.block.insert(out.block.end(), record.data.begin(), record.data.end());
  take_tables(job.rom, record, read, out);
  return BlockResult::placed;
}

std::size_t old_block_size(const std::vector<std::uint8_t>& old_region, std::size_t read_position) {
  if (read_position >= old_region.size() || old_region.size() - read_position < 2) return 2;
  return static_cast<std::size_t>(get_word(&old_region[read_position])) + 2;
}

BlockResult keep_old_block(const std::vector<std::uint8_t>& old_region, std::size_t read_position,
                           std::uint32_t write_offset, std::uint32_t limit, PlacedSong& out) {
  if (read_position > old_region.size() || old_region.size() - read_position < song_header_size) {
    return BlockResult::old_block_broken;
  }
  const std::uint8_t* old_block = old_region.data() + read_position;
  std::array<std::uint8_t, song_header_size> header{};
  std::copy(old_block, old_block + song_header_size, header.begin());
  SongRecord record;
  song_record_map(header.data(), record, Direction::extract, SongGroup::header);
  fix_song_wrap(record);
  const std::size_t size = static_cast<std::size_t>(record.block_length) + 2;
  if (record.block_length < block_length_extra || old_region.size() - read_position < size) {
    return BlockResult::old_block_broken;
  }
  if (std::uint64_t{write_offset} + size > limit) return BlockResult::over_capacity;

  // Addresses are 16-bit: moving by the difference modulo 0x10000 is enough.
  const std::int32_t move_by = static_cast<std::int32_t>(
      (write_offset + song_header_size - static_cast<std::uint32_t>(record.start)) & 0xFFFF);
  record.start += move_by;
  record.end += move_by;
  for (int k = 0; k < channel_count; ++k) {
    record.channel_address[k] += move_by;
    record.second_address[k] += move_by;
  }

  out.offset = write_offset;
  header_bytes(record, out.block);
  out.block.insert(out.block.end(), old_block + song_header_size, old_block + size);
  // The old data is walked as one stream: its channel bounds are not trusted. Targets
  // outside the block are kept, as a text keeps them.
  std::uint8_t* data = out.block.data() + song_header_size;
  const std::int32_t length = record.block_length - block_length_extra;
  const std::int32_t old_start = record.start - move_by;
  for (std::int32_t t : jump_targets(data, length)) {
    const std::int32_t target = get_word(data + t);
    if (((target - old_start) & 0xFFFF) < length) put_word(data + t, target + move_by);
  }
  out.has_tables = false;
  return BlockResult::placed;
}
