#pragma once
#include <string>
#include <vector>

#include "core/status.hpp"
#include "core/job_context.hpp"

// How a job ended. done: it ran (its report may hold warnings or errors); failed: it could
// not, and its report says why; refused: it ran nothing (wrong arguments, or files it must
// not touch, such as an output over an input), and its report says why.
enum class JobResult { done, failed, refused };

enum class JobMode { none, decode_text, encode_text, extract, build, check, apply_patch, diff, round_trip, merge };

// Why a command line runs no job: a message of the catalogue and the texts it names.
struct Refusal {
  const Message* message = nullptr;
  std::vector<std::string> subjects;  // at most three, in the message's order
};

struct JobSettings {
  JobMode mode = JobMode::none;
  int decode_number = 0;      // -lN
  bool newline_flag = false;  // -n
  bool music = false;         // an m after the mode's letter: -am, -mm, -cm, -xm, -jm
  char merge_side = 0;        // -jA or -jB: the side every conflict of a merge takes
  bool strict = false;        // -s: any error or warning fails the job, and a build saves no ROM
  bool utf8_files = false;    // -u: an extract (or a diff) writes UTF-8 files
  bool patch = false;         // -p: a build also writes a BPS patch beside the new ROM
  bool ips = false;           // -i: a build also writes an IPS patch beside the new ROM
  bool quiet = false;         // -q: the final text to the console (Windows)
  bool verbose = false;       // -v: progress banners as the job runs
  bool help = false;          // -h or --help
  bool version = false;       // --version
  std::vector<std::string> paths;
  Refusal refusal;            // the first fault of the line; no message when there is none
};

// The argument vector: element 0 is the command name and is never examined. Every letter and
// path is either used or makes the line refused.
JobSettings parse_job(const std::vector<std::string>& args);
// What is wrong with paths that name the wrong kind of thing on disk: an output that is a
// folder, a CSV folder that is a file or, for a build or check, one that does not exist.
Refusal check_job_paths(const JobSettings& settings);
// Runs one job on the context. Help and version run nothing and are done.
JobResult run_job(JobContext& job, const std::vector<std::string>& args);
// The same on a context of its own, started in the current folder.
JobResult run_job(const std::vector<std::string>& args);
JobResult run_extract(JobContext& job, const std::string& rom_path, const std::string& csv_path,
                const JobSettings& settings);
// A build, or with an empty output path a check: the same build in memory, no ROM saved.
JobResult run_build(JobContext& job, const std::string& input_path, const std::string& output_path,
                    const std::string& csv_path, const JobSettings& settings);
// The folder, ending in a separator, in which the table files lie.
std::string csv_folder_of(const std::string& path);
// The log every table job leaves in its CSV folder.
inline constexpr const char* log_file_name = "varbek.log";

// Applies a BPS or IPS patch (told by its first bytes) to `source`; failed, with the reason in
// the report and `target` untouched, when it does not apply.
Status apply_patch(Report& report, const std::string& patch_path, const std::vector<std::uint8_t>& patch,
                   const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& target);
JobResult run_apply_patch(JobContext& job, const std::string& patch_path, const std::string& source_path,
                          const std::string& target_path);
// "--version", "--help" or "-h" (with -q or -v at most): the text to print, or false for any
// other command line.
bool information_option(const std::vector<std::string>& args, std::string& text);

// The command line after the program's name, split as Windows programs split it: double
// quotes group and are removed, runs of spaces separate.
std::vector<std::string> split_command_line(const std::string& text);

// What a job leaves for the user: its result and its final text.
struct JobOutcome {
  JobResult result = JobResult::refused;
  std::string text;
  bool show_usage = false;  // a refused command line: the console adds the usage text
};
// Runs the job with its own report, writes the log of a table job, and makes the final text.
// `sink` shows the log lines as they are made; the final text lists the first messages unless
// `list_messages` is false (the sink has shown them where the final text goes).
JobOutcome run_reported_job(const std::vector<std::string>& args, const std::string& start_folder,
                            ReportSink sink = {}, bool list_messages = true);

// The process exit code of a result: 0 done, 1 failed or errors, 2 refused.
int exit_code_of(JobResult result);
inline int exit_code_of(const JobOutcome& outcome) { return exit_code_of(outcome.result); }
