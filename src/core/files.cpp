#include "core/files.hpp"

#include <cstdio>
#include <new>

#include "core/platform.hpp"

namespace platform {

bool read_file(const std::string& path, std::string& contents) {
  contents.clear();
  if (is_directory(path)) return false;
  File f = open_file(path, "rb");
  if (!f) return false;
  try {
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
      contents.append(chunk, n);
      if (contents.size() > max_file_size) {
        contents.clear();
        return false;
      }
    }
  } catch (const std::bad_alloc&) {
    contents.clear();
    return false;
  }
  return std::ferror(f.get()) == 0;
}

bool write_file(const std::string& path, const void* data, std::size_t size) {
  File f = open_file(path, "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f.get()) == size;
  ok = std::fflush(f.get()) == 0 && ok;
  ok = std::fclose(f.release()) == 0 && ok;
  return ok;
}

bool write_file_atomically(const std::string& path, const void* data, std::size_t size) {
  const std::string temporary = path + ".varbek-tmp";
  if (write_file(temporary, data, size) && replace_file(temporary, path)) return true;
  remove_file(temporary);
  return false;
}

}  // namespace platform
