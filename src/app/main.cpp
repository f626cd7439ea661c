// Process entry: one job from the command line, or the main dialog when there is none.
#include <string>
#include <vector>

#include "app/dialog/dialog.hpp"
#include "app/front_end.hpp"
#include "app/screen.hpp"
#include "jobs/job.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"

#ifdef _WIN32
#include <windows.h>


namespace {

// A console program started from the desktop gets a console of its own, which the dialog and
// the box do not need; one shared with a command prompt stays.
void release_own_console() {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

}  // namespace

int wmain(int, wchar_t**) {
  const std::string start_folder = platform::current_directory();
  bool exact = true;
  const std::string command_line = platform::command_line_arguments(&exact);
  if (command_line.find_first_not_of(" \t") == std::string::npos) {
    release_own_console();
    run_main_dialog(start_folder);
    return 0;
  }
  std::vector<std::string> args{"varbek"};
  for (std::string& arg : split_command_line(command_line)) args.push_back(std::move(arg));
  std::string information;
  if (information_option(args, information)) {
    screen::write_console(information, false);
    return 0;
  }
  // -q: the final text goes to the console and the exit code tells the result, so that
  // scripts never wait on a box.
  const JobSettings settings = parse_job(args);
  const bool batch = settings.quiet;
  if (!batch) release_own_console();
  if (!exact) {
    // Such a path reaches the job with "?" in it, which can lead elsewhere ("?\.." vanishes).
    if (batch) {
      screen::write_console(std::string(msg::unrepresentable_command_line.text) + "\n", false);
      return exit_code_of(JobResult::failed);
    }
    screen::show_message_box(msg::unrepresentable_command_line.text, nullptr);
    return 0;
  }
  const LogEcho echo{batch, batch && settings.verbose, screen::standard_streams_shared()};
  const JobResult result = run_and_report(args, start_folder, batch ? ReportTo::console : ReportTo::message_box,
                                    nullptr, echo);
  return batch ? exit_code_of(result) : 0;
}

#else

int main(int argc, char** argv) {
  const std::string start_folder = platform::current_directory();
  std::vector<std::string> args{"varbek"};
  bool representable = true;
  for (int i = 1; i < argc; ++i) {
    bool exact = true;
    args.push_back(platform::to_sjis(argv[i], &exact));
    representable = representable && exact;
  }
  if (args.size() == 1) return run_main_dialog(start_folder);
  std::string information;
  if (information_option(args, information)) {
    screen::write_console(information, false);
    return 0;
  }
  // A path with a character that Shift-JIS lacks would reach the job as mixed bytes and
  // could name another file.
  if (!representable) {
    screen::write_console(std::string(msg::unrepresentable_command_line.text) + "\n", false);
    return exit_code_of(JobResult::failed);
  }
  const LogEcho echo{true, parse_job(args).verbose, screen::standard_streams_shared()};
  return exit_code_of(run_and_report(args, start_folder, ReportTo::console, nullptr, echo));
}

#endif
