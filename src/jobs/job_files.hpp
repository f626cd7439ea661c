#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jobs/job.hpp"

class Report;

// The files a job reads and the files it writes, named as the job will name them.
struct JobFiles {
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
};

// Every file the job may read or write: the ROM, the patch, each table file, event file and
// song text, arg.txt and the log. A file the job only might touch is listed all the same.
JobFiles files_of_job(const JobSettings& settings, const std::string& start_folder);
// Reports each output that is one of the inputs, that another output also names, or that is
// not a regular file, and tells whether there was any: then the job writes nothing. Files are
// compared by identity when they exist, by folder and name when they do not yet.
bool refuse_unsafe_files(Report& report, const JobFiles& files);
// The patch a build writes beside its new ROM: its name with the extension ".bps".
std::string patch_path_of(const std::string& output_path, const char* extension = ".bps");
// Reads a whole input file of at most `max_size` bytes, reporting why it cannot be used.
Status read_input_file(Report& report, const std::string& path, std::string& contents,
                       std::uint64_t max_size);

// A new, empty folder in the system's temporary folder, named `prefix` and a number, removed
// with everything in them when it goes; its path ends in a separator and is "" when none could
// be made. Jobs that extract for their own use work there, never beside the player's files.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const char* prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
