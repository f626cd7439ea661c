#pragma once
#include "table/description.hpp"

// The 256 items in five sections by ID range: "item.csv". Every row carries the item's name
// and price, and tools and consumables their comment ID.
const TableDescription& item_table();
