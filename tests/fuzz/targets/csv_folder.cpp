// The folder rule: the CSV folder of a path ends in a separator and is the path itself, the
// path with a separator added, the path cut after its last separator, or the current folder;
// an existing folder's path is kept.
#include "adapters/csv_folder.hpp"

#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "csv_folder";

// Where the last separator stands, reading with code page 932; npos when there is none.
std::size_t last_separator(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += cp932_length(path, i)) {
    if (fa::is_separator(path[i])) last = i;
  }
  return last;
}

const char* check(const std::string& path, const std::string& folder) {
  const std::size_t folder_end = last_separator(folder);
  if (folder.empty() || folder_end != folder.size() - 1) return "the folder does not end in a separator";
  const std::string added = path + fa::native_separator;
  if (folder == path || folder == added) return nullptr;
  if (fa::is_directory(path)) return "a folder's own path was changed";
  const std::size_t last = last_separator(path);
  if (last != std::string::npos) {
    return folder == path.substr(0, last + 1) ? nullptr
                                              : "the folder is no cut of the path after its last separator";
  }
  return folder == std::string(".") + fa::native_separator ? nullptr
                                                           : "a bare name did not give the current folder";
}

}  // namespace

int fuzz_csv_folder(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const char* violation = check(path, fa::folder_of(path));
  if (!violation) return fuzz_pass;
  fuzz_fail(target, "%s", violation);
}
