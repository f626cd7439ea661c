#include "tables/tables.hpp"

// Not converted yet: the pipeline passes over this table.
PipelineTable learning_chances_table() { return {}; }
