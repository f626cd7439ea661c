#include "jobs/round_trip_areas.hpp"

#include <algorithm>
#include <utility>

#include "event/event_bank.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "event/event_messages.hpp"
#include "music/music_messages.hpp"
#include "music/song.hpp"
#include "tables/registry.hpp"

namespace {

std::string text_of(const char* text) { return text ? text : ""; }

void add(std::vector<RomArea>& areas, std::uint32_t begin, std::uint32_t end, const RomArea& like) {
  if (end <= begin) return;
  RomArea area = like;
  area.begin = begin;
  area.end = end;
  areas.push_back(std::move(area));
}

// The bytes every row of a section reads: its sources, its names and its packed area with the
// pointers to it.
void add_section(std::vector<RomArea>& areas, const Section& section, const RomArea& like) {
  const std::uint32_t rows = static_cast<std::uint32_t>(std::max(section.rows, 0));
  const std::uint32_t filled = static_cast<std::uint32_t>(std::max(data_rows(section), 0));
  for (const RomSource& source : section.sources) {
    if (source.kind == SourceKind::bit_per_index) {
      add(areas, source.rom_offset, source.rom_offset + source.size, like);
      continue;
    }
    if (filled == 0) continue;
    const std::uint32_t first =
        source.index == RowIndex::id ? static_cast<std::uint32_t>(section.first_id) : 0;
    const std::uint32_t begin = source.rom_offset + source.stride * first;
    add(areas, begin, begin + source.stride * (filled - 1) + source.size, like);
  }
  if (section.name.size > 0) {
    const std::uint32_t begin =
        section.name.rom_offset + section.name.size * static_cast<std::uint32_t>(section.first_id);
    add(areas, begin, begin + section.name.size * rows, like);
  }
  if (section.area.size > 0) {
    add(areas, section.area.rom_offset, section.area.rom_offset + section.area.size, like);
    if (section.area.pointer_table != 0) {
      // One pointer more than rows: the last ends the last row.
      add(areas, section.area.pointer_table, section.area.pointer_table + 2 * (rows + 1), like);
    }
  }
}

// How the music's messages name a song: its number up to the colon of the progress line.
RomArea song_area(int song) {
  const std::string file = song_file_path(std::string(), song);
  std::string key = Report::format(msg::music_song_progress.text, song, "");
  if (!key.empty() && key.back() == ':') key.pop_back();
  return RomArea{0, 0, file + " " + song_title(song), {file, key}};
}

// A section is called by its file and title; untitled sections of one file are its groups,
// named as the room report names them.
RomArea section_area(const TableDescription& table, std::size_t i) {
  const std::string file = text_of(table.file_name);
  const char* title = table.sections[i].title;
  if (title && *title) return RomArea{0, 0, file + " " + title, {file, text_of(table.name)}};
  if (table.sections.size() == 1) return RomArea{0, 0, file, {file, text_of(table.name)}};
  const std::string group = Report::format(msg::string_group.text, file.c_str(), static_cast<int>(i));
  return RomArea{0, 0, group, {group, text_of(table.name) + "のグループ" + std::to_string(i)}};
}

// A song's entries in its region's tables, and its block: from its start to the next block's
// start or the region's limit.
void add_region(std::vector<RomArea>& areas, const RomImage& rom, const SongRegion& region) {
  std::vector<std::pair<std::uint32_t, int>> blocks;
  for (int song = region.first_song; song < region.end_song; ++song) {
    const RomArea like = song_area(song);
    add(areas, pointer_entry_of(song), pointer_entry_of(song) + pointer_entry_size, like);
    add(areas, wave_entry_of(song), wave_entry_of(song) + wave_entry_size, like);
    add(areas, drum_entry_of(song), drum_entry_of(song) + drum_entry_size, like);
    std::uint8_t pointer[pointer_entry_size] = {};
    if (rom_read(rom, pointer, pointer_entry_of(song), sizeof pointer) != sizeof pointer) continue;
    const std::uint32_t value = pointer[0] | pointer[1] << 8 | static_cast<std::uint32_t>(pointer[2]) << 16;
    const std::uint32_t start = value - region.pointer_base;
    if (value >= region.pointer_base && start >= region.start && start < region.limit) {
      blocks.emplace_back(start, song);
    }
  }
  std::sort(blocks.begin(), blocks.end());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const int song = blocks[i].second;
    const std::uint32_t end = i + 1 < blocks.size() ? blocks[i + 1].first : region.limit;
    add(areas, blocks[i].first, end, song_area(song));
  }
}

}  // namespace

std::vector<RomArea> rom_areas(const RomImage& rom) {
  std::vector<RomArea> areas;
  for (const RegisteredTable& table : registered_tables()) {
    const TableDescription& d = *table.description;
    for (std::size_t i = 0; i < d.sections.size(); ++i) add_section(areas, d.sections[i], section_area(d, i));
  }
  for (int b = 0; b < event_bank_count; ++b) {
    const EventBankArea& bank = event_bank_area(b);
    const std::string file = event_file_path(std::string(), b);
    const std::string name = event_msg::name + std::to_string(b + 1);
    add(areas, bank.base, bank.base + event_text_start + bank.text_size,
        RomArea{0, 0, file, {file, name}});
  }
  add_region(areas, rom, base_region());
  if (extended_music(rom) == ExtendedMusic::whole) add_region(areas, rom, extended_region());
  return areas;
}
