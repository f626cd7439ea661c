#include "tables/tables.hpp"

// Not converted yet: the pipeline passes over this table.
PipelineTable items_table() { return {}; }
