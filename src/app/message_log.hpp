#pragma once
#include <string>
#include <vector>

// The message log keeps only the most recent piece of text; the final box of a job shows it
// when the job failed.

void log_message(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log_section(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log_progress(const char* format, ...) __attribute__((format(printf, 1, 2)));
const std::string& last_message();
void clear_last_message();

// Where the pieces go besides LastMessage while a job runs.
struct LogEcho {
  bool messages = false;  // every log_message piece, as it happens
  bool banners = false;   // section and progress banners too
};
void set_log_echo(LogEcho echo);

// How the final text of a job is shown.
enum class ReportTo { message_box, console };
void set_report_target(ReportTo target, void* owner_window = nullptr);

// Runs the job and shows its outcome; returns run_job's result.
int run_and_report(const std::vector<std::string>& args);
