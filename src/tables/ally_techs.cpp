#include "tables/tables.hpp"

// Not converted yet: the pipeline passes over this table.
PipelineTable ally_techs_table() { return {}; }
