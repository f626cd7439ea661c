#include "core/platform.hpp"

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {
namespace {

bool locale_is_utf8() {
  static const bool utf8 = [] {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    return codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
  }();
  return utf8;
}

// Converts between two encodings; bytes that cannot be converted are kept as they are, so a
// path never loses a byte, and `exact` turns false.
std::string convert(const std::string& text, const char* to, const char* from,
                    bool* exact = nullptr) {
  if (exact) *exact = true;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (exact) *exact = false;
    return text;
  }
  std::string out;
  out.reserve(text.size() * 2);
  std::vector<char> in_buf(text.begin(), text.end());
  char* in = in_buf.data();
  std::size_t in_left = in_buf.size();
  char chunk[256];
  while (in_left > 0) {
    char* dst = chunk;
    std::size_t dst_left = sizeof chunk;
    const std::size_t r = iconv(cd, &in, &in_left, &dst, &dst_left);
    out.append(chunk, static_cast<std::size_t>(dst - chunk));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      if (exact) *exact = false;
      out.push_back(*in);
      ++in;
      --in_left;
    }
  }
  iconv_close(cd);
  return out;
}

std::string native_path(const std::string& path) {
  return locale_is_utf8() ? convert(path, "UTF-8", "CP932") : path;
}

}  // namespace

File open_file(const std::string& path, const char* mode) {
  return File(std::fopen(native_path(path).c_str(), mode));
}

namespace {

FileInfo info_of(const struct stat& st) {
  FileInfo info;
  info.kind = S_ISREG(st.st_mode) ? FileKind::regular
              : S_ISDIR(st.st_mode) ? FileKind::directory
                                    : FileKind::other;
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.volume = static_cast<std::uint64_t>(st.st_dev);
  info.index = static_cast<std::uint64_t>(st.st_ino);
  info.identified = true;
  return info;
}

}  // namespace

FileInfo file_info(const std::string& path) {
  struct stat st {};
  if (stat(native_path(path).c_str(), &st) != 0) {
    FileInfo missing;
    // A path that exists but cannot be looked at (a dangling link, a folder without rights)
    // is not a file the program may take or replace.
    if (errno != ENOENT && errno != ENOTDIR) missing.kind = FileKind::other;
    return missing;
  }
  return info_of(st);
}

bool same_file(const FileInfo& a, const FileInfo& b) {
  return a.identified && b.identified && a.volume == b.volume && a.index == b.index;
}

bool same_name(const std::string& a, const std::string& b) { return a == b; }

File open_regular_file(const std::string& path, FileInfo& info) {
  info = FileInfo();
  const int fd = open(native_path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return File();
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    close(fd);
    return File();
  }
  info = info_of(st);
  if (info.kind != FileKind::regular || fcntl(fd, F_SETFL, 0) != 0) {
    close(fd);
    return File();
  }
  std::FILE* f = fdopen(fd, "rb");
  if (!f) close(fd);
  return File(f);
}

File create_new_file(const std::string& path, bool& existed) {
  const int fd = open(native_path(path).c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  existed = fd < 0 && errno == EEXIST;
  if (fd < 0) return File();
  std::FILE* f = fdopen(fd, "wb");
  if (!f) {
    close(fd);
    unlink(native_path(path).c_str());
  }
  return File(f);
}

bool is_directory(const std::string& path) {
  struct stat st {};
  return stat(native_path(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool path_exists(const std::string& path) {
  struct stat st {};
  return lstat(native_path(path).c_str(), &st) == 0;
}

bool make_directories(const std::string& path) {
  std::string native = native_path(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (native.empty()) return false;
  for (std::size_t i = 1; i <= native.size(); ++i) {
    if (i == native.size() || native[i] == '/') {
      const std::string part = native.substr(0, i);
      if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat st {};
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool replace_file(const std::string& from, const std::string& to) {
  return std::rename(native_path(from).c_str(), native_path(to).c_str()) == 0;
}

bool remove_file(const std::string& path) { return std::remove(native_path(path).c_str()) == 0; }

bool remove_folder(const std::string& path) { return rmdir(native_path(path).c_str()) == 0; }
bool remove_folder_tree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(native_path(path), error);
  return !error;
}

std::string temporary_folder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir && *tmpdir == '/' ? to_sjis(tmpdir) : std::string("/tmp");
  if (folder.empty() || !is_directory(folder)) return std::string();
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string current_directory() {
  std::vector<char> buf(4096);
  if (!getcwd(buf.data(), buf.size())) return std::string();
  return to_sjis(buf.data());
}

bool is_separator(char c) { return c == '/'; }

std::string to_sjis(const std::string& native, bool* exact) {
  if (!locale_is_utf8()) {
    if (exact) *exact = true;
    return native;
  }
  return convert(native, "CP932", "UTF-8", exact);
}

std::string from_sjis(const std::string& sjis) {
  return locale_is_utf8() ? convert(sjis, "UTF-8", "CP932") : sjis;
}

}  // namespace platform
