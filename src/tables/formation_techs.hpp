#pragma once
#include "table/description.hpp"

// Formation techniques, "form_tech.csv": 64 rows, row i being technique number i + 0x20.
const TableDescription& formation_tech_table();
