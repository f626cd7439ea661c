#pragma once
#include "table/description.hpp"

// Monsters, "monster.csv": 320 names, size bytes and statistics records.
const TableDescription& monster_table();
