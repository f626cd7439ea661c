#pragma once
#include <string>

#include "core/report.hpp"
#include "core/rom_image.hpp"

// What every step of one job works on: the open ROM, the report of the job, and the folder
// the program was started in (where the optional "arg.txt" lies).
struct JobContext {
  RomImage rom;
  Report report;
  std::string start_folder;
};
