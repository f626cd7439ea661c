#include "tables/tables.hpp"

// Not converted yet: the pipeline passes over this table.
PipelineTable event_battles_table() { return {}; }
