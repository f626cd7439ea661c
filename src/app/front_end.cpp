#include "app/front_end.hpp"

#include "app/screen.hpp"
#include "core/messages.hpp"

ReportSink console_sink(LogEcho echo) {
  if (!echo.messages && !echo.banners) return ReportSink();
  return [echo](Severity severity, const std::string& line) {
    const bool progress = severity == Severity::info || severity == Severity::banner;
    if (progress ? echo.banners : echo.messages) screen::write_console(line + "\n", true);
  };
}

JobResult run_and_report(const std::vector<std::string>& args, const std::string& start_folder,
                         ReportTo target, void* owner, LogEcho echo) {
  // Messages already shown on the terminal the final text goes to are not shown again.
  const bool list_messages = !(echo.messages && echo.same_place);
  const JobOutcome outcome = run_reported_job(args, start_folder, console_sink(echo), list_messages);
  if (target == ReportTo::message_box) {
    if (!outcome.text.empty()) screen::show_message_box(outcome.text, owner);
    return outcome.result;
  }
  std::string text = outcome.text.empty() ? std::string() : outcome.text + "\n";
  if (outcome.show_usage) text += msg::usage;
  screen::write_console(text, false);
  return outcome.result;
}
