#include "jobs/job.hpp"

#include "jobs/change_list.hpp"
#include "jobs/diff_job.hpp"
#include "jobs/job_files.hpp"
#include "jobs/merge_job.hpp"
#include "jobs/pipeline.hpp"
#include "jobs/round_trip_job.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/bps.hpp"
#include "core/crc32.hpp"
#include "core/ips.hpp"
#include "core/snes_header.hpp"
#include "varbek_version.hpp"
#include "core/files.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "core/rom_image.hpp"
#include "core/sjis.hpp"
#include "text/text_file.hpp"

namespace {

// The decimal digits that stand at `from`, 0 when there are none.
int leading_number(const std::string& text, std::size_t from) {
  int value = 0;
  for (std::size_t i = from; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// A valid checksum stays valid after the edits; one that was already wrong is left alone.
void update_header_checksum(JobContext& job) {
  RomImage& rom = job.rom;
  const std::uint8_t* input = rom.file.data() + rom.copier_header;
  std::uint8_t* image = rom.image.data() + rom.copier_header;
  const std::size_t size = rom.image.size() - rom.copier_header;
  const std::vector<std::size_t> offsets = header_offsets(rom);
  if (!header_checksum_valid(input, size, offsets[0])) {
    job.report.add(msg::checksum_left);
    return;
  }
  if (!write_header_checksum(image, size, offsets)) return;
  if (rom.image != rom.file) {
    const unsigned checksum = image[offsets[0] + 0x1E] | (image[offsets[0] + 0x1F] << 8);
    job.report.add(msg::checksum_updated, checksum);
  }
}

// The patch goes beside the new ROM, named like it with the extension ".bps".
// A patch from the input to the new image, beside the new ROM and named like it.
void write_patch(JobContext& job, const std::string& output_path, bool ips) {
  const std::string path = patch_path_of(output_path, ips ? ".ips" : ".bps");
  const std::vector<std::uint8_t> patch =
      ips ? ips_create(job.rom.file, job.rom.image) : bps_create(job.rom.file, job.rom.image);
  if (patch.empty() || !platform::write_file_atomically(path, patch.data(), patch.size())) {
    job.report.add(msg::cannot_write, path);
    return;
  }
  if (ips) {
    job.report.add(msg::ips_written, path);
  } else {
    job.report.add(msg::patch_written, path);
  }
}


// The first lines of a log: which program wrote it, and about which image (its name: the same
// job from the dialog and from the command line leaves the same log).
std::string log_heading(const RomImage& rom, const std::string& rom_path) {
  return Report::format(msg::log_program.text, varbek_version) + "\r\n" +
         Report::format(msg::log_image.text, file_name_of(rom_path), static_cast<unsigned long long>(rom.file.size()),
                        crc32(rom.file.data(), rom.file.size()), rom_version_code(rom), rom.copier_header) +
         "\r\n";
}

JobResult done_if(Status status) { return status == Status::ok ? JobResult::done : JobResult::failed; }

bool table_job(JobMode mode) {
  return mode == JobMode::extract || mode == JobMode::build || mode == JobMode::check;
}

// The CSV folder a table job works in, or "" for the text modes.
std::string job_folder(const JobSettings& settings) {
  if (settings.mode == JobMode::extract || settings.mode == JobMode::check) {
    return settings.paths.size() >= 2 ? csv_folder_of(settings.paths[1]) : std::string();
  }
  if (settings.mode == JobMode::build && settings.paths.size() >= 3) {
    return csv_folder_of(settings.paths[2]);
  }
  return std::string();
}


// Where a job leaves its log: a table job in its CSV folder, a merge beside the merged image;
// "" for the other jobs and for a CSV folder that is not there.
std::string log_target_of(const JobSettings& settings) {
  if (settings.mode == JobMode::merge && settings.paths.size() == 4) return merge_log_path(settings.paths[3]);
  if (!table_job(settings.mode)) return std::string();
  const std::string folder = job_folder(settings);
  return !folder.empty() && platform::is_directory(folder) ? folder + log_file_name : std::string();
}

// What each job takes: its letter, its number of paths and the option letters it uses
// besides q, v (console) and h (help).
struct ModeRule {
  JobMode mode;
  char letter;
  std::size_t paths;
  const char* options;
};
constexpr ModeRule mode_rules[] = {
    {JobMode::extract, 'a', 2, "mus"},     {JobMode::build, 'm', 3, "mspi"},
    {JobMode::check, 'c', 2, "ms"},        {JobMode::apply_patch, 'b', 3, ""},
    {JobMode::encode_text, 'e', 2, "n"},   {JobMode::decode_text, 'd', 2, "l"},
    {JobMode::diff, 'x', 3, "mu"},        {JobMode::merge, 'j', 4, "mAB"},
    {JobMode::round_trip, 't', 1, ""},
};

const ModeRule* rule_of_letter(char letter) {
  for (const ModeRule& rule : mode_rules) {
    if (rule.letter == letter) return &rule;
  }
  return nullptr;
}

const ModeRule* rule_of_mode(JobMode mode) {
  for (const ModeRule& rule : mode_rules) {
    if (rule.mode == mode) return &rule;
  }
  return nullptr;
}

// Reads the arguments one by one; the first fault is kept, and later arguments are still read
// for -q and -v, which decide where the refusal is shown.
struct LineReader {
  JobSettings settings;
  std::string letters_used;  // the job's own option letters, for the check against the mode

  void refuse(const Message& message, std::vector<std::string> subjects = {}) {
    if (!settings.refusal.message) settings.refusal = Refusal{&message, std::move(subjects)};
  }

  void read(const std::string& arg, std::size_t position) {
    if (arg == "--help") {
      settings.help = true;
    } else if (arg == "--version") {
      settings.version = true;
    } else if (arg.empty()) {
      refuse(msg::args_empty_path, {std::to_string(position)});
    } else if (arg[0] != '-') {
      settings.paths.push_back(arg);
    } else if (arg.size() == 1 || arg[1] == '-') {
      refuse(msg::args_unknown_option, {arg});
    } else {
      read_letters(arg);
    }
  }

  // A group of letters after one hyphen: "-mmp" is -m, the music m and -p. An m is the build
  // when it opens its group or no mode has been given yet; after a mode it is the music.
  void read_letters(const std::string& arg) {
    for (std::size_t i = 1; i < arg.size(); i += sjis::char_length(arg, i)) {
      const char letter = arg[i];
      const bool music = letter == 'm' && i > 1 && settings.mode != JobMode::none;
      const ModeRule* rule = music ? nullptr : rule_of_letter(letter);
      if (rule) {
        set_mode(*rule);
      } else if (letter == 'q') {
        settings.quiet = true;
      } else if (letter == 'v') {
        settings.verbose = true;
      } else if (letter == 'h') {
        settings.help = true;
      } else if (letter == 'l') {
        letters_used += letter;
        settings.decode_number = leading_number(arg, i + 1);
        while (i + 1 < arg.size() && arg[i + 1] >= '0' && arg[i + 1] <= '9') ++i;
      } else if (letter == 'A' || letter == 'B') {
        letters_used += letter;
        if (settings.merge_side && settings.merge_side != letter) refuse(msg::args_two_sides);
        settings.merge_side = letter;
      } else if (bool* flag = flag_of(letter)) {
        letters_used += letter;
        *flag = true;
      } else {
        refuse(msg::args_unknown_letter, {arg, arg.substr(i, sjis::char_length(arg, i))});
        return;
      }
    }
  }

  bool* flag_of(char letter) {
    switch (letter) {
      case 'm': return &settings.music;
      case 's': return &settings.strict;
      case 'p': return &settings.patch;
      case 'i': return &settings.ips;
      case 'u': return &settings.utf8_files;
      case 'n': return &settings.newline_flag;
      default: return nullptr;
    }
  }

  void set_mode(const ModeRule& rule) {
    const ModeRule* given = rule_of_mode(settings.mode);
    if (given && given != &rule) {
      refuse(msg::args_two_modes, {std::string(1, given->letter), std::string(1, rule.letter)});
      return;
    }
    settings.mode = rule.mode;
  }

  // The checks that need the whole line.
  void finish() {
    if (settings.refusal.message) return;
    if (settings.help || settings.version) {
      if (settings.mode != JobMode::none || !settings.paths.empty() || !letters_used.empty()) {
        refuse(msg::args_information_alone, {settings.help ? "-h / --help" : "--version"});
      }
      return;
    }
    const ModeRule* rule = rule_of_mode(settings.mode);
    if (!rule) return refuse(msg::args_no_mode);
    const std::string mode(1, rule->letter);
    for (const char letter : letters_used) {
      if (std::strchr(rule->options, letter)) continue;
      if (letter == 'm') return refuse(msg::args_music_not_for_mode, {mode});
      return refuse(msg::args_not_for_mode, {std::string(1, letter), mode});
    }
    const std::size_t given = settings.paths.size();
    if (settings.mode == JobMode::build && given == 2) return refuse(msg::build_needs_folder);
    if (given < rule->paths) {
      return refuse(msg::args_too_few_paths, {mode, std::to_string(rule->paths), std::to_string(given)});
    }
    if (given > rule->paths) {
      refuse(msg::args_surplus_path, {settings.paths[rule->paths], mode, std::to_string(rule->paths)});
    }
  }
};

void report_refusal(Report& report, const Refusal& refusal) {
  report.add_texts(*refusal.message, refusal.subjects);
}

// An output path that is an existing folder or ends in a separator cannot become a file.
bool names_folder(const std::string& path) {
  return platform::is_separator(path.back()) || platform::is_directory(path);
}

// The CSV folder of a path: a file there is refused, and so is a missing folder where the job
// reads the folder's files.
Refusal check_csv_folder(const std::string& path, bool must_exist) {
  std::string folder = csv_folder_of(path);
  if (platform::is_directory(folder)) return Refusal{};
  while (folder.size() > 1 && platform::is_separator(folder.back())) folder.pop_back();
  if (platform::path_exists(folder)) return Refusal{&msg::args_csv_folder_is_file, {folder}};
  if (must_exist) return Refusal{&msg::args_csv_folder_missing, {folder}};
  return Refusal{};
}

}  // namespace

std::vector<std::string> split_command_line(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t width = sjis::char_length(text, i);
    if (width == 2) {
      current.append(text, i, 2);
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
    i += width;
  }
  if (in_argument) args.push_back(current);
  return args;
}

JobSettings parse_job(const std::vector<std::string>& args) {
  LineReader reader;
  for (std::size_t i = 1; i < args.size(); ++i) reader.read(args[i], i);
  reader.finish();
  return reader.settings;
}

Refusal check_job_paths(const JobSettings& settings) {
  const std::vector<std::string>& paths = settings.paths;
  switch (settings.mode) {
    case JobMode::build:
      if (names_folder(paths[1])) return Refusal{&msg::args_output_is_folder, {paths[1]}};
      return check_csv_folder(paths[2], true);
    case JobMode::check: return check_csv_folder(paths[1], true);
    case JobMode::extract: return check_csv_folder(paths[1], false);
    case JobMode::merge:
      if (names_folder(paths[3])) return Refusal{&msg::args_output_is_folder, {paths[3]}};
      return Refusal{};
    case JobMode::apply_patch:
    case JobMode::diff:
      if (names_folder(paths[2])) return Refusal{&msg::args_output_is_folder, {paths[2]}};
      return Refusal{};
    case JobMode::encode_text:
    case JobMode::decode_text:
      if (names_folder(paths[1])) return Refusal{&msg::args_output_is_folder, {paths[1]}};
      return Refusal{};
    case JobMode::round_trip:
    case JobMode::none: break;
  }
  return Refusal{};
}

JobResult run_job(JobContext& job, const std::vector<std::string>& args) {
  const JobSettings settings = parse_job(args);
  if (!settings.refusal.message && (settings.help || settings.version)) return JobResult::done;
  const Refusal refusal = settings.refusal.message ? settings.refusal : check_job_paths(settings);
  if (refusal.message) {
    report_refusal(job.report, refusal);
    return JobResult::refused;
  }
  const std::string& first = settings.paths[0];
  const std::string& second = settings.paths.size() > 1 ? settings.paths[1] : first;
  if (refuse_unsafe_files(job.report, files_of_job(settings, job.start_folder))) return JobResult::refused;
  switch (settings.mode) {
    case JobMode::decode_text: return done_if(decode_file(job.report, first, second, settings.decode_number));
    case JobMode::encode_text: return done_if(encode_file(job.report, first, second, settings.newline_flag));
    case JobMode::extract: return run_extract(job, first, second, settings);
    case JobMode::check: return run_build(job, first, std::string(), second, settings);
    case JobMode::apply_patch: return run_apply_patch(job, first, second, settings.paths[2]);
    case JobMode::build: return run_build(job, first, second, settings.paths[2], settings);
    case JobMode::diff: return run_diff(job, first, second, settings.paths[2], settings);
    case JobMode::round_trip: return run_round_trip(job, first);
    case JobMode::merge: return run_merge(job, {first, second, settings.paths[2]}, settings.paths[3], settings);
    case JobMode::none: break;
  }
  return JobResult::refused;
}

JobResult run_job(const std::vector<std::string>& args) {
  JobContext job;
  job.start_folder = platform::current_directory();
  return run_job(job, args);
}

std::string csv_folder_of(const std::string& path) {
  if (path.empty()) return std::string(".") + platform::native_separator;
  if (platform::is_directory(path)) {
    return platform::is_separator(path.back()) ? path : path + platform::native_separator;
  }
  // The last component starts after the last separator; the second byte of a double-byte
  // character is never a separator.
  std::size_t last_separator = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += sjis::char_length(path, i)) {
    if (platform::is_separator(path[i])) last_separator = i;
  }
  const std::size_t name_start = last_separator == std::string::npos ? 0 : last_separator + 1;
  if (path.find('.', name_start) != std::string::npos) {
    if (last_separator == std::string::npos) return std::string(".") + platform::native_separator;
    return path.substr(0, last_separator + 1);
  }
  if (last_separator != std::string::npos && last_separator + 1 == path.size()) return path;
  return path + platform::native_separator;
}

JobResult run_extract(JobContext& job, const std::string& rom_path, const std::string& csv_path,
                      const JobSettings& settings) {
  const std::string folder = csv_folder_of(csv_path);
  job.utf8_files = settings.utf8_files;
  if (rom_open(job.rom, rom_path, false, job.report) != Status::ok) return JobResult::failed;
  if (!platform::is_directory(folder) && !platform::make_directories(folder)) {
    job.report.add(msg::cannot_open, folder);
    return JobResult::failed;
  }
  run_pipeline(job, folder, Direction::extract, settings.music);
  return JobResult::done;
}

JobResult run_build(JobContext& job, const std::string& input_path, const std::string& output_path,
                    const std::string& csv_path, const JobSettings& settings) {
  const std::string folder = csv_folder_of(csv_path);
  if (rom_open(job.rom, input_path, true, job.report) != Status::ok) return JobResult::failed;
  run_pipeline(job, folder, Direction::build, settings.music);
  update_header_checksum(job);
  if (output_path.empty()) {  // a check saves nothing
    report_changes(job, settings.music);
    return JobResult::done;
  }
  if (settings.strict && (job.report.errors() > 0 || job.report.warnings() > 0)) {
    job.report.add(msg::strict_nothing_written);
    return JobResult::failed;
  }
  if (rom_save(job.rom, output_path, job.report) != Status::ok) return JobResult::failed;
  report_changes(job, settings.music);
  if (settings.patch) write_patch(job, output_path, false);
  if (settings.ips) write_patch(job, output_path, true);
  if (job.report.errors() > 0) job.report.add(msg::rom_written_with_errors);
  return JobResult::done;
}

Status apply_patch(Report& report, const std::string& patch_path, const std::vector<std::uint8_t>& patch,
                   const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& target) {
  if (ips_recognised(patch)) {
    // An IPS patch checks nothing of the source: only records past its end are found.
    IpsInfo info;
    switch (ips_apply(patch, source, target, &info)) {
      case IpsResult::ok: report.add(msg::ips_source_unchecked); return Status::ok;
      case IpsResult::record_past_end:
        report.add(msg::ips_record_past_end, patch_path, info.offset, info.length,
                   static_cast<unsigned long long>(source.size()));
        return Status::failed;
      case IpsResult::bad_truncation: report.add(msg::ips_bad_truncation, patch_path); return Status::failed;
      case IpsResult::out_of_memory: report.add(msg::out_of_memory); return Status::failed;
      default: report.add(msg::ips_cut, patch_path); return Status::failed;
    }
  }
  BpsInfo info{};
  switch (bps_apply(patch, source, target, &info)) {
    case BpsResult::ok: return Status::ok;
    case BpsResult::wrong_source:
      report.add(msg::patch_wrong_source, static_cast<unsigned long long>(info.expected_source_size),
                 info.expected_source_crc, static_cast<unsigned long long>(info.actual_source_size),
                 info.actual_source_crc);
      return Status::failed;
    case BpsResult::impossible_size:
      report.add(msg::patch_impossible_size, patch_path,
                 static_cast<unsigned long long>(info.expected_source_size),
                 static_cast<unsigned long long>(info.target_size),
                 static_cast<unsigned long long>(bps_max_target_size));
      return Status::failed;
    case BpsResult::wrong_target: report.add(msg::patch_wrong_target); return Status::failed;
    case BpsResult::out_of_memory: report.add(msg::out_of_memory); return Status::failed;
    default: report.add(msg::patch_broken, patch_path); return Status::failed;
  }
}

JobResult run_apply_patch(JobContext& job, const std::string& patch_path, const std::string& source_path,
                          const std::string& target_path) {
  std::string patch_text;
  std::string source_text;
  if (read_input_file(job.report, patch_path, patch_text, bps_max_target_size) != Status::ok ||
      read_input_file(job.report, source_path, source_text, bps_max_target_size) != Status::ok) {
    return JobResult::failed;
  }
  const std::vector<std::uint8_t> patch(patch_text.begin(), patch_text.end());
  const std::vector<std::uint8_t> source(source_text.begin(), source_text.end());
  std::vector<std::uint8_t> target;
  if (apply_patch(job.report, patch_path, patch, source, target) != Status::ok) return JobResult::failed;
  if (!platform::write_file_atomically(target_path, target.data(), target.size())) {
    job.report.add(msg::cannot_write, target_path);
    return JobResult::failed;
  }
  return JobResult::done;
}

bool information_option(const std::vector<std::string>& args, std::string& text) {
  const JobSettings settings = parse_job(args);
  if (settings.refusal.message || !(settings.help || settings.version)) return false;
  text.clear();
  if (settings.version) text += std::string("varbek ") + varbek_version + "\n";
  if (settings.help) text += msg::usage;
  return true;
}

JobOutcome run_reported_job(const std::vector<std::string>& args, const std::string& start_folder,
                            ReportSink sink, bool list_messages) {
  JobContext job;
  job.start_folder = start_folder;
  job.report.set_sink(std::move(sink));
  JobOutcome outcome;
  outcome.result = run_job(job, args);
  const JobSettings settings = parse_job(args);
  if (outcome.result == JobResult::refused) {
    if (list_messages) outcome.text = job.report.messages_text();
    outcome.show_usage = settings.refusal.message != nullptr;
    return outcome;
  }
  if (information_option(args, outcome.text)) return outcome;
  if (job.report.errors() > 0 || (settings.strict && job.report.warnings() > 0)) outcome.result = JobResult::failed;

  // A job that could not open its ROM read nothing: the log of an earlier job stays.
  std::string log_path;
  const std::string log_target = log_target_of(settings);
  if (!log_target.empty() && job.rom.open) {
    std::string log = log_heading(job.rom, settings.paths[0]) + job.report.log_text();
    for (const char c : job.report.final_text() + "\n") log += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (platform::write_file_atomically(log_target, log.data(), log.size())) {
      log_path = log_target;
    } else {
      job.report.add(msg::cannot_write, log_target);
      outcome.result = JobResult::failed;
    }
  }
  outcome.text = job.report.final_text(log_path, list_messages);
  if (settings.mode == JobMode::round_trip) outcome.text += round_trip_verdict(job.report);
  return outcome;
}

int exit_code_of(JobResult result) {
  switch (result) {
    case JobResult::done: return 0;
    case JobResult::failed: return 1;
    case JobResult::refused: break;
  }
  return 2;
}
