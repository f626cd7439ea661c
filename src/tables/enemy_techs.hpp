#pragma once
#include "table/description.hpp"

// Enemy techniques, "mons_tech.csv": 256 names, effect records and dodge difficulties.
const TableDescription& enemy_tech_table();
