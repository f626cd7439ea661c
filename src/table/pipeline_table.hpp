#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/job_context.hpp"
#include "table/table_block.hpp"

// The four steps by which the pipeline moves one table. An empty step does nothing.
struct PipelineTable {
  std::function<std::unique_ptr<TableBlock>(JobContext&)> load;
  std::function<void(JobContext&, const std::string& folder, const TableBlock*)> write_csv;
  std::function<std::unique_ptr<TableBlock>(JobContext&, const std::string& folder)> read_csv;
  std::function<void(JobContext&, const TableBlock*)> store;
};

// Adapts a table's own typed steps to the pipeline.
template <class T>
PipelineTable make_pipeline_table(std::unique_ptr<T> (*load)(JobContext&),
                                  void (*write_csv)(JobContext&, const std::string&, const T*),
                                  std::unique_ptr<T> (*read_csv)(JobContext&, const std::string&),
                                  void (*store)(JobContext&, const T*)) {
  PipelineTable slot;
  slot.load = [load](JobContext& job) -> std::unique_ptr<TableBlock> { return load(job); };
  slot.write_csv = [write_csv](JobContext& job, const std::string& folder, const TableBlock* block) {
    write_csv(job, folder, static_cast<const T*>(block));
  };
  slot.read_csv = [read_csv](JobContext& job, const std::string& folder) -> std::unique_ptr<TableBlock> {
    return read_csv(job, folder);
  };
  slot.store = [store](JobContext& job, const TableBlock* block) {
    store(job, static_cast<const T*>(block));
  };
  return slot;
}
