#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/report.hpp"
#include "music/music_messages.hpp"
#include "music/song_text.hpp"

#include "core/sjis.hpp"
#include "table/csv_file.hpp"

namespace {

int hex_digit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool starts_with(const std::string& line, const char* prefix) {
  return line.compare(0, std::strlen(prefix), prefix) == 0;
}

// Sections: -1 none, a part (0 the lead, 1-8 the channels), or the two table sections.
constexpr int no_section = -1;
constexpr int lead_part = 0;
constexpr int part_count = channel_count + 1;
constexpr int wave_section = part_count;
constexpr int drum_section = part_count + 1;

struct PartTarget {
  int part;
  NamedTarget target;  // `at` within its part's bytes
};

struct ParseState {
  int section = no_section;
  int count = 0;  // values taken in the current table section
  std::array<std::vector<std::uint8_t>, part_count> bytes;
  std::vector<int> order;  // the parts in the order of their first header
  std::vector<PartTarget> targets;
  bool wave_seen = false;
  bool drum_seen = false;
};

bool in_part(const ParseState& state) { return state.section >= 0 && state.section < part_count; }

template <class... Args>
void report_at(Report* report, int line_number, const Message& message, const Args&... args) {
  if (!report) return;
  Place here = report->place();
  here.line = line_number;
  PlaceScope scope(report, here);
  report->add(message, args...);
}

// Returns true when the line opens a section. A part whose header comes again goes on where
// it left off: every byte the text holds stays in the song, and the channels stay whole.
bool open_section(const std::string& line, int line_number, ParseState& state, Report* report) {
  int section;
  if (starts_with(line, music_msg::wave_header)) {
    section = wave_section;
  } else if (starts_with(line, music_msg::drum_header)) {
    section = drum_section;
  } else if (starts_with(line, music_msg::channel_header)) {
    const std::size_t at = std::strlen(music_msg::channel_header);
    const char number = at < line.size() ? line[at] : '\0';
    if (number >= '0' && number <= '8') {
      section = number - '0';
    } else {
      if (report) report->add(msg::music_unknown_channel, line_number);
      section = no_section;
    }
  } else {
    return false;
  }
  state.section = section;
  state.count = 0;
  if (section == wave_section || section == drum_section) {
    bool& seen = section == wave_section ? state.wave_seen : state.drum_seen;
    if (seen) {
      report_at(report, line_number, msg::music_table_repeated,
                section == wave_section ? music_msg::wave_header : music_msg::drum_header);
    }
    seen = true;
  } else if (in_part(state)) {
    if (std::find(state.order.begin(), state.order.end(), section) == state.order.end()) {
      state.order.push_back(section);
    } else {
      report_at(report, line_number, msg::music_channel_repeated, section);
    }
  }
  return true;
}

// The data: the lead, then the channels in the order of their first header.
void lay_out(ParseState& state, SongRecord& record) {
  std::array<std::int32_t, part_count> base{};
  std::vector<std::uint8_t> data;
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
  }
  for (PartTarget& t : state.targets) {
    t.target.at += base[t.part];
    record.named_targets.push_back(std::move(t.target));
  }
  record.data = std::move(data);
  record.data_length = static_cast<std::int32_t>(record.data.size());
}

void put_word_back(std::vector<std::uint8_t>& data, std::int32_t value) {
  data.push_back(static_cast<std::uint8_t>(value));
  data.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Wave entries are 16-bit words, so the text shows one above 0xFF with all its digits; every
// other value is a byte.
void take_value(std::int32_t value, ParseState& state, SongRecord& record) {
  const std::uint8_t byte = static_cast<std::uint8_t>(value);
  if (state.section == wave_section) {
    if (state.count < wave_count) record.wave[state.count] = value & 0xFFFF;
    ++state.count;
  } else if (state.section == drum_section) {
    if (state.count < drum_count * 3) record.drum[state.count / 3][state.count % 3] = byte;
    ++state.count;
  } else if (in_part(state)) {
    state.bytes[state.section].push_back(byte);
  }
}

bool is_letter_or_digit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool starts_named_target(const std::string& line, std::size_t at) {
  if (line[at] == '$') return true;
  return (line[at] == 'C' || line[at] == 'c') && at + 1 < line.size() &&
         (line[at + 1] == 'h' || line[at + 1] == 'H');
}

// At most four hex digits that fill `digits` wholly.
bool read_word(const std::string& digits, std::int32_t& value) {
  if (digits.empty() || digits.size() > 4) return false;
  value = 0;
  for (char c : digits) {
    const int digit = hex_digit(static_cast<unsigned char>(c));
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  return true;
}

// "ChN+XXXX" or "$XXXX": reads the form starting at `position`, which it leaves after it.
bool read_named_target(const std::string& line, std::size_t& position, NamedTarget& target) {
  std::size_t end = position + 1;
  while (end < line.size() && (is_letter_or_digit(line[end]) || line[end] == '+')) ++end;
  target.written = line.substr(position, end - position);
  position = end;
  const std::string& form = target.written;
  if (form[0] == '$') return read_word(form.substr(1), target.value);
  if (form.size() < 4 || form[2] < '0' || form[2] > '8' || form[3] != '+') return false;
  target.channel = form[2] == '0' ? lead_channel : form[2] - '1';
  return read_word(form.substr(4), target.value);
}

// A named target takes two bytes of its part: its value for now, which the build replaces
// once the channels have their addresses.
void take_named_target(const std::string& line, std::size_t& position, int line_number,
                       ParseState& state, Report* report) {
  std::vector<std::uint8_t>& bytes = state.bytes[state.section];
  NamedTarget target;
  target.at = static_cast<std::int32_t>(bytes.size());
  target.line = line_number;
  if (read_named_target(line, position, target)) {
    put_word_back(bytes, target.value);
    state.targets.push_back({state.section, std::move(target)});
    return;
  }
  report_at(report, line_number, msg::music_bad_target, target.written);
  put_word_back(bytes, 0);
}

}  // namespace

std::int32_t read_hex_token(const std::string& line, std::size_t& position, std::size_t limit) {
  if (limit > line.size()) limit = line.size();
  std::uint32_t value = 0;
  bool seen = false;
  while (position < limit && line[position] != '\0') {
    const unsigned char c = static_cast<unsigned char>(line[position]);
    const int digit = hex_digit(c);
    if (digit >= 0) {
      value = value * 16 + static_cast<std::uint32_t>(digit);
      seen = true;
      ++position;
      continue;
    }
    if (c == ';' || c == '\n' || c == '\r') {
      position = limit;
      break;
    }
    if (seen) break;
    // The second byte of a double-byte character may look like a digit.
    position += sjis::char_length(line, position);
    if (position > limit) position = limit;
  }
  // Only the low bits of an overlong number matter to any caller.
  return seen ? static_cast<std::int32_t>(value & 0x7FFFFFFF) : -1;
}

void parse_song_text(CsvReader& file, SongRecord& record, Report* report) {
  ParseState state;
  std::string line;
  int line_number = 0;
  while (file.next_line(line)) {
    ++line_number;
    if (open_section(line, line_number, state, report)) continue;
    // Separators are skipped a character at a time, double-byte ones whole, as
    // read_hex_token does.
    std::size_t position = 0;
    while (position < line.size()) {
      const char c = line[position];
      if (c == ';' || c == '\n' || c == '\r' || c == '\0') break;
      if (in_part(state) && starts_named_target(line, position)) {
        take_named_target(line, position, line_number, state, report);
      } else if (hex_digit(static_cast<unsigned char>(c)) >= 0) {
        take_value(read_hex_token(line, position, line.size()), state, record);
      } else {
        position += sjis::char_length(line, position);
      }
    }
  }
  lay_out(state, record);
}
