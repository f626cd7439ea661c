#pragma once
#include <vector>

#include "table/description.hpp"
#include "table/pipeline_table.hpp"

// A table of the pipeline: what its file holds, and the four steps that move it.
struct RegisteredTable {
  const TableDescription* description;
  PipelineTable steps;
};

// Every table, in the order the pipeline gathers and emits them.
std::vector<RegisteredTable> registered_tables();
