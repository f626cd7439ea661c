#include "jobs/job_files.hpp"

#include <chrono>

#include "jobs/merge_job.hpp"

#include "core/files.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"
#include "event/event_bank.hpp"
#include "event/event_tags.hpp"
#include "music/song.hpp"
#include "tables/registry.hpp"

namespace {

// What a path names: the file when it exists, else the name within its folder.
struct FileKey {
  std::string path;
  platform::FileInfo file;
  platform::FileInfo folder;
  std::string name;
};

FileKey key_of(const std::string& path) {
  std::size_t name_start = 0;
  for (std::size_t i = 0; i < path.size(); i += sjis::char_length(path, i)) {
    if (platform::is_separator(path[i])) name_start = i + 1;
  }
  FileKey key{path, platform::file_info(path), {}, path.substr(name_start)};
  key.folder = platform::file_info(name_start == 0 ? std::string(".") : path.substr(0, name_start));
  return key;
}

bool same_target(const FileKey& a, const FileKey& b) {
  if (platform::same_file(a.file, b.file)) return true;
  if (a.file.identified && b.file.identified) return false;
  if (a.folder.identified && b.folder.identified) {
    return platform::same_file(a.folder, b.folder) && platform::same_name(a.name, b.name);
  }
  return platform::same_name(a.path, b.path);
}

void add_folder_files(std::vector<std::string>& files, const std::string& folder, bool music) {
  for (const RegisteredTable& table : registered_tables()) {
    files.push_back(folder + table.description->file_name);
  }
  for (int bank = 0; bank < event_bank_count; ++bank) files.push_back(event_file_path(folder, bank));
  if (!music) return;
  for (int song = 0; song < extended_song_count; ++song) files.push_back(song_file_path(folder, song));
}

}  // namespace

std::string patch_path_of(const std::string& output_path, const char* extension) {
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < output_path.size(); i += sjis::char_length(output_path, i)) {
    if (output_path[i] == '.') dot = i;
    if (platform::is_separator(output_path[i])) dot = std::string::npos;
  }
  return output_path.substr(0, dot) + extension;
}

JobFiles files_of_job(const JobSettings& settings, const std::string& start_folder) {
  JobFiles files;
  const std::vector<std::string>& paths = settings.paths;
  switch (settings.mode) {
    case JobMode::decode_text:
    case JobMode::encode_text:
      if (paths.size() >= 2) files = {{paths[0]}, {paths[1]}};
      break;
    case JobMode::apply_patch:
    case JobMode::diff:
      if (paths.size() >= 3) files = {{paths[0], paths[1]}, {paths[2]}};
      break;
    case JobMode::extract:
    case JobMode::check:
    case JobMode::build: {
      const bool build = settings.mode == JobMode::build;
      const std::size_t folder_at = build ? 2 : 1;
      if (paths.size() <= folder_at) break;
      const std::string folder = csv_folder_of(paths[folder_at]);
      files.inputs.push_back(paths[0]);
      if (!start_folder.empty()) files.inputs.push_back(arg_file_path(start_folder));
      add_folder_files(settings.mode == JobMode::extract ? files.outputs : files.inputs, folder,
                       settings.music);
      if (build) {
        files.outputs.push_back(paths[1]);
        if (settings.patch) files.outputs.push_back(patch_path_of(paths[1]));
        if (settings.ips) files.outputs.push_back(patch_path_of(paths[1], ".ips"));
      }
      files.outputs.push_back(folder + log_file_name);
      break;
    }
    case JobMode::merge:
      if (paths.size() >= 4) {
        files = {{paths[0], paths[1], paths[2]},
                 {paths[3], merge_conflicts_path(paths[3]), merge_log_path(paths[3])}};
      }
      break;
    case JobMode::round_trip:
      if (!paths.empty()) files.inputs.push_back(paths[0]);
      break;
    case JobMode::none: break;
  }
  return files;
}

bool refuse_unsafe_files(Report& report, const JobFiles& files) {
  std::vector<FileKey> inputs;
  for (const std::string& path : files.inputs) inputs.push_back(key_of(path));
  std::vector<FileKey> outputs;
  bool refused = false;
  for (const std::string& path : files.outputs) {
    const FileKey output = key_of(path);
    const platform::FileKind kind = output.file.kind;
    if (kind != platform::FileKind::missing && kind != platform::FileKind::regular) {
      report.add(msg::output_not_regular, path);
      refused = true;
    }
    for (const FileKey& input : inputs) {
      if (!same_target(output, input)) continue;
      report.add(msg::output_is_input, path, input.path);
      refused = true;
    }
    for (const FileKey& earlier : outputs) {
      if (!same_target(output, earlier)) continue;
      report.add(msg::outputs_clash, earlier.path, path);
      refused = true;
    }
    outputs.push_back(output);
  }
  return refused;
}

Status read_input_file(Report& report, const std::string& path, std::string& contents,
                       std::uint64_t max_size) {
  std::uint64_t size = 0;
  switch (platform::read_regular_file(path, contents, max_size, &size)) {
    case platform::ReadResult::ok: return Status::ok;
    case platform::ReadResult::not_regular: report.add(msg::not_regular_file, path); return Status::failed;
    case platform::ReadResult::too_large:
      report.add(msg::file_too_large, path, static_cast<unsigned long long>(size),
                 static_cast<unsigned long long>(max_size));
      return Status::failed;
    default: report.add(msg::cannot_open, path); return Status::failed;
  }
}

TemporaryFolder::TemporaryFolder(const char* prefix) {
  const std::string base = platform::temporary_folder();
  if (base.empty()) return;
  const auto seed = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  for (unsigned attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::string folder = base + prefix + std::to_string(seed + attempt);
    if (platform::path_exists(folder)) continue;
    if (platform::make_directories(folder)) path_ = folder + platform::native_separator;
  }
}

TemporaryFolder::~TemporaryFolder() {
  if (!path_.empty()) platform::remove_folder_tree(path_);
}
