#include <cstdint>
#include <utility>
#include <vector>

#include "music/song.hpp"
#include "sample_rom.hpp"

// Songs in both regions, packed back to back as a rebuild lays them, with jumps inside and
// outside their channels, empty channels and a song without any channel data. The blocks
// are large enough that some cross a 0x10000 boundary in each region.
namespace {

// The music keeps its own generator so that its songs do not change when other areas do.
struct Random {
  std::uint32_t state = 0x6D757370u;
  std::uint32_t next(std::uint32_t bound) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state % bound;
  }
};

struct Region {
  int first_song, end_song;
  std::uint32_t pointer_table, wave_table, drum_table, start;
  std::uint8_t bank_mark;
  std::uint32_t min_channel, max_channel;  // bytes of a channel with data
  std::uint32_t min_channels;              // channels with data, at least
};

const Region regions[] = {
    {0x00, 0x5C, 0x60FC6, 0x610DA, 0x61C5A, 0xBA876, 0xC0, 16, 110, 0},
    {0x5C, 0x7C, 0x5E1960, 0x5E19C0, 0x5E1440, 0x5E1DC0, 0x00, 200, 460, 5},
};

// Songs that have no channel data at all.
bool silent(int song) { return song == 0x10 || song == 0x61; }

struct Jump {
  std::size_t target_at;  // offset of the target's low byte in the channel
  bool inside;
};

// One channel of whole commands, `length` bytes or a little less; jump targets are filled in
// once the channel's place is known.
std::vector<std::uint8_t> make_channel(Random& rng, std::uint32_t length,
                                       std::vector<Jump>& jumps) {
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < length) {
    const std::uint32_t room = length - static_cast<std::uint32_t>(bytes.size());
    const std::uint32_t kind = rng.next(20);
    std::uint8_t command;
    if (kind < 2) {
      command = rng.next(2) ? 0xF5 : 0xF6;
    } else if (kind < 8) {
      command = static_cast<std::uint8_t>(0xC4 + rng.next(0x3C));
    } else {
      command = static_cast<std::uint8_t>(rng.next(0xC4));
    }
    if (argument_count(command) + 1u > room) command = static_cast<std::uint8_t>(rng.next(0xC4));
    bytes.push_back(command);
    if (command == 0xF5 || command == 0xF6) {
      if (command == 0xF5) bytes.push_back(static_cast<std::uint8_t>(rng.next(0x100)));
      jumps.push_back({bytes.size(), rng.next(5) != 0});
      bytes.push_back(0);
      bytes.push_back(0);
    } else {
      for (int k = 0; k < argument_count(command); ++k) {
        bytes.push_back(static_cast<std::uint8_t>(rng.next(0x100)));
      }
    }
  }
  return bytes;
}

std::uint32_t place_song(SampleRom& rom, Random& rng, const Region& region, int song,
                         std::uint32_t offset) {
  const std::uint32_t data_at = offset + 38;
  std::vector<std::uint8_t> data;
  std::uint16_t channel_address[8];
  std::vector<std::uint32_t> channel_start(8, 0);
  // Which channel number each place in the data belongs to; the rest stay empty.
  int order[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  for (int k = 7; k > 0; --k) {
    const int other = static_cast<int>(rng.next(static_cast<std::uint32_t>(k + 1)));
    std::swap(order[k], order[other]);
  }
  const std::uint32_t used =
      silent(song) ? 0 : region.min_channels + rng.next(9 - region.min_channels);
  std::vector<std::pair<std::uint32_t, std::vector<Jump>>> channel_jumps;
  for (std::uint32_t p = 0; p < used; ++p) {
    std::vector<Jump> jumps;
    const std::uint32_t begin = static_cast<std::uint32_t>(data.size());
    const std::vector<std::uint8_t> bytes = make_channel(
        rng, region.min_channel + rng.next(region.max_channel - region.min_channel + 1), jumps);
    data.insert(data.end(), bytes.begin(), bytes.end());
    channel_start[static_cast<std::size_t>(order[p])] = begin;
    channel_jumps.push_back({begin, std::move(jumps)});
  }
  const std::uint32_t n = static_cast<std::uint32_t>(data.size());
  for (int k = 0; k < 8; ++k) channel_address[k] = static_cast<std::uint16_t>(data_at + n);
  for (std::uint32_t p = 0; p < used; ++p) {
    channel_address[order[p]] =
        static_cast<std::uint16_t>(data_at + channel_start[static_cast<std::size_t>(order[p])]);
  }

  // Targets inside their channel, or in the next channel (at its start, or, as a phrase that
  // channels share, inside it), or somewhere else. Which of the next channel's bytes it is
  // takes no number from the generator, so that the rest of the image stays as it was.
  const auto channel_end = [&](std::uint32_t p) {
    return p + 1 < used ? channel_jumps[p + 1].first : n;
  };
  for (std::uint32_t p = 0; p < used; ++p) {
    const std::uint32_t begin = channel_jumps[p].first;
    const std::uint32_t end = channel_end(p);
    for (const Jump& jump : channel_jumps[p].second) {
      std::uint32_t target;
      if (jump.inside) {
        target = data_at + begin + rng.next(end - begin);
      } else if (rng.next(2) && used > 1) {
        const std::uint32_t next = (p + 1) % used;
        const std::uint32_t next_begin = channel_jumps[next].first;
        const std::uint32_t at = static_cast<std::uint32_t>(jump.target_at);
        const std::uint32_t into = at % 2 ? at % (channel_end(next) - next_begin) : 0;
        target = data_at + next_begin + into;
      } else {
        target = rng.next(0x10000);
      }
      data[begin + jump.target_at] = static_cast<std::uint8_t>(target);
      data[begin + jump.target_at + 1] = static_cast<std::uint8_t>(target >> 8);
    }
  }

  rom.put16(offset, static_cast<std::uint16_t>(n + 36));
  rom.put16(offset + 2, static_cast<std::uint16_t>(data_at));
  rom.put16(offset + 4, static_cast<std::uint16_t>(data_at + n));
  for (int k = 0; k < 8; ++k) {
    rom.put16(offset + 6 + 2 * static_cast<std::uint32_t>(k), channel_address[k]);
    rom.put16(offset + 22 + 2 * static_cast<std::uint32_t>(k), channel_address[k]);
  }
  rom.put(data_at, data);

  const std::uint32_t index = static_cast<std::uint32_t>(song - region.first_song);
  rom.put(region.pointer_table + 3 * index,
          {static_cast<std::uint8_t>(offset), static_cast<std::uint8_t>(offset >> 8),
           static_cast<std::uint8_t>((offset >> 16) | region.bank_mark)});
  for (std::uint32_t k = 0; k < 16; ++k) {
    rom.put16(region.wave_table + 32 * index + 2 * k, static_cast<std::uint16_t>(rng.next(0x100)));
  }
  for (std::uint32_t k = 0; k < 36; ++k) {
    rom.put8(region.drum_table + 36 * index + k, static_cast<std::uint8_t>(rng.next(0x100)));
  }
  return 38 + n;
}

}  // namespace

void fill_music(SampleRom& rom) {
  Random rng;
  for (std::uint32_t j = 0; j < 128; ++j) {
    // Some songs are named by no event.
    rom.put8(0x62A2A + j, static_cast<std::uint8_t>(rng.next(0x70)));
  }
  for (const Region& region : regions) {
    std::uint32_t offset = region.start;
    for (int song = region.first_song; song < region.end_song; ++song) {
      offset += place_song(rom, rng, region, song, offset);
    }
  }
}
