#pragma once
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "core/job_context.hpp"

// One line of a difference file: where, and the two values.
struct DiffLine {
  std::string file;
  std::string id;
  std::string column;
  std::string original;
  std::string compared;
  // The row's line in the compared side's file (in the original's when only it has the row);
  // 0 for songs and other bytes.
  int line;
};

// Compares two images of the game, the second given as an image or as a BPS or IPS patch to
// the first, and writes one line per difference: every cell, text entry and (with music)
// song, then the byte ranges outside everything the tables read. Done when it ran, whether or
// not anything differs.
JobResult run_diff(JobContext& job, const std::string& original_path, const std::string& compared_path,
                   const std::string& output_path, const JobSettings& settings);

// The differences of what extracts of two images left in two folders: the table and event
// files named, in that order, then with `music` every song.
std::vector<DiffLine> diff_extracts(const std::string& original_folder, const std::string& compared_folder,
                                    const std::vector<std::string>& files, bool music);

// The differences of one CSV file of the tables, given as the texts of both sides: rows are
// matched by their ID within their section, cells by their column.
std::vector<DiffLine> diff_table_text(const std::string& file_name, const std::string& original,
                                      const std::string& compared);
