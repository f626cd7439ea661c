#pragma once

// The main dialog: any number of jobs until the user closes it. Returns the exit code.
#include <string>

// `start_folder` is where the program was started (arg.txt lies there).
int run_main_dialog(const std::string& start_folder);
