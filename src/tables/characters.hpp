#pragma once
#include "table/description.hpp"

// Characters, "char.csv": 256 names, of which the first 48 are playable characters with a
// statistics record and a growth record; the other rows have only ID and name.
const TableDescription& character_table();
