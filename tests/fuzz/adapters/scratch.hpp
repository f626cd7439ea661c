#pragma once
// Scratch folders for the targets whose parts of the program read and write files.
#include <filesystem>
#include <random>
#include <string>

namespace fuzz_adapter {

// The process's folder for `name`, made when missing, with a separator at its end. It lies in
// a file system in memory where there is one, since on a disk creating and deleting files costs
// milliseconds a run, and is removed when the process ends normally (a failure leaves it).
inline std::string scratch_folder(const std::string& name) {
  namespace fs = std::filesystem;
  struct Root {
    fs::path path = (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                    ("varbek_fuzz_" + std::to_string(std::random_device{}()));
    ~Root() {
      std::error_code error;
      fs::remove_all(path, error);
    }
  };
  static const Root root;
  const fs::path folder = root.path / name;
  std::error_code error;
  fs::create_directories(folder, error);
  return folder.string() + "/";
}

}  // namespace fuzz_adapter
