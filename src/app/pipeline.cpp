#include "app/pipeline.hpp"

#include <vector>

#include "event/events.hpp"
#include "music/music.hpp"
#include "tables/tables.hpp"

void run_pipeline(const std::string& folder, Direction direction, bool music) {
  const PipelineTable tables[] = {
      formations_table(),     formation_techs_table(), characters_table(),
      items_table(),          ally_techs_table(),      monsters_table(),
      enemy_techs_table(),    action_patterns_table(), strings_table(),
      proper_names_table(),   learning_chances_table(), event_battles_table(),
  };
  const bool extract = direction == Direction::extract;

  // Gather all twelve before anything is emitted.
  std::vector<std::unique_ptr<TableBlock>> blocks;
  for (const PipelineTable& table : tables) {
    if (extract) {
      blocks.push_back(table.load ? table.load() : nullptr);
    } else {
      blocks.push_back(table.read_csv ? table.read_csv(folder) : nullptr);
    }
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TableBlock* block = blocks[i].get();
    if (!block) continue;
    if (extract) {
      if (tables[i].write_csv) tables[i].write_csv(folder, block);
    } else {
      if (tables[i].store) tables[i].store(block);
    }
  }

  if (extract) {
    extract_events(folder);
    if (music) dump_music(folder);
  } else {
    build_events(folder);
    if (music) rebuild_music(folder);
  }
}
