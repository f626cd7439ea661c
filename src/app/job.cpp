#include "app/job.hpp"


#include "app/message_log.hpp"
#include "app/messages.hpp"
#include "app/pipeline.hpp"
#include "app/platform.hpp"
#include "app/rom_image.hpp"
#include "text/text_file.hpp"

namespace {

std::string g_startup_directory;

bool is_lead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The decimal digits that stand at `from`, 0 when there are none.
int leading_number(const std::string& text, std::size_t from) {
  int value = 0;
  for (std::size_t i = from; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

void set_startup_directory(const std::string& directory) { g_startup_directory = directory; }
const std::string& startup_directory() { return g_startup_directory; }

std::vector<std::string> split_command_line(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (is_lead(c)) {
      current += c;
      if (i + 1 < text.size()) current += text[++i];
      in_argument = true;
    } else if (c == '"') {
      quoted = !quoted;
      in_argument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_argument) args.push_back(current);
      current.clear();
      in_argument = false;
    } else {
      current += c;
      in_argument = true;
    }
  }
  if (in_argument) args.push_back(current);
  return args;
}

int run_command_line(const std::string& text) {
  std::vector<std::string> args{"varbek"};
  for (std::string& arg : split_command_line(text)) args.push_back(std::move(arg));
  return run_and_report(args);
}

JobSettings parse_job(const std::vector<std::string>& args) {
  JobSettings job;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.empty() && arg[0] == '-') {
      const char option = arg.size() > 1 ? arg[1] : '\0';
      switch (option) {
        case 'a': job.mode = JobMode::extract; break;
        case 'm': job.mode = JobMode::build; break;
        case 'e': job.mode = JobMode::encode_text; break;
        case 'd': job.mode = JobMode::decode_text; break;
        case 'h': job.mode = JobMode::none; break;
        case 'l': job.decode_number = leading_number(arg, 2); break;
        case 'n': job.newline_flag = true; break;
        default: break;
      }
      const bool table_job = job.mode == JobMode::extract || job.mode == JobMode::build;
      if (table_job && arg.size() > 2 && arg[2] == 'm') job.music = true;
    } else if (job.paths.size() < 3) {
      job.paths.push_back(arg);
    }
  }
  return job;
}

int run_job(const std::vector<std::string>& args) {
  const JobSettings job = parse_job(args);
  if (job.mode == JobMode::none || job.paths.size() < 2) return -1;
  const std::string& first = job.paths[0];
  const std::string& second = job.paths[1];
  switch (job.mode) {
    case JobMode::decode_text: return decode_file(first, second, job.decode_number);
    case JobMode::encode_text: return encode_file(first, second, job.newline_flag);
    case JobMode::extract: return run_extract(first, second, job.music);
    case JobMode::build:
      if (job.paths.size() < 3) {
        log_message(msg::build_needs_folder);
        return 1;
      }
      return run_build(first, second, job.paths[2], job.music);
    case JobMode::none: break;
  }
  return -1;
}

std::string csv_folder_of(const std::string& path) {
  if (path.empty()) return std::string(".") + platform::native_separator;
  if (platform::is_directory(path)) {
    return platform::is_separator(path.back()) ? path : path + platform::native_separator;
  }
  // The last component starts after the last separator; the second byte of a double-byte
  // character is never a separator.
  std::size_t last_separator = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (is_lead(path[i])) {
      ++i;
    } else if (platform::is_separator(path[i])) {
      last_separator = i;
    }
  }
  const std::size_t name_start = last_separator == std::string::npos ? 0 : last_separator + 1;
  if (path.find('.', name_start) != std::string::npos) {
    if (last_separator == std::string::npos) return std::string(".") + platform::native_separator;
    return path.substr(0, last_separator + 1);
  }
  if (last_separator != std::string::npos && last_separator + 1 == path.size()) return path;
  return path + platform::native_separator;
}

int run_extract(const std::string& rom_path, const std::string& csv_path, bool music) {
  const std::string folder = csv_folder_of(csv_path);
  if (rom_open(rom_path, false) != 0) return 1;
  if (!platform::is_directory(folder) && !platform::make_directories(folder)) {
    log_message(msg::cannot_open, folder.c_str());
    rom_close();
    return 1;
  }
  run_pipeline(folder, Direction::extract, music);
  rom_close();
  return 0;
}

int run_build(const std::string& input_path, const std::string& output_path,
              const std::string& csv_path, bool music) {
  if (input_path.empty() || output_path.empty() || csv_path.empty()) return 1;
  const std::string folder = csv_folder_of(csv_path);
  if (rom_open(input_path, true) != 0) return 1;
  run_pipeline(folder, Direction::build, music);
  const int result = rom_save(output_path) == 0 ? 0 : 1;
  rom_close();
  return result;
}
