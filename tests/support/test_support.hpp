#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sample_rom.hpp"

class Report;
struct Message;

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder's path ending in a separator, and a path inside it.
  const std::string& folder() const { return folder_; }
  std::string path(const std::string& name) const { return folder_ + name; }

 private:
  std::string folder_;
};

std::vector<std::uint8_t> read_bytes(const std::string& path);
std::string read_text(const std::string& path);
void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The files of folder `from` copied into folder `to`, made when missing. (std::filesystem::copy
// of a folder, and copying over a file, fail under MinGW.)
void copy_files(const std::string& from, const std::string& to);
void write_text(const std::string& path, const std::string& text);
bool file_exists(const std::string& path);
// The bytes of a file named by a Shift-JIS path, opened as the program opens its files; empty
// when it cannot be opened.
std::string read_sjis_file(const std::string& path);

// The sample ROM written to `path`.
void write_sample(const std::string& path, const SampleOptions& options = {});

// Jobs through the same entry as the command line, giving its exit code; `report`, when given,
// receives the job's.
int extract(const std::string& rom, const std::string& folder, bool music = false,
            Report* report = nullptr);
int build(const std::string& rom, const std::string& out, const std::string& folder,
          bool music = false, Report* report = nullptr);

// The text of the report's first `message`, with its place and without its label; empty when
// the report has none.
std::string message_of(const Report& report, const Message& message);

// The lines of a CSV text (CR LF or LF ends), and back with CR LF.
std::vector<std::string> split_lines(const std::string& text);
std::string join_lines(const std::vector<std::string>& lines);

// Sets a cell of the row with this ID in a CSV file (cells split at commas) and gives its old
// text.
std::string set_cell(const std::string& path, const std::string& id, std::size_t column,
                     const std::string& value);

// `size` bytes of a fixed pseudo-random sequence.
std::vector<std::uint8_t> noise(std::size_t size, std::uint32_t seed);

// The first offset at which two images differ, or -1; for readable failure messages.
long first_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

