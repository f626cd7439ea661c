#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/status.hpp"
#include "core/job_context.hpp"

// What the jobs that compare images (-x, -j) share: an image given as itself or as a patch,
// scratch folders it is extracted into, the rows of an extracted file, and the bytes outside
// everything the files describe.

// The name an image made from a patch is written under in a scratch folder.
inline constexpr const char* scratch_image_name = "compared.smc";

// The image a job opens for the file at `path`: the file itself, or, for a BPS or IPS patch,
// the image at `original_path` patched and written into `folder`. Its path goes to
// `image_path`; failed after reporting why there is none.
Status image_in_folder(Report& report, const std::string& path, const std::string& original_path,
                       const std::string& folder, std::string& image_path);

// The table and event files an extract writes in a folder (with "" the bare names).
std::vector<std::string> text_files(const std::string& folder);

// A fresh folder beside `near`, removed with what the job put in it.
class ScratchFolder {
 public:
  ScratchFolder(Report& report, const std::string& near);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder ending in a separator; empty when none could be made (the report says why).
  const std::string& path() const { return path_; }

 private:
  Report& report_;
  std::string path_;
};

// What an extract leaves besides its files: the image, where its ROM offsets start, and the
// bytes the tables read.
struct ExtractedImage {
  std::vector<std::uint8_t> file;
  std::uint32_t shift = 0;
  std::uint32_t copier_header = 0;
  std::vector<bool> read;
  std::uint64_t rom_size() const { return file.size() - shift; }
};

// Extracts the image at `rom_path` into `folder`; the job's ROM is closed again after.
Status extract_into(JobContext& job, const std::string& rom_path, const std::string& folder, bool music,
                    ExtractedImage& image);

// A file's rows: each section begins at a line whose first cell is "ID"; the rows are the
// lines after it with an ID. Titles, counts and comments (first cell empty) are passed over.
struct TableRows {
  std::vector<std::vector<std::string>> headers;
  std::vector<std::pair<int, std::vector<std::string>>> rows;  // section, cells
  std::vector<std::string> lines;                               // each row's line as written
  std::vector<int> line_numbers;                                // of each row, from 1
  std::map<std::pair<int, std::string>, std::size_t> by_id;
};

std::vector<std::string> cells_of(const std::string& line);
TableRows rows_of(const std::string& text);
// The row with this ID in the section, or null.
const std::vector<std::string>* row_in(const TableRows& table, int section, const std::string& id);
// The line (from 1) of the row with this ID in the section, or 0.
int line_in(const TableRows& table, int section, const std::string& id);
// The header of a column, from the first of the two files that has it.
std::string header_of(const TableRows& a, const TableRows& b, int section, std::size_t column);

// A cell as a CSV file holds it: quoted when it holds a comma, a quote or a line end.
std::string csv_cell(const std::string& text);
// The whole file, or "" when it cannot be read.
std::string file_text(const std::string& path);

// For each ROM offset up to the largest image: true where the byte lies outside every area
// the files describe (packed areas with their free space, event banks, with music the song
// regions), outside the header's checksum words, and was read by none of the extracts.
std::vector<bool> undescribed_bytes(const std::vector<const ExtractedImage*>& images, bool music);
