#include "app/pipeline.hpp"

#include <new>
#include <vector>

#include "app/message_log.hpp"
#include "app/messages.hpp"

#include "event/events.hpp"
#include "music/music.hpp"
#include "tables/tables.hpp"

namespace {

// A step that runs out of memory yields no table, as any other failed step does; the
// pipeline goes on with the next one.
template <class Step>
auto guarded(Step step) -> decltype(step()) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    log_message(msg::out_of_memory);
    return decltype(step())();
  }
}

}  // namespace

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
      blocks.push_back(table.load ? guarded([&] { return table.load(); }) : nullptr);
    } else {
      blocks.push_back(table.read_csv ? guarded([&] { return table.read_csv(folder); }) : nullptr);
    }
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TableBlock* block = blocks[i].get();
    if (!block) continue;
    if (extract) {
      if (tables[i].write_csv) guarded([&] { tables[i].write_csv(folder, block); });
    } else {
      if (tables[i].store) guarded([&] { tables[i].store(block); });
    }
  }

  if (extract) {
    guarded([&] { extract_events(folder); });
    if (music) guarded([&] { dump_music(folder); });
  } else {
    guarded([&] { build_events(folder); });
    if (music) guarded([&] { rebuild_music(folder); });
  }
}
