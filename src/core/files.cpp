#include "core/files.hpp"

#include <chrono>
#include <cstdio>
#include <new>
#include <random>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "core/platform.hpp"
#include "core/sjis.hpp"

namespace platform {
namespace {

// A temporary name nobody guesses, though tries are cheap: creation fails on any name taken.
std::uint32_t fresh_number(std::uint32_t attempt) {
  std::uint32_t seed = attempt * 2654435761u;
  try {
    std::random_device device;
    seed ^= device();
  } catch (...) {
  }
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return seed ^ static_cast<std::uint32_t>(now) ^ static_cast<std::uint32_t>(now >> 32);
}

// Unbuffered, so that the whole file goes to the system in one write.
bool write_all(File f, const void* data, std::size_t size) {
  std::setvbuf(f.get(), nullptr, _IONBF, 0);
  bool ok = size == 0 || std::fwrite(data, 1, size, f.get()) == size;
  ok = std::fflush(f.get()) == 0 && ok;
  return std::fclose(f.release()) == 0 && ok;
}

}  // namespace

namespace {

// The file is read in chunks appended to `contents`, whose room is reserved from the size
// the file had when opened: never zero-filled, and a file that grows is cut at the bound.
template <class Bytes>
ReadResult read_regular_into(const std::string& path, Bytes& contents, std::uint64_t max_size,
                             std::uint64_t* size) {
  contents.clear();
  FileInfo info;
  File f = open_regular_file(path, info);
  if (size) *size = info.size;
  if (!f) {
    const bool file = info.kind == FileKind::missing || info.kind == FileKind::regular;
    return file ? ReadResult::cannot_open : ReadResult::not_regular;
  }
  if (info.size > max_size) return ReadResult::too_large;
  try {
    contents.reserve(static_cast<std::size_t>(info.size));
    prefer_large_pages(contents.data(), contents.capacity());
    // The file's own buffer is bypassed: each chunk goes straight from the system to here.
    std::setvbuf(f.get(), nullptr, _IONBF, 0);
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
      const auto* bytes = reinterpret_cast<const typename Bytes::value_type*>(chunk);
      contents.insert(contents.end(), bytes, bytes + n);
      if (contents.size() > max_size) {
        contents.clear();
        return ReadResult::too_large;
      }
    }
  } catch (const std::bad_alloc&) {
    contents.clear();
    return ReadResult::cannot_open;
  }
  if (std::ferror(f.get()) != 0) {
    contents.clear();
    return ReadResult::cannot_open;
  }
  return ReadResult::ok;
}

}  // namespace

ReadResult read_regular_file(const std::string& path, std::string& contents, std::uint64_t max_size,
                             std::uint64_t* size) {
  return read_regular_into(path, contents, max_size, size);
}

ReadResult read_regular_file(const std::string& path, std::vector<std::uint8_t>& contents,
                             std::uint64_t max_size, std::uint64_t* size) {
  return read_regular_into(path, contents, max_size, size);
}

bool read_file(const std::string& path, std::string& contents) {
  return read_regular_file(path, contents, max_file_size) == ReadResult::ok;
}

void prefer_large_pages(void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t page = 4096;
  constexpr std::size_t worth = std::size_t{4} << 20;  // below that, no large page fits whole
  if (!data || size < worth) return;
  const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(page - 1);
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

bool replaceable(const std::string& path) {
  const FileKind kind = file_info(path).kind;
  return kind == FileKind::missing || kind == FileKind::regular;
}

std::string temporary_name(const std::string& path, std::uint32_t number) {
  std::size_t name_start = 0;
  for (std::size_t i = 0; i < path.size(); i += sjis::char_length(path, i)) {
    if (is_separator(path[i])) name_start = i + 1;
  }
  char name[24];
  std::snprintf(name, sizeof name, "varbek-%08x", static_cast<unsigned>(number));
  return path.substr(0, name_start) + name;
}

bool write_file_atomically(const std::string& path, const void* data, std::size_t size) {
  if (!replaceable(path)) return false;
  for (std::uint32_t attempt = 0; attempt < 64; ++attempt) {
    const std::string temporary = temporary_name(path, fresh_number(attempt));
    bool existed = false;
    File f = create_new_file(temporary, existed);
    if (!f) {
      if (existed) continue;
      return false;
    }
    if (write_all(std::move(f), data, size) && replaceable(path) && replace_file(temporary, path)) {
      return true;
    }
    remove_file(temporary);
    return false;
  }
  return false;
}

}  // namespace platform
