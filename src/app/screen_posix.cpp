#include "app/screen.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/platform.hpp"

namespace screen {

void show_message_box(const std::string& text, void*) { write_console(text, false); }

void write_console(const std::string& text, bool to_error) {
  const std::string out = platform::from_sjis(text);
  std::FILE* stream = to_error ? stderr : stdout;
  std::fwrite(out.data(), 1, out.size(), stream);
  std::fflush(stream);
}

bool standard_streams_shared() {
  struct stat out {};
  struct stat error {};
  if (fstat(STDOUT_FILENO, &out) != 0 || fstat(STDERR_FILENO, &error) != 0) return false;
  if (isatty(STDOUT_FILENO) && isatty(STDERR_FILENO)) {
    // Two terminals are one when they are the same device node.
    return out.st_rdev == error.st_rdev;
  }
  return out.st_dev == error.st_dev && out.st_ino == error.st_ino;
}

}  // namespace screen
