#pragma once
#include <string>

#include "core/report.hpp"
#include "core/rom_image.hpp"

// What every step of one job works on: the open ROM, the report of the job, the folder the
// program was started in (where the optional "arg.txt" lies) and how files are written.
struct JobContext {
  RomImage rom;
  Report report;
  std::string start_folder;
  bool utf8_files = false;  // an extract writes its files as UTF-8 with a byte order mark
};
