#pragma once
#include <string>
#include <vector>

enum class JobMode { none, decode_text, encode_text, extract, build };

struct JobSettings {
  JobMode mode = JobMode::none;
  int decode_number = 0;
  bool newline_flag = false;  // -n
  bool music = false;         // a trailing m on -a or -m
  std::vector<std::string> paths;  // at most three
};

// The argument vector: element 0 is the command name and is never examined.
JobSettings parse_job(const std::vector<std::string>& args);
// 0 success, 1 failure (reason in last_message), -1 refused.
int run_job(const std::vector<std::string>& args);
int run_extract(const std::string& rom_path, const std::string& csv_path, bool music);
int run_build(const std::string& input_path, const std::string& output_path,
              const std::string& csv_path, bool music);
// The folder, ending in a separator, in which the table files lie.
std::string csv_folder_of(const std::string& path);

// The command line after the program's name, split as Windows programs split it: double
// quotes group and are removed, runs of spaces separate.
std::vector<std::string> split_command_line(const std::string& text);
int run_command_line(const std::string& text);

void set_startup_directory(const std::string& directory);
const std::string& startup_directory();
