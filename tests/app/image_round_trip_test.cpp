// The whole round trip as a property: an extract with the music and a build from its files give
// back the input image, byte for byte when its contents are valid, and otherwise changed only
// where a warning or an error of either job says so.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "core/report.hpp"
#include "core/snes_header.hpp"
#include "table/cells.hpp"
#include "table_job.hpp"
#include "tables/registry.hpp"
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

// A cell's text as a spreadsheet, an input method or a slip of the hand leaves it.
std::string random_cell_text(Random& random) {
  static const char* const digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  static const char* const symbols[] = {"○", "×", "〇", "◯", "1", "0", "-", "△", "○＋", "◎",
                                        "□", "☆", "○+", "－"};
  static const char* const slips[] = {"", "abc", "1.5", "1e3", "12abc", "-0x1", "TRUE", " 7 ",
                                      "－３", "0X1F", "ＦＦ", "−2", "\"12\"", "0x", "1,00"};
  const int n = static_cast<int>(random.next(400)) - 20;
  char text[32];
  switch (random.next(8)) {
    case 0:
    case 1: std::snprintf(text, sizeof text, "%d", n); return text;
    case 2: std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(n) & 0x1FF); return text;
    case 3: std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(n) & 0xFF); return text;
    case 4: {
      std::string wide;
      for (const char c : std::to_string(n < 0 ? -n : n)) wide += digits[c - '0'];
      return wide;
    }
    case 5: {
      const int big = 1000 + n * 97;
      std::snprintf(text, sizeof text, "\"%d,%03d\"", big / 1000, big % 1000);
      return text;
    }
    case 6: return symbols[random.next(static_cast<std::uint32_t>(std::size(symbols)))];
    default: return slips[random.next(static_cast<std::uint32_t>(std::size(slips)))];
  }
}

// A numeric cell of a fixed table's file that an edit may change.
struct EditableCell {
  std::size_t line;
  std::size_t column;
  CellKind kind;
};

std::vector<EditableCell> editable_cells(const TableDescription& table, const std::vector<std::string>& lines) {
  std::vector<EditableCell> cells;
  for (std::size_t h = 0; h < lines.size(); ++h) {
    for (const Section& section : table.sections) {
      if (lines[h] != header_line(section)) continue;
      std::vector<CellKind> kinds;
      for (const Field& field : *section.layout) {
        if (field.header && field.cell != no_cell) kinds.push_back(field.rom_byte >= 0 ? field.cell : text_cell);
      }
      for (std::size_t line = h + 1; line < lines.size() && !lines[line].empty(); ++line) {
        const std::size_t count = split_cells(lines[line]).size();
        for (std::size_t c = 0; c + 1 < count && c < kinds.size(); ++c) {
          if (kinds[c] != text_cell) cells.push_back({line, c, kinds[c]});
        }
      }
    }
  }
  return cells;
}

// Whether some warning or error of the report is about that line of the file.
bool named(const Report& report, const std::string& file, std::size_t line) {
  const std::string place = Report::format(msg::at_line.text, file, static_cast<int>(line + 1));
  for (const ReportEntry& entry : report.entries()) {
    if (entry.severity < Severity::warning || entry.text.rfind(place, 0) != 0) continue;
    const char next = entry.text.size() > place.size() ? entry.text[place.size()] : ' ';
    if (next == ' ' || next == ':') return true;
  }
  return false;
}

}  // namespace

// What you typed is what you get: a random edit of a random number cell of each fixed table
// either comes back from a re-extract of the build in its printed form, or a warning names its
// line. One edit per line, thirty lines per file, three rounds.
TEST(ImageRoundTrip, EveryCellEditLandsAsWrittenOrIsNamed) {
  Random random{0x2545F491u};
  int edits = 0;
  for (int round = 0; round < 3; ++round)
  for (const RegisteredTable& registered : registered_tables()) {
    const TableDescription& table = *registered.description;
    const std::string file = table.file_name;
    if (file == "event_battle.csv" || file == "string.csv" || file == "flash.csv") continue;
    TableJob job(file);
    const std::vector<EditableCell> cells = editable_cells(table, job.lines);
    if (cells.empty()) continue;  // name.csv: names only
    std::vector<std::pair<EditableCell, std::string>> made;
    for (int tries = 0; tries < 100 && made.size() < 30; ++tries) {
      const EditableCell cell = cells[random.next(static_cast<std::uint32_t>(cells.size()))];
      if (std::any_of(made.begin(), made.end(), [&](const auto& m) { return m.first.line == cell.line; })) continue;
      const std::string text = random_cell_text(random);
      std::vector<std::string> row = split_cells(job.lines[cell.line]);
      row[cell.column] = text;
      job.lines[cell.line] = join_cells(row);
      made.emplace_back(cell, text);
    }
    job.extract_image(job.rebuild());
    for (const auto& [cell, text] : made) {
      ++edits;
      const std::optional<std::int32_t> value = read_cell_value(text, cell.kind);
      const std::string back = split_cells(job.lines[cell.line]).at(cell.column);
      const bool landed = value && back == cell_value_text(cell.kind, *value);
      EXPECT_TRUE(landed || named(job.report, file, cell.line))
          << file << " line " << cell.line + 1 << " column " << cell.column + 1 << ": \"" << text
          << "\" came back as \"" << back << "\" without a message";
    }
  }
  EXPECT_GE(edits, 700);  // a file with few rows may give fewer than thirty
}

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
