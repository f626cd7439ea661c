#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "music/music_messages.hpp"
#include "core/hex.hpp"
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
  text.push_back(' ');
  text.push_back(hex_digits[value >> 4]);
  text.push_back(hex_digits[value & 0xF]);
}

// A target outside its own channel keeps the byte it leads to: named by channel and offset,
// so that a rebuild that moves the channels still reaches it. A target in no channel (a phrase
// of another song, or any place the engine knows) cannot follow any move this text makes, so
// its value is kept as it is. It is shown, not reported: nothing is altered.
std::string named_target(std::int32_t target, const std::vector<ChannelSpan>& spans) {
  std::string form;
  for (const ChannelSpan& span : spans) {
    const std::int32_t offset = (target - span.address) & 0xFFFF;
    if (offset < span.length) {
      append_format(form, music_msg::channel_target, text_channel_number(span.channel), offset);
      return form;
    }
  }
  append_format(form, music_msg::kept_target, target & 0xFFFF);
  return form;
}

// Whether a cell from column `first` to `last` holds the last column of a group of `step`.
bool covers(std::int32_t first, std::int32_t last, std::int32_t step) {
  return first % step == step - 1 || last % step == step - 1;
}

// A channel's bytes, sixteen to a line, each line's offset after it; jump targets inside the
// channel are shown relative to its start, the others named. A named target stands for two
// bytes, so a line it runs past ends after it and the next starts one byte later.
void append_channel(std::string& text, const std::uint8_t* bytes, const ChannelSpan& own,
                    const std::vector<ChannelSpan>& spans) {
  const std::int32_t length = own.length;
  std::vector<std::uint8_t> shown(bytes, bytes + length);
  std::vector<std::pair<std::int32_t, std::string>> named;
  for (std::int32_t t : jump_targets(bytes, length)) {
    const std::int32_t target = get_word(bytes + t);
    const std::int32_t relative = (target - own.address) & 0xFFFF;
    if (relative < length) {
      put_word(&shown[static_cast<std::size_t>(t)], relative);
    } else {
      named.emplace_back(t, named_target(target, spans));
    }
  }
  std::size_t next_named = 0;
  std::int32_t line_start = 0;
  std::int32_t column = 0;
  while (column < length) {
    const std::int32_t first = column;
    std::int32_t last = column;
    if (next_named < named.size() && named[next_named].first == column) {
      text += named[next_named++].second;
      ++last;
    } else {
      append_byte(text, shown[static_cast<std::size_t>(column)]);
    }
    column = last + 1;
    if (covers(first, last, 16)) {
      append_format(text, music_msg::line_offset, line_start);
      line_start = column;
    } else if (covers(first, last, 8)) {
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

  const std::vector<ChannelSpan> spans = channel_spans(record);
  for (const ChannelSpan& span : spans) {
    const bool lead = span.channel == lead_channel;
    if (lead && span.length == 0) continue;
    append_format(text, "%s%d%s", music_msg::channel_header, text_channel_number(span.channel),
                  lead ? music_msg::lead_note : "\n");
    if (span.length > 0) {
      text += music_msg::ruler;
      append_channel(text, record.data.data() + span.offset, span, spans);
      text += "\n";
    }
    text += "\n";
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
