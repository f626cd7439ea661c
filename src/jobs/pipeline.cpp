#include "jobs/pipeline.hpp"

#include <memory>
#include <new>
#include <vector>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "event/events.hpp"
#include "music/music.hpp"
#include "tables/registry.hpp"

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
  const std::vector<RegisteredTable> tables = registered_tables();
  const bool extract = direction == Direction::extract;

  // Gather every table before anything is emitted.
  std::vector<std::unique_ptr<TableBlock>> blocks;
  for (const RegisteredTable& table : tables) {
    const PipelineTable& steps = table.steps;
    if (extract) {
      blocks.push_back(steps.load ? guarded(job.report, [&] { return steps.load(job); }) : nullptr);
    } else {
      blocks.push_back(steps.read_csv
                           ? guarded(job.report, [&] { return steps.read_csv(job, folder); })
                           : nullptr);
    }
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TableBlock* block = blocks[i].get();
    const PipelineTable& steps = tables[i].steps;
    if (!block) continue;
    if (extract) {
      if (steps.write_csv) guarded(job.report, [&] { steps.write_csv(job, folder, block); });
    } else {
      if (steps.store) guarded(job.report, [&] { steps.store(job, block); });
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
