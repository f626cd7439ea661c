#pragma once
// Every call of the tables target into the program: table jobs on the sample image, whose
// extract is made once per process in a scratch folder.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "adapters/scratch.hpp"
#include "jobs/job.hpp"
#include "event/event_bank.hpp"
#include "sample_rom.hpp"

namespace fuzz_adapter {

using Bytes = std::vector<std::uint8_t>;

inline const char* const table_files[] = {
    "monster_ptn.csv", "mons_tech.csv", "monster.csv", "char.csv",         "flash.csv", "form.csv",
    "form_tech.csv",   "item.csv",      "tech.csv",    "event_battle.csv", "name.csv",  "string.csv",
};
inline constexpr std::size_t table_file_count = std::size(table_files);

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void write_file(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

// An extract here leaves the event files out, so that builds keep the sample's event banks:
// those are another target's.
inline JobResult run_table_job(std::vector<std::string> args, Bytes* image = nullptr) {
  args.insert(args.begin(), "varbek");
  JobContext job;
  const JobResult result = run_job(job, args);
  if (args[1] == "-a") {
    for (int b = 0; b < event_bank_count; ++b) std::remove(event_file_path(args.back(), b).c_str());
  }
  if (image) *image = std::move(job.rom.image);
  return result;
}

struct TablesSample {
  std::string root;
  std::string image_path;
  std::string folder;
  Bytes image;
  std::vector<std::string> files;  // as table_files
};

// The sample image and its extract; an empty image when they could not be made.
inline const TablesSample& tables_sample() {
  static const TablesSample sample = [] {
    TablesSample s;
    s.root = scratch_folder("tables");
    s.image_path = s.root + "sample.sfc";
    s.folder = s.root + "extract/";
    if (!write_sample_rom(s.image_path) || run_table_job({"-a", s.image_path, s.folder}) != JobResult::done) return s;
    const std::string bytes = read_file(s.image_path);
    s.image.assign(bytes.begin(), bytes.end());
    for (const char* name : table_files) s.files.push_back(read_file(s.folder + name));
    return s;
  }();
  return sample;
}

// Builds the sample with `contents` as the extract's table file `which`: the job's result and
// the image built, which is saved for rebuild_from_build.
inline JobResult build_with_table(std::size_t which, const std::string& contents, Bytes& image) {
  const TablesSample& s = tables_sample();
  write_file(s.folder + table_files[which], contents);
  const JobResult result = run_table_job({"-m", s.image_path, s.root + "built.sfc", s.folder}, &image);
  write_file(s.folder + table_files[which], s.files[which]);
  return result;
}

// Extracts the last image built and builds the sample from that extract, in memory: the first
// job's result or the second's, and the image built.
inline JobResult rebuild_from_build(Bytes& image) {
  const TablesSample& s = tables_sample();
  const JobResult result = run_table_job({"-a", s.root + "built.sfc", s.root + "again/"});
  return result != JobResult::done ? result : run_table_job({"-c", s.image_path, s.root + "again/"}, &image);
}

}  // namespace fuzz_adapter
