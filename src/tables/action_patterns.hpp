#pragma once
#include "table/description.hpp"

// Enemy action patterns, the two-action list and the drop items: "monster_ptn.csv".
const TableDescription& action_pattern_table();
