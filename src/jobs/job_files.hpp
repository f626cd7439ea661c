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
