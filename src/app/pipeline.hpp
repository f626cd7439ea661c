#pragma once
#include <functional>
#include <memory>
#include <string>

#include "table/bits.hpp"
#include "table/table_block.hpp"

// The four steps by which the pipeline moves one table. An empty step does nothing.
struct PipelineTable {
  std::function<std::unique_ptr<TableBlock>()> load;
  std::function<void(const std::string& folder, const TableBlock*)> write_csv;
  std::function<std::unique_ptr<TableBlock>(const std::string& folder)> read_csv;
  std::function<void(const TableBlock*)> store;
};

// Adapts a table's own typed steps to the pipeline.
template <class T>
PipelineTable make_pipeline_table(std::unique_ptr<T> (*load)(),
                                  void (*write_csv)(const std::string&, const T*),
                                  std::unique_ptr<T> (*read_csv)(const std::string&),
                                  void (*store)(const T*)) {
  PipelineTable slot;
  slot.load = [load]() -> std::unique_ptr<TableBlock> { return load(); };
  slot.write_csv = [write_csv](const std::string& folder, const TableBlock* block) {
    write_csv(folder, static_cast<const T*>(block));
  };
  slot.read_csv = [read_csv](const std::string& folder) -> std::unique_ptr<TableBlock> {
    return read_csv(folder);
  };
  slot.store = [store](const TableBlock* block) { store(static_cast<const T*>(block)); };
  return slot;
}

// The whole conversion: the twelve tables in their fixed order, then the event scripts and,
// with the music flag, the music.
void run_pipeline(const std::string& folder, Direction direction, bool music);
