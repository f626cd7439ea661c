#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/job_context.hpp"
#include "table/fixed_table.hpp"

// The 256 items in five sub-tables by ID range: "item.csv". One section per sub-table; every
// record also carries the item's name and price, and tools and consumables their comment ID.
using ItemTable = FixedTableBlock;

const FixedTable& item_table();
// Moves the fields of item `id` between its gathered bytes (effect record at 0, then the price
// and the comment ID) and the record; returns the room its effect record takes in the effect
// stream (0 for consumables, whose records have a table of their own).
std::uint32_t item_field_map(std::uint8_t* entry, TableRecord& record, Direction direction, int id);
void item_cell_map(const CellTarget& target, TableRecord& record, Direction direction, int id);
std::unique_ptr<ItemTable> load_items(JobContext& job);
void write_item_csv(JobContext& job, const std::string& folder, const ItemTable* table);
std::unique_ptr<ItemTable> read_item_csv(JobContext& job, const std::string& folder);
void store_items(JobContext& job, const ItemTable* table);
