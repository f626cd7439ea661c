// What every table description must hold, checked over the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tables/registry.hpp"

namespace {

struct Range {
  std::uint32_t begin, end;
  std::string what;
};

// The ROM bytes a section's rows occupy: each source over all rows, and the name slots.
void add_ranges(const Section& section, std::vector<Range>& ranges, const std::string& file) {
  const auto rows = static_cast<std::uint32_t>(data_rows(section));
  for (const RomSource& source : section.sources) {
    std::uint32_t first = source.rom_offset;
    if (source.index == RowIndex::id)
      first += source.stride * static_cast<std::uint32_t>(section.first_id);
    const std::uint32_t end = source.kind == SourceKind::bit_per_index
                                  ? source.rom_offset + source.size
                                  : first + source.stride * (rows - 1) + source.size;
    ranges.push_back({first, end, file});
  }
  if (section.name.size) {
    const std::uint32_t first =
        section.name.rom_offset + section.name.size * static_cast<std::uint32_t>(section.first_id);
    // Each section's names apart, so that two lists of one file are checked against each other.
    ranges.push_back({first, first + section.name.size * static_cast<std::uint32_t>(section.rows),
                      file + " names" + (section.title ? std::string(" ") + section.title : "")});
  }
  if (section.area.size)
    ranges.push_back({section.area.rom_offset, section.area.rom_offset + section.area.size, file});
}

}  // namespace

// Every field with ROM bytes lies in one source of its section, and no two share a bit.
TEST(Descriptions, FieldsLieInTheirSourcesWithoutSharingBits) {
  for (const RegisteredTable& table : registered_tables()) {
    for (const Section& section : table.description->sections) {
      if (section.sources.empty()) continue;
      // Value fields and flags apart: a flag may read a bit of a value (item kinds of 16 and
      // more are two-handed), but no two of either kind share one.
      std::vector<std::uint32_t> values(entry_size(section) + 1, 0);
      std::vector<std::uint32_t> flags = values;
      for (const Field& field : *section.layout) {
        if (field.rom_byte < 0) continue;
        const std::string where = std::string(table.description->file_name) + " " + field.header;
        const int width = field.bits == word_field ? 2 : 1;
        const bool inside =
            std::any_of(section.sources.begin(), section.sources.end(), [&](const RomSource& s) {
              const int size = s.kind == SourceKind::bit_per_index ? 1 : static_cast<int>(s.size);
              return field.rom_byte >= s.at && field.rom_byte + width <= s.at + size;
            });
        ASSERT_TRUE(inside) << where;
        for (int b = 0; b < width; ++b) {
          const std::uint32_t bits = (field.mask >> (8 * b)) & 0xFF;
          const bool is_flag = field.bits == flag || field.bits == inverted_flag;
          std::uint32_t& used =
              (is_flag ? flags : values).at(static_cast<std::size_t>(field.rom_byte + b));
          EXPECT_EQ(used & bits, 0u) << where;
          used |= bits;
        }
      }
    }
  }
}

// Only name.csv and form_tech.csv share bytes, the formation-technique names: the name list
// is stored later, so that it decides, and a read names each name the two files differ in.
TEST(Descriptions, TablesShareNoBytesButTheFormationTechniqueNames) {
  std::vector<Range> ranges;
  for (const RegisteredTable& table : registered_tables()) {
    for (const Section& section : table.description->sections)
      add_ranges(section, ranges, table.description->file_name);
  }
  std::vector<std::string> overlaps;
  for (std::size_t a = 0; a < ranges.size(); ++a) {
    for (std::size_t b = a + 1; b < ranges.size(); ++b) {
      if (ranges[a].what != ranges[b].what && ranges[a].begin < ranges[b].end &&
          ranges[b].begin < ranges[a].end) {
        overlaps.push_back(ranges[a].what + " ~ " + ranges[b].what);
      }
    }
  }
  EXPECT_EQ(overlaps, std::vector<std::string>{"form_tech.csv names ~ name.csv names 陣形技名称"});
}
