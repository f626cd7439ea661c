#include "app/pipeline.hpp"

#include <memory>

#include <new>
#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"

#include "event/events.hpp"
#include "music/music.hpp"
#include "tables/tables.hpp"

namespace {

// A step that runs out of memory yields no table, as any other failed step does; the
// pipeline goes on with the next one.
template <class Step>
auto guarded(Report& report, Step step) -> decltype(step()) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    report.add(msg::out_of_memory);
    return decltype(step())();
  }
}

}  // namespace

void run_pipeline(JobContext& job, const std::string& folder, Direction direction, bool music) {
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
      blocks.push_back(table.load ? guarded(job.report, [&] { return table.load(job); }) : nullptr);
    } else {
      blocks.push_back(table.read_csv ? guarded(job.report, [&] { return table.read_csv(job, folder); }) : nullptr);
    }
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TableBlock* block = blocks[i].get();
    if (!block) continue;
    if (extract) {
      if (tables[i].write_csv) guarded(job.report, [&] { tables[i].write_csv(job, folder, block); });
    } else {
      if (tables[i].store) guarded(job.report, [&] { tables[i].store(job, block); });
    }
  }

  if (extract) {
    guarded(job.report, [&] { extract_events(job, folder); });
    if (music) guarded(job.report, [&] { dump_music(job, folder); });
  } else {
    guarded(job.report, [&] { build_events(job, folder); });
    if (music) guarded(job.report, [&] { rebuild_music(job, folder); });
  }
}
