#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/job_context.hpp"
#include "table/layout.hpp"
#include "table/table_block.hpp"

// Characters, "char.csv": 256 names, of which the first 48 are playable characters with a
// statistics record and a growth record.
using CharacterRecord = TableRecord;

struct CharacterTable : TableBlock {
  std::vector<CharacterRecord> rows;
};

inline constexpr int playable_characters = 48;

// The columns of a playable character's row; the entry bytes are its 48 stat bytes followed
// by its 16 growth bytes. Every other row has only the first two columns, ID and name.
const Layout& character_layout();
inline constexpr std::size_t character_entry_size = 64;

void character_field_map(std::uint8_t* entry, CharacterRecord& record, Direction direction);
void character_cell_map(const CellTarget& target, CharacterRecord& record, Direction direction,
                        int index);
std::unique_ptr<CharacterTable> load_characters(JobContext& job);
void write_character_csv(JobContext& job, const std::string& folder, const CharacterTable* table);
std::unique_ptr<CharacterTable> read_character_csv(JobContext& job, const std::string& folder);
void store_characters(JobContext& job, const CharacterTable* table);
