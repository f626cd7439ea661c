#pragma once
#include <string>
#include <vector>

#include "jobs/job.hpp"

// Which log lines the console shows while a job runs (on standard error).
struct LogEcho {
  bool messages = false;  // every message, as it happens
  bool banners = false;   // section and progress banners too
  // Standard error and the final text's stream are one terminal or file, so the messages
  // echoed as they happen are not listed again at the end.
  bool same_place = false;
};

// The sink that writes the lines `echo` asks for to standard error; none when it asks for none.
ReportSink console_sink(LogEcho echo);

// Runs a job and shows its final text in a message box (owned by `owner`) or on the console.
// A refused job shows why; on the console a line of the wrong form also shows the usage text.
enum class ReportTo { message_box, console };
JobResult run_and_report(const std::vector<std::string>& args, const std::string& start_folder,
                         ReportTo target, void* owner = nullptr, LogEcho echo = {});
