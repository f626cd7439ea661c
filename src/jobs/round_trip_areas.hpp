#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/rom_image.hpp"

// A range of ROM offsets the program converts, and what a player calls it: the file it goes to
// and the part of that file (a section, a string group, a song), as "item.csv 武器".
struct RomArea {
  std::uint32_t begin;
  std::uint32_t end;
  std::string name;
  std::vector<std::string> keys;  // texts by which a warning names the area, the surest first
};

// Every area of the image, from the table descriptions, the event banks and the song tables
// and blocks; where areas overlap, the first in the list names the byte.
std::vector<RomArea> rom_areas(const RomImage& rom);
