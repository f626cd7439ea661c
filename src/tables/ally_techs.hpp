#pragma once
#include "table/description.hpp"

// Ally techniques, "tech.csv": 220 usable techniques (0x00-0xDB) and 36 dodge techniques
// (0xDC-0xFF), each section with its own layout and header row.
inline constexpr int first_dodge_tech = 0xDC;
const TableDescription& ally_tech_table();
