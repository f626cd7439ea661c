#include "app/dialog/dialog.hpp"

#include "app/messages.hpp"
#include "app/platform.hpp"

// Without a command line the terminal shows how to use the program.
int run_main_dialog() {
  platform::write_console(msg::usage, false);
  return 0;
}
