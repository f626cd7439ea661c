#include <cstdarg>
#include <cstdio>
#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "music/music_messages.hpp"
#include "core/job_context.hpp"
#include "music/song_text.hpp"
#include "table/csv_file.hpp"

namespace {

void append_format(std::string& text, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

void append_format(std::string& text, const char* format, ...) {
  char piece[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(piece, sizeof piece, format, args);
  va_end(args);
  if (n > 0)
    text.append(piece, static_cast<std::size_t>(n) < sizeof piece ? static_cast<std::size_t>(n)
                                                                  : sizeof piece - 1);
}

void append_byte(std::string& text, std::uint8_t value) {
  static const char digits[] = "0123456789ABCDEF";
  text.push_back(' ');
  text.push_back(digits[value >> 4]);
  text.push_back(digits[value & 0xF]);
}

// A channel's bytes, sixteen to a line; jump targets inside the channel are shown relative
// to its start, those leading out of it as 0.
void append_channel(std::string& text, const std::uint8_t* bytes, std::int32_t length,
                    std::int32_t address) {
  std::vector<std::uint8_t> shown(bytes, bytes + length);
  for (std::int32_t t : jump_targets(bytes, length)) {
    std::int32_t relative = (get_word(bytes + t) - address) & 0xFFFF;
    if (relative >= length) relative = 0;
    put_word(&shown[static_cast<std::size_t>(t)], relative);
  }
  std::int32_t line = 0;
  for (std::int32_t column = 0; column < length; ++column) {
    append_byte(text, shown[static_cast<std::size_t>(column)]);
    if (column % 16 == 15) {
      append_format(text, music_msg::line_offset, line * 16);
      ++line;
    } else if (column % 8 == 7) {
      text.push_back(' ');
    }
  }
}

}  // namespace

std::string song_text(const SongRecord& record) {
  std::string text;
  append_format(text, music_msg::song_line, record.song);
  append_format(text, music_msg::event_song_line, record.event_song);
  append_format(text, music_msg::title_line, song_title(record.song).c_str());
  text += "\n";

  append_format(text, "%s\n", music_msg::wave_header);
  text += music_msg::ruler;
  for (int k = 0; k < wave_count; ++k) {
    append_format(text, " %02X", record.wave[k]);
    if (k == 7) text.push_back(' ');
  }
  text += "\n\n";

  append_format(text, "%s\n", music_msg::drum_header);
  for (int k = 0; k < drum_count; ++k) {
    append_format(text, music_msg::drum_line, record.drum[k][0], record.drum[k][1],
                  record.drum[k][2], music_msg::note_names[k]);
  }
  text += "\n";

  // The channels' bytes follow each other in the data in ascending address order; lengths
  // from inconsistent addresses are bounded by the data that is there.
  const ChannelOrder order = sort_channels(record.channel_address, record.end);
  const std::int32_t available = static_cast<std::int32_t>(record.data.size());
  std::int32_t cursor = 0;
  for (int p = 0; p < channel_count; ++p) {
    const int k = order.channel[p];
    std::int32_t length = order.length[p] < 0 ? 0 : order.length[p];
    if (length > available - cursor) length = available - cursor;
    append_format(text, "%s%d\n", music_msg::channel_header, k + 1);
    if (length > 0) {
      text += music_msg::ruler;
      append_channel(text, record.data.data() + cursor, length, record.channel_address[k]);
      text += "\n";
    }
    text += "\n";
    cursor += length;
  }
  return text;
}

void write_song_text(JobContext& job, const SongRecord& record, const std::string& folder) {
  const std::string path = song_file_path(folder, record.song);
  CsvWriter out;
  out.set_utf8(job.utf8_files);
  if (!out.open(path)) {
    job.report.add(msg::cannot_open, path);
    return;
  }
  out.write(song_text(record));
  if (!out.close()) job.report.add(msg::cannot_write, path);
}
