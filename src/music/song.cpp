#include "music/song.hpp"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "music/music_messages.hpp"

namespace {

const SongRegion regions[] = {
    // songs        pointers  waves     drums     blocks from  up to     pointer base
    {0x00, 0x5C, 0x60FC6, 0x610DA, 0x61C5A, 0xBA876, 0xD0000, 0xC00000},
    {0x5C, 0x7C, 0x5E1960, 0x5E19C0, 0x5E1440, 0x5E1DC0, 0x5FFDC0, 0},
};

struct ArgumentCount {
  std::uint8_t command;
  std::uint8_t count;
};

// Every command not listed has no argument bytes.
const ArgumentCount argument_counts[] = {
    {0xC4, 1}, {0xC5, 2}, {0xC6, 1}, {0xC7, 1}, {0xC8, 2}, {0xC9, 3}, {0xCB, 3}, {0xCD, 2},
    {0xCF, 1}, {0xD6, 1}, {0xD9, 1}, {0xDA, 1}, {0xDB, 1}, {0xDC, 1}, {0xDD, 1}, {0xDE, 1},
    {0xDF, 1}, {0xE2, 1}, {0xE8, 1}, {0xF0, 1}, {0xF1, 2}, {0xF2, 1}, {0xF3, 2}, {0xF4, 1},
    {0xF5, 3}, {0xF6, 2}, {0xF7, 1}, {0xF8, 1}, {0xF9, 1}, {0xFA, 3}, {0xFD, 2},
};

// The commands that carry a 16-bit target, and where it lies after the command byte.
int target_offset(std::uint8_t command) {
  if (command == 0xF5) return 2;
  if (command == 0xF6) return 1;
  return 0;
}

// Calls visit(rom byte, bit kind, mask, field) for every field of the group, in ROM order.
template <class Visit>
void visit_group(SongRecord& r, SongGroup group, Visit visit) {
  switch (group) {
    case SongGroup::pointer:
      visit(0, word_field, 0xFFFF, r.pointer_word);
      visit(2, byte_field, 0xFF, r.pointer_bank);
      break;
    case SongGroup::wave:
      for (int k = 0; k < wave_count; ++k) visit(2 * k, word_field, 0xFFFF, r.wave[k]);
      break;
    case SongGroup::header:
      visit(0, word_field, 0xFFFF, r.block_length);
      visit(2, word_field, 0xFFFF, r.start);
      visit(4, word_field, 0xFFFF, r.end);
      for (int k = 0; k < channel_count; ++k)
        visit(6 + 2 * k, word_field, 0xFFFF, r.channel_address[k]);
      for (int k = 0; k < channel_count; ++k)
        visit(22 + 2 * k, word_field, 0xFFFF, r.second_address[k]);
      break;
    case SongGroup::drum:
      for (int k = 0; k < drum_count; ++k) {
        for (int m = 0; m < 3; ++m) visit(3 * k + m, byte_field, 0xFF, r.drum[k][m]);
      }
      break;
  }
}

}  // namespace

const SongRegion& base_region() { return regions[0]; }
const SongRegion& extended_region() { return regions[1]; }
const SongRegion& song_region(int song) { return song < base_song_count ? regions[0] : regions[1]; }

std::uint32_t region_begin(const SongRegion& region) {
  return std::min({region.pointer_table, region.wave_table, region.drum_table, region.start});
}

ExtendedMusic extended_music(const RomImage& rom) {
  if (rom_version_code(rom) != 1) return ExtendedMusic::absent;
  return rom_end(rom) < extended_region().limit ? ExtendedMusic::cut : ExtendedMusic::whole;
}

void report_cut_music(const RomImage& rom, Report& report) {
  if (extended_music(rom) != ExtendedMusic::cut) return;
  const SongRegion& r = extended_region();
  report.add(msg::music_area_cut, static_cast<unsigned>(rom_end(rom)), static_cast<unsigned>(region_begin(r)),
             static_cast<unsigned>(r.limit), r.first_song, r.end_song - 1);
}

int song_count(const RomImage& rom) {
  return extended_music(rom) == ExtendedMusic::whole ? extended_song_count : base_song_count;
}

std::uint32_t pointer_entry_of(int song) {
  const SongRegion& r = song_region(song);
  return r.pointer_table + static_cast<std::uint32_t>(pointer_entry_size * (song - r.first_song));
}

std::uint32_t wave_entry_of(int song) {
  const SongRegion& r = song_region(song);
  return r.wave_table + static_cast<std::uint32_t>(wave_entry_size * (song - r.first_song));
}

std::uint32_t drum_entry_of(int song) {
  const SongRegion& r = song_region(song);
  return r.drum_table + static_cast<std::uint32_t>(drum_entry_size * (song - r.first_song));
}

void song_record_map(std::uint8_t* rom_bytes, SongRecord& record, Direction direction,
                     SongGroup group) {
  visit_group(record, group, [&](int rom_byte, int bits, std::uint32_t mask, std::int32_t& field) {
    transfer_bits(rom_bytes + rom_byte, direction, bits, field, mask);
  });
}

void fix_song_wrap(SongRecord& record) {
  if (record.end - record.start < 0) {
    // Past the boundary the addresses start again near 0; those below the start address lie
    // after the boundary, whatever the length of the part before it.
    record.end += 0x10000;
    for (int k = 0; k < channel_count; ++k) {
      if (record.channel_address[k] < record.start) record.channel_address[k] += 0x10000;
      if (record.second_address[k] < record.start) record.second_address[k] += 0x10000;
    }
  }
  record.data_length = record.end - record.start;
}

int argument_count(std::uint8_t command) {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (const ArgumentCount& a : argument_counts) t[a.command] = a.count;
    return t;
  }();
  return table[command];
}

std::string song_title(int song) {
  char text[32];
  if (song < base_song_count) {
    std::snprintf(text, sizeof text, music_msg::base_title, song);
  } else {
    std::snprintf(text, sizeof text, music_msg::added_title, song - base_song_count);
  }
  return text;
}

int event_song_number(const std::uint8_t* table, int song) {
  for (std::size_t j = 0; j < event_song_entries; ++j) {
    if (table[j] == song) return static_cast<int>(j);
  }
  return 0;
}

ChannelOrder sort_channels(const std::array<std::int32_t, channel_count>& address,
                           std::int32_t end) {
  ChannelOrder order;
  std::array<std::int32_t, channel_count> sorted = address;
  for (int k = 0; k < channel_count; ++k) order.channel[k] = k;
  // Selection sort: which of several channels with one address comes first is part of the
  // file format, so the exact procedure matters.
  for (int p = 0; p < channel_count; ++p) {
    int q = p;
    for (int i = p + 1; i < channel_count; ++i) {
      if (sorted[i] < sorted[q]) q = i;
    }
    if (q != p) {
      std::swap(sorted[p], sorted[q]);
      std::swap(order.channel[p], order.channel[q]);
    }
  }
  for (int p = 0; p < channel_count; ++p) {
    const std::int32_t next = p + 1 < channel_count ? sorted[p + 1] : end;
    order.length[p] = next - sorted[p];
  }
  return order;
}

std::vector<ChannelSpan> channel_spans(const SongRecord& record) {
  const ChannelOrder order = sort_channels(record.channel_address, record.end);
  const std::int32_t available = static_cast<std::int32_t>(record.data.size());
  std::array<std::int32_t, channel_count> offset{};
  std::int32_t lead = available;
  for (int p = 0; p < channel_count; ++p) {
    offset[p] = record.channel_address[order.channel[p]] - record.start;
    if (offset[p] >= 0 && offset[p] < available) lead = std::min(lead, offset[p]);
  }
  std::vector<ChannelSpan> spans;
  spans.push_back({lead_channel, record.start, lead, 0});
  for (int p = 0; p < channel_count; ++p) {
    const int k = order.channel[p];
    if (offset[p] < 0 || offset[p] >= available) {
      spans.push_back({k, record.channel_address[k], 0, available});
      continue;
    }
    // Ascending: a next address outside the data lies past its end.
    const std::int32_t next = p + 1 < channel_count ? std::min(offset[p + 1], available) : available;
    spans.push_back({k, record.channel_address[k], next - offset[p], offset[p]});
  }
  return spans;
}

SongRecord rebuilt_header(const SongRecord& record, std::uint32_t offset) {
  SongRecord out;
  out.start = static_cast<std::int32_t>(offset + song_header_size);
  out.data_length = static_cast<std::int32_t>(record.data.size());
  out.end = out.start + out.data_length;
  out.block_length = out.data_length + block_length_extra;
  // A channel without bytes points at the end, as the rebuild places it.
  for (const ChannelSpan& span : channel_spans(record)) {
    if (span.channel == lead_channel) continue;
    out.channel_address[span.channel] = span.length > 0 ? out.start + span.offset : out.end;
  }
  out.second_address = out.channel_address;
  return out;
}

std::vector<std::int32_t> jump_targets(const std::uint8_t* bytes, std::int32_t length) {
  std::vector<std::int32_t> targets;
  std::int32_t j = 0;
  while (j < length) {
    const std::uint8_t command = bytes[j];
    const int at = target_offset(command);
    if (at != 0 && j + at + 1 < length) targets.push_back(j + at);
    j += 1 + argument_count(command);
  }
  return targets;
}

std::string song_file_path(const std::string& folder, int song) {
  const int n = std::snprintf(nullptr, 0, music_msg::file_name, folder.c_str(), song);
  std::string path(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(path.data(), path.size(), music_msg::file_name, folder.c_str(), song);
  path.resize(static_cast<std::size_t>(n));
  return path;
}
