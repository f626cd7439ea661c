// The floor the whole jobs are measured against: a process that moves the same bytes through
// the same files and does nothing else.
//   varbek_floor extract IMAGE LIST FOLDER  reads the image, then writes each file of LIST
//                                            (lines "SIZE NAME") into FOLDER, bytes of the image
//   varbek_floor build IMAGE FOLDER OUT      reads the image and every file in FOLDER, writes
//                                            the image to OUT
// Every file is written whole to a temporary name and renamed over its target, as the jobs do.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool read_whole(const std::string& path, std::vector<char>& bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0;
  bytes.resize(ok ? static_cast<std::size_t>(st.st_size) : 0);
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
    ok = n > 0;
    done += ok ? static_cast<std::size_t>(n) : 0;
  }
  return close(fd) == 0 && ok;
}

bool write_whole(const std::string& path, const char* data, std::size_t size) {
  const std::string temporary = path + ".floor-tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  for (std::size_t done = 0; ok && done < size;) {
    const ssize_t n = write(fd, data + done, size - done);
    ok = n > 0;
    done += ok ? static_cast<std::size_t>(n) : 0;
  }
  ok = close(fd) == 0 && ok;
  return ok && std::rename(temporary.c_str(), path.c_str()) == 0;
}

int extract(const std::string& image_path, const std::string& list_path, const std::string& folder) {
  std::vector<char> image;
  std::vector<char> list;
  if (!read_whole(image_path, image) || image.empty() || !read_whole(list_path, list)) return 1;
  list.push_back('\0');
  std::vector<char> bytes;
  std::size_t from = 0;
  char name[4096];
  unsigned long size = 0;
  int used = 0;
  for (const char* line = list.data(); std::sscanf(line, "%lu %4095s%n", &size, name, &used) == 2; line += used) {
    bytes.resize(size);
    for (std::size_t done = 0; done < size;) {
      const std::size_t n = std::min(size - done, image.size() - from);
      std::memcpy(bytes.data() + done, image.data() + from, n);
      done += n;
      from = (from + n) % image.size();
    }
    if (!write_whole(folder + "/" + name, bytes.data(), bytes.size())) return 1;
  }
  return 0;
}

int build(const std::string& image_path, const std::string& folder, const std::string& out) {
  std::vector<char> image;
  if (!read_whole(image_path, image)) return 1;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return 1;
  std::vector<char> file;
  while (const dirent* entry = readdir(dir)) {
    const std::string path = folder + "/" + entry->d_name;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !read_whole(path, file)) break;
  }
  closedir(dir);
  return write_whole(out, image.data(), image.size()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "extract") return extract(argv[2], argv[3], argv[4]);
  if (argc == 5 && std::string(argv[1]) == "build") return build(argv[2], argv[3], argv[4]);
  std::fputs("usage: varbek_floor extract IMAGE LIST FOLDER | build IMAGE FOLDER OUT\n", stderr);
  return 2;
}
