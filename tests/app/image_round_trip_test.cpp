// The whole round trip as a property: an extract with the music and a build from its files give
// back the input image, byte for byte when its contents are valid, and otherwise changed only
// where a warning or an error of either job says so.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/report.hpp"
#include "core/snes_header.hpp"
#include "test_support.hpp"

namespace {

using Image = std::vector<std::uint8_t>;

struct RoundTrip {
  Image output;
  Report extracted;
  Report built;
  int problems() const {
    return extracted.errors() + extracted.warnings() + built.errors() + built.warnings();
  }
};

RoundTrip round_trip(const Image& input) {
  TempDir dir;
  write_bytes(dir.path("in.smc"), input);
  RoundTrip trip;
  extract(dir.path("in.smc"), dir.path("csv/"), true, &trip.extracted);
  build(dir.path("in.smc"), dir.path("out.smc"), dir.path("csv/"), true, &trip.built);
  trip.output = read_bytes(dir.path("out.smc"));
  return trip;
}

std::string first_problem(const RoundTrip& trip) {
  for (const Report* report : {&trip.extracted, &trip.built}) {
    for (const ReportEntry& entry : report->entries()) {
      if (entry.severity >= Severity::warning) return entry.id;
    }
  }
  return std::string();
}

// Where mutations go: the areas the program converts, and anywhere. In the songs' headers most
// bytes say where something lies, which few bytes elsewhere do.
struct Area {
  const char* name;
  std::uint32_t begin;
  std::uint32_t end;
  bool song_headers;
};

const Area areas[] = {
    {"event scripts", 0x3A0000, 0x3D0000, false},
    {"names and strings", 0x3D0000, 0x3DF000, false},
    {"tables", 0x3DF000, 0x3F0000, false},
    {"song pointers, waves, drums, event songs", 0x60FC6, 0x62AAA, false},
    {"songs", 0xBA876, 0xD0000, false},
    {"added songs and their tables", 0x5E1440, 0x5FFDC0, false},
    {"song headers", 0, 0, true},
    {"anywhere", 0, 0x600000, false},
};

// A fixed sequence, the same on every platform.
struct Random {
  std::uint32_t state;
  std::uint32_t next(std::uint32_t bound) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state % bound;
  }
};

// The ROM offset of a song's block, from its pointer.
std::uint32_t song_block(const Image& image, std::uint32_t song) {
  const std::uint32_t at = song < 0x5C ? 0x60FC6 + 3 * song : 0x5E1960 + 3 * (song - 0x5C);
  const std::uint32_t pointer = image[at] | image[at + 1] << 8 | image[at + 2] << 16;
  return song < 0x5C ? pointer - 0xC00000 : pointer;
}

struct Mutation {
  std::uint32_t first;
  std::uint32_t count;
  bool run;  // the bytes follow each other; else they are spread over the area
};

// A few bytes or a few hundred, each replaced by another value; in a song's header, a few.
Mutation mutate(Image& image, const Area& area, Random& random) {
  constexpr std::uint32_t header_size = 38;
  Mutation m;
  m.count = random.next(3) == 0 && !area.song_headers ? 50 + random.next(250) : 1 + random.next(8);
  m.run = area.song_headers || random.next(2) == 0;
  m.first = area.song_headers ? song_block(image, random.next(0x7C)) + random.next(header_size)
                              : area.begin + random.next(area.end - area.begin);
  for (std::uint32_t i = 0; i < m.count; ++i) {
    const std::uint32_t at = m.run ? m.first + i : area.begin + random.next(area.end - area.begin);
    const std::uint8_t change = static_cast<std::uint8_t>(1 + random.next(255));
    if (at < image.size()) image[at] ^= change;
  }
  return m;
}

}  // namespace

TEST(ImageRoundTrip, RandomValidContentComesBackByteForByte) {
  const struct {
    std::uint32_t seed;
    bool shifted;
  } cases[] = {{1, false}, {2, false}, {3, false}, {4, false}, {5, true}};
  for (const auto& c : cases) {
    SampleOptions options;
    options.seed = c.seed;
    options.shifted = c.shifted;
    const Image input = make_sample_rom(options);
    const RoundTrip trip = round_trip(input);
    EXPECT_EQ(trip.problems(), 0) << "seed " << c.seed << ": " << first_problem(trip);
    EXPECT_EQ(first_difference(trip.output, input), -1) << "seed " << c.seed;
  }
}

TEST(ImageRoundTrip, EveryChangeToAMutatedImageIsReported) {
  std::vector<Image> seeds;
  for (std::uint32_t seed : {1u, 2u}) {
    SampleOptions options;
    options.seed = seed;
    seeds.push_back(make_sample_rom(options));
  }
  constexpr std::size_t header = 0xFFC0;
  constexpr std::size_t checksum_words = header + 0x1C;
  Random random{0x9E3779B9u};
  constexpr int trials_per_area = 3;
  for (const Area& area : areas) {
    for (int trial = 0; trial < trials_per_area; ++trial) {
      const std::size_t seed = random.next(static_cast<std::uint32_t>(seeds.size()));
      Image input = seeds[seed];
      const Mutation m = mutate(input, area, random);
      // A checksum left wrong would warn about every image and account for anything.
      write_header_checksum(input.data(), input.size(), header);
      const RoundTrip trip = round_trip(input);
      ASSERT_EQ(trip.output.size(), input.size());
      if (trip.problems() > 0) continue;
      for (std::size_t at = 0; at < input.size(); ++at) {
        // The header's checksum follows from the rest.
        if (at >= checksum_words && at < checksum_words + 4) continue;
        if (input[at] != trip.output[at]) {
          ADD_FAILURE() << area.name << ", seed " << seed + 1 << ", " << m.count
                        << (m.run ? " bytes from 0x" : " bytes spread, the first at 0x") << std::hex
                        << m.first << ": byte 0x" << at << " changed without a message";
          break;
        }
      }
    }
  }
}
