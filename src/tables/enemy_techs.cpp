#include "tables/tables.hpp"

// Not converted yet: the pipeline passes over this table.
PipelineTable enemy_techs_table() { return {}; }
