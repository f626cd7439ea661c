#pragma once

// What a table's gather step hands to its emit step; each table derives its own block.
struct TableBlock {
  virtual ~TableBlock() = default;
};
