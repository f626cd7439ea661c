#include <unistd.h>

#include <iostream>

#include "app/dialog/dialog.hpp"
#include "app/dialog/dialog_form.hpp"
#include "app/screen.hpp"
#include "jobs/job.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"

// Without a command line a person at a terminal gets the form; anything else (a script, a
// pipe) gets the usage text, since nobody would answer the form.
int run_main_dialog(const std::string& start_folder) {
  if (!isatty(STDIN_FILENO)) {
    screen::write_console(msg::usage, false);
    return 0;
  }
  dialog::FormIo io;
  io.read_line = [](std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    line = platform::to_sjis(line);
    return true;
  };
  io.write = [](const std::string& text) { screen::write_console(text, false); };
  dialog::run_form(io, [&start_folder](const std::vector<std::string>& args) {
    return run_reported_job(args, start_folder);
  });
  return 0;
}
