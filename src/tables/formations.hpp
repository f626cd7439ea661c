#pragma once
#include "table/description.hpp"

// The 64 party formations: "form.csv". Formations 0x00-0x1F have a name and their data,
// 0x20-0x3F a name only.
const TableDescription& formation_table();
const Layout& formation_layout();
// Cuts the targeting rates of a row read from the file so that their sum stays within 255.
void apply_rate_rule(TableRecord& record, int index, Report* report = nullptr);
