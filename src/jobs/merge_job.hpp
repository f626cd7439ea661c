#pragma once
#include <array>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "core/job_context.hpp"

// One place both mods changed differently: where, and the values of the original and of
// each mod ("" for a row or song one of them lacks).
struct MergeConflict {
  std::string file;
  std::string id;
  std::string column;
  std::string original;
  std::string a;
  std::string b;
};

// What each mod gave one file of the merged data: rows (or songs, or byte ranges) taken from
// A, from B, and changed alike by both.
struct MergeCounts {
  std::string file;
  int from_a = 0;
  int from_b = 0;
  int both = 0;
};

// The conflicts and counts of one merge, and the side (0, 'A' or 'B') every conflict takes.
struct MergeResult {
  char side = 0;
  std::vector<MergeConflict> conflicts;
  std::vector<MergeCounts> counts;
};

// Merges two mods of the image at `paths[0]` (`paths[1]` and `paths[2]`, each an image or a
// BPS or IPS patch to it): every table cell, text entry, learning row and (with music) song
// three-way, then the bytes outside every area, built as a build would and written to
// `output_path`. With a conflict no side was chosen for, or a merged area that no longer
// fits, nothing is written and the result is 1. The conflicts also go to a CSV file beside
// the output.
JobResult run_merge(JobContext& job, const std::array<std::string, 3>& paths, const std::string& output_path,
                    const JobSettings& settings);

// The text of one merged CSV file: the original's lines, each row replaced by its merge.
// Rows are matched by their ID within their section; with `whole_rows` a row is one value
// (an event battle, a learning row), else each cell is merged by its column.
std::string merge_table_text(const std::string& file_name, const std::string& original, const std::string& a,
                             const std::string& b, bool whole_rows, MergeResult& result);

// The files a merge writes beside its image.
std::string merge_conflicts_path(const std::string& output_path);
std::string merge_log_path(const std::string& output_path);
