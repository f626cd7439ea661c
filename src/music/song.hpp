#pragma once
#include "core/rom_image.hpp"
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "table/bits.hpp"

class Report;

// What the dump and the rebuild share: where the songs lie, the song block, the wrap rule
// for 16-bit addresses, the command argument table and the channel order.

inline constexpr int base_song_count = 0x5C;      // songs of every image
inline constexpr int extended_song_count = 0x7C;  // songs of an image with the area above 4 MiB
inline constexpr int channel_count = 8;
inline constexpr int wave_count = 16;
inline constexpr int drum_count = 12;

inline constexpr std::uint32_t event_song_table = 0x62A2A;
inline constexpr std::size_t event_song_entries = 128;

inline constexpr std::size_t pointer_entry_size = 3;
inline constexpr std::size_t wave_entry_size = 32;
inline constexpr std::size_t drum_entry_size = 36;
inline constexpr std::size_t song_header_size = 38;
// The block length word counts the 36 header bytes after it.
inline constexpr std::int32_t block_length_extra = 36;

// A group of songs with its own tables and its own data area.
struct SongRegion {
  int first_song;
  int end_song;  // one past the last song
  std::uint32_t pointer_table;
  std::uint32_t wave_table;
  std::uint32_t drum_table;
  std::uint32_t start;         // the first block
  std::uint32_t limit;         // no block may end past this offset
  std::uint32_t pointer_base;  // a pointer minus this is the block's ROM offset
};

const SongRegion& song_region(int song);
const SongRegion& base_region();
const SongRegion& extended_region();
// Whether the image's revision has the songs above 4 MiB, and whether the file holds their
// tables and data area whole. A cut one is never read: its tables would read as zeros.
enum class ExtendedMusic { absent, whole, cut };
ExtendedMusic extended_music(const RomImage& rom);
// The lowest ROM offset of a region's tables and data area.
std::uint32_t region_begin(const SongRegion& region);
// Says so when the extended area is cut: the songs there are then neither dumped nor rebuilt.
void report_cut_music(const RomImage& rom, Report& report);
// 92, or 124 when the image holds the extended area whole.
int song_count(const RomImage& rom);

std::uint32_t pointer_entry_of(int song);
std::uint32_t wave_entry_of(int song);
std::uint32_t drum_entry_of(int song);

// The bytes of a block ahead of its lowest channel: no channel starts there, but jumps may lead
// there. A song text holds them as "Channel0", and a byte among them as "Ch0+XXXX".
inline constexpr int lead_channel = -1;
inline int text_channel_number(int channel) { return channel == lead_channel ? 0 : channel + 1; }

// A 16-bit word that a song text names as a place instead of as two bytes: a byte of a channel
// or of the lead (for a jump that leaves its own channel), or a value kept as it is (for one
// that leaves the song's data).
inline constexpr int kept_value = -2;
struct NamedTarget {
  std::int32_t at = 0;       // the word's offset in the data
  int channel = kept_value;  // 0-7, lead_channel or kept_value
  std::int32_t value = 0;    // the offset in that channel, or the kept value
  std::string written;       // the form as the text gives it, for messages
  int line = 0;
};

struct SongRecord {
  std::int32_t song = 0;
  std::int32_t pointer_word = 0;
  std::int32_t pointer_bank = 0;
  std::array<std::int32_t, wave_count> wave{};
  std::array<std::array<std::int32_t, 3>, drum_count> drum{};
  std::int32_t event_song = 0;
  std::int32_t block_length = 0;
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::array<std::int32_t, channel_count> channel_address{};
  std::array<std::int32_t, channel_count> second_address{};
  std::vector<std::uint8_t> data;
  std::int32_t data_length = 0;
  std::vector<NamedTarget> named_targets;  // from a song text only
  std::vector<int> data_lines;             // from a song text only: the line of each data byte
};

enum class SongGroup { pointer, wave, header, drum };

// Moves one group of the record from or to its ROM bytes (pointer 3, wave 32, header 38,
// drum 36 bytes). Like every field transfer it only ORs bits in: clear the target first.
void song_record_map(std::uint8_t* rom_bytes, SongRecord& record, Direction direction,
                     SongGroup group);

// Unfolds a block that crosses a 0x10000 boundary so that its addresses ascend, and sets the
// data length.
void fix_song_wrap(SongRecord& record);

// The number of argument bytes after a command byte.
int argument_count(std::uint8_t command);

std::string song_title(int song);

// The first event that plays the song, or 0 when none does.
int event_song_number(const std::uint8_t* table, int song);

// Channels in ascending order of address and the length of each, in that order. The last
// runs up to the end address; a length may be negative for inconsistent addresses.
struct ChannelOrder {
  std::array<int, channel_count> channel{};
  std::array<std::int32_t, channel_count> length{};
};
ChannelOrder sort_channels(const std::array<std::int32_t, channel_count>& address,
                           std::int32_t end);

// One channel's bytes as a song text holds them. The lead comes first, from the start of the
// data up to the lowest channel that lies in it; then the channels in ascending address order,
// each up to the next or to the end of the data. Every data byte is in exactly one span; a
// channel whose address lies outside the data has none.
struct ChannelSpan {
  int channel;           // 0-7 or lead_channel
  std::int32_t address;  // the channel's address (the start address for the lead)
  std::int32_t length;
  std::int32_t offset;   // where its bytes begin in the data
};
std::vector<ChannelSpan> channel_spans(const SongRecord& record);

// The header words a rebuild writes for the record's text when the block goes to ROM offset
// `offset`: block length, start, end and both address sets (the low 16 bits are written).
SongRecord rebuilt_header(const SongRecord& record, std::uint32_t offset);

// Offsets of the 16-bit jump targets in a command stream, each with both its bytes inside
// the stream. A command whose arguments run past the end contributes none.
std::vector<std::int32_t> jump_targets(const std::uint8_t* bytes, std::int32_t length);

// The low 16 bits of a value, little-endian, at `at`.
inline void put_word(std::uint8_t* at, std::int32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline std::int32_t get_word(const std::uint8_t* at) { return at[0] | (at[1] << 8); }

std::string song_file_path(const std::string& folder, int song);
