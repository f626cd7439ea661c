#include "sample_rom.hpp"

// This area keeps the background bytes until its table is converted.
void fill_enemy_techs(SampleRom&) {}
