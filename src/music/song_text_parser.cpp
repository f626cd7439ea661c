#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/report.hpp"
#include "music/music_messages.hpp"
#include "music/song_text.hpp"

#include "core/hex.hpp"
#include "core/sjis.hpp"
#include "table/csv_file.hpp"

namespace {

// Whether the whole text is `min` to `max` hex digits, and its value.
bool read_hex(std::string_view text, std::size_t min, std::size_t max, std::int32_t& value) {
  if (text.size() < min || text.size() > max) return false;
  value = 0;
  for (char c : text) {
    const int digit = hex_value(c);
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  return true;
}

bool starts_with(const std::string& line, const char* prefix) {
  return line.compare(0, std::strlen(prefix), prefix) == 0;
}

// Sections: none before the first header, skipped under a header with an unknown channel
// number, a part (0 the lead, 1-8 the channels), or the two table sections.
constexpr int no_section = -1;
constexpr int skipped_section = -2;
constexpr int lead_part = 0;
constexpr int part_count = channel_count + 1;
constexpr int wave_section = part_count;
constexpr int drum_section = part_count + 1;
constexpr std::size_t wave_digits_max = 4;  // wave entries are words

struct Word {
  std::string text;
  int column;  // of its first character, from 1
};

// The words of a line before its comment, between blanks (space, tab, full-width space).
// Columns count characters, a double-byte one as one.
std::vector<Word> words_of(const std::string& line) {
  std::vector<Word> words;
  int column = 0;
  std::size_t start = std::string::npos;  // of the word being read
  std::size_t at = 0;
  for (; at < line.size() && line[at] != ';';) {
    const std::size_t length = sjis::char_length(line, at);
    ++column;
    const bool blank = line[at] == ' ' || line[at] == '\t' ||
                       (length == 2 && line[at] == '\x81' && line[at + 1] == '\x40');
    if (blank && start != std::string::npos) {
      words.back().text.assign(line, start, at - start);
      start = std::string::npos;
    } else if (!blank && start == std::string::npos) {
      words.push_back({std::string(), column});
      start = at;
    }
    at += length;
  }
  if (start != std::string::npos) words.back().text.assign(line, start, at - start);
  return words;
}

struct PartTarget {
  int part;
  NamedTarget target;  // `at` within its part's bytes
};

struct ParseState {
  int section = no_section;
  int line = 0;
  std::array<std::vector<std::uint8_t>, part_count> bytes;
  std::array<std::vector<int>, part_count> lines;  // the line of each byte
  std::vector<int> order;  // the parts in the order of their first header
  std::vector<PartTarget> targets;
  bool labelled = false;  // the song number's line came before the first header
  bool wave_seen = false;
  bool drum_seen = false;
  std::vector<std::int32_t> wave;  // the open Wave section's values
  std::size_t wave_values = 0;     // of the last Wave section, once closed
  int wave_line = 0;               // of the last Wave header
  int drum_rows = 0;               // of the last Drum section
  int drum_line = 0;               // of the last Drum header
  SongTextRead read;
};

bool in_part(const ParseState& state) { return state.section >= 0 && state.section < part_count; }

template <class M, class... Args>
void report_at(Report* report, int line_number, const M& message, const Args&... args) {
  if (!report) return;
  Place here = report->place();
  here.line = line_number;
  PlaceScope scope(report, here);
  report->add(message, args...);
}

void report_word(Report* report, int line_number, const Word& word) {
  report_at(report, line_number, msg::music_bad_token, word.column, word.text);
}

// A Wave row is taken when its section ends, and only whole.
void close_section(ParseState& state, SongRecord& record) {
  if (state.section != wave_section) return;
  state.wave_values = state.wave.size();
  state.read.wave = state.wave_values == wave_count;
  if (state.read.wave) std::copy(state.wave.begin(), state.wave.end(), record.wave.begin());
}

// Only the last Wave and Drum sections count, so they alone are named: a Wave row of the wrong
// length keeps the image's entries whole, a Drum section that ends early the image's later rows.
void report_tables(const ParseState& state, Report* report) {
  if (state.wave_seen && !state.read.wave) {
    report_at(report, state.wave_line, msg::music_wave_count, static_cast<int>(state.wave_values),
              wave_count);
  }
  if (state.drum_seen && state.drum_rows < drum_count) {
    report_at(report, state.drum_line, msg::music_drum_missing_rows, state.drum_rows, drum_count);
  }
}

// The section a header word opens; false when the word is no header. A part whose header
// comes again goes on where it left off, so every byte the text holds stays in the song; a
// table section that comes again is read in place of the earlier one.
bool header_section(const std::string& word, int line_number, int& section, Report* report) {
  if (word == music_msg::wave_header) {
    section = wave_section;
  } else if (word == music_msg::drum_header) {
    section = drum_section;
  } else if (starts_with(word, music_msg::channel_header)) {
    const std::size_t at = std::strlen(music_msg::channel_header);
    if (word.size() == at + 1 && word[at] >= '0' && word[at] <= '8') {
      section = word[at] - '0';
    } else {
      if (report) report->add(msg::music_unknown_channel, line_number);
      section = skipped_section;
    }
  } else {
    return false;
  }
  return true;
}

void open_section(int section, ParseState& state, SongRecord& record, Report* report) {
  close_section(state, record);
  state.section = section;
  if (section == wave_section || section == drum_section) {
    const bool wave = section == wave_section;
    bool& seen = wave ? state.wave_seen : state.drum_seen;
    if (seen) {
      report_at(report, state.line, msg::music_table_repeated,
                wave ? music_msg::wave_header : music_msg::drum_header);
    }
    seen = true;
    if (wave) {
      state.wave.clear();
      state.wave_line = state.line;
    } else {
      state.drum_rows = 0;
      state.drum_line = state.line;
      state.read.drum.fill(false);
    }
  } else if (in_part(state)) {
    if (std::find(state.order.begin(), state.order.end(), section) == state.order.end()) {
      state.order.push_back(section);
    } else {
      report_at(report, state.line, msg::music_channel_repeated, section);
    }
  }
}

void take_wave(const std::vector<Word>& words, ParseState& state, Report* report) {
  for (const Word& word : words) {
    std::int32_t value;
    if (read_hex(word.text, 2, wave_digits_max, value)) {
      state.wave.push_back(value);
    } else {
      report_word(report, state.line, word);
    }
  }
}

// One line, one drum row: three values, or the image's row stays.
void take_drum_row(const std::vector<Word>& words, ParseState& state, SongRecord& record,
                   Report* report) {
  std::vector<std::int32_t> values;
  for (const Word& word : words) {
    std::int32_t value;
    if (read_hex(word.text, 2, 2, value)) {
      values.push_back(value);
    } else {
      report_word(report, state.line, word);
    }
  }
  const int row = state.drum_rows++;
  if (row >= drum_count) {
    report_at(report, state.line, msg::music_drum_extra_row, drum_count);
  } else if (values.size() != 3) {
    report_at(report, state.line, msg::music_drum_row, row + 1, static_cast<int>(values.size()));
  } else {
    std::copy(values.begin(), values.end(), record.drum[row].begin());
    state.read.drum[row] = true;
  }
}

bool starts_named_target(const std::string& word) {
  if (word[0] == '$') return true;
  return word.size() > 1 && (word[0] == 'C' || word[0] == 'c') && (word[1] == 'h' || word[1] == 'H');
}

// "ChN+XXXX" or "$XXXX", with exactly four digits, as the dump writes them.
bool read_named_target(const std::string& word, NamedTarget& target) {
  if (word[0] == '$') return read_hex(std::string_view(word).substr(1), 4, 4, target.value);
  if (word.size() != 8 || word[2] < '0' || word[2] > '8' || word[3] != '+') return false;
  target.channel = word[2] == '0' ? lead_channel : word[2] - '1';
  return read_hex(std::string_view(word).substr(4), 4, 4, target.value);
}

void put_byte(ParseState& state, std::int32_t value) {
  state.bytes[state.section].push_back(static_cast<std::uint8_t>(value));
  state.lines[state.section].push_back(state.line);
}

// A named target takes two bytes of its part: its value for now, which the build replaces
// once the channels have their addresses.
void take_part_bytes(const std::vector<Word>& words, ParseState& state, Report* report) {
  for (const Word& word : words) {
    std::int32_t value;
    if (read_hex(word.text, 2, 2, value)) {
      put_byte(state, value);
    } else if (starts_named_target(word.text)) {
      NamedTarget target;
      target.at = static_cast<std::int32_t>(state.bytes[state.section].size());
      target.line = state.line;
      target.written = word.text;
      if (!read_named_target(word.text, target)) {
        report_at(report, state.line, msg::music_bad_target, word.column, word.text);
        continue;
      }
      put_byte(state, target.value);
      put_byte(state, target.value >> 8);
      state.targets.push_back({state.section, std::move(target)});
    } else {
      report_word(report, state.line, word);
    }
  }
}

void take_line(const std::string& line, ParseState& state, SongRecord& record, Report* report) {
  if (state.section == no_section &&
      (starts_with(line, music_msg::song_label) || starts_with(line, music_msg::event_song_label) ||
       starts_with(line, music_msg::title_label))) {
    state.labelled = state.labelled || starts_with(line, music_msg::song_label);
    return;
  }
  std::vector<Word> words = words_of(line);
  int section;
  if (!words.empty() && header_section(words.front().text, state.line, section, report)) {
    open_section(section, state, record, report);
    words.erase(words.begin());
  }
  if (words.empty()) return;
  if (state.section == no_section) {
    report_at(report, state.line, msg::music_line_outside);
  } else if (state.section == wave_section) {
    take_wave(words, state, report);
  } else if (state.section == drum_section) {
    take_drum_row(words, state, record, report);
  } else if (in_part(state)) {
    take_part_bytes(words, state, report);
  }
}

// The data: the lead, then the channels in the order of their first header.
void lay_out(ParseState& state, SongRecord& record) {
  std::array<std::int32_t, part_count> base{};
  std::vector<std::uint8_t> data;
  std::vector<int> lines;
  std::vector<int> parts = {lead_part};
  for (int part : state.order) {
    if (part != lead_part) parts.push_back(part);
  }
  for (int part : parts) {
    const std::vector<std::uint8_t>& bytes = state.bytes[part];
    base[part] = static_cast<std::int32_t>(data.size());
    if (part != lead_part) {
      record.channel_address[part - 1] = bytes.empty() ? -1 : base[part];
      record.second_address[part - 1] = record.channel_address[part - 1];
    }
    data.insert(data.end(), bytes.begin(), bytes.end());
    lines.insert(lines.end(), state.lines[part].begin(), state.lines[part].end());
  }
  for (PartTarget& t : state.targets) {
    t.target.at += base[t.part];
    record.named_targets.push_back(std::move(t.target));
  }
  record.data = std::move(data);
  record.data_lines = std::move(lines);
  record.data_length = static_cast<std::int32_t>(record.data.size());
}

// A text without one of these is empty or cut short; the first it lacks, in file order.
std::string first_missing(const ParseState& state) {
  if (!state.labelled) return music_msg::song_label;
  if (!state.wave_seen) return music_msg::wave_header;
  if (!state.drum_seen) return music_msg::drum_header;
  for (int part = 1; part < part_count; ++part) {
    if (std::find(state.order.begin(), state.order.end(), part) == state.order.end()) {
      return music_msg::channel_header + std::to_string(part);
    }
  }
  return std::string();
}

}  // namespace

SongTextRead parse_song_text(CsvReader& file, SongRecord& record, Report* report) {
  ParseState state;
  std::string line;
  while (file.next_line(line)) {
    ++state.line;
    take_line(line, state, record, report);
  }
  close_section(state, record);
  report_tables(state, report);
  lay_out(state, record);
  state.read.missing = first_missing(state);
  return state.read;
}
