#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// The little the program needs from the operating system. Every path and text crossing this
// boundary is Shift-JIS (code page 932); each platform converts to its own form here.
namespace platform {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file in binary mode ("rb", "wb").
File open_file(const std::string& path, const char* mode);

// What a path names, links followed. Two paths name one file when both exist and their volume
// and index agree (device and inode; volume serial and file index).
enum class FileKind { missing, regular, directory, other };
struct FileInfo {
  FileKind kind = FileKind::missing;
  std::uint64_t size = 0;
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool identified = false;  // volume and index are known
};
FileInfo file_info(const std::string& path);
bool same_file(const FileInfo& a, const FileInfo& b);
// True when two names within one folder name the same entry (Windows ignores case).
bool same_name(const std::string& a, const std::string& b);
// Opens a regular file for reading, never waiting on a FIFO or a device; null for anything
// else. `info` receives what the open file is.
File open_regular_file(const std::string& path, FileInfo& info);
// Creates a file that did not exist, for writing; nothing at the path is followed or
// replaced, a symbolic link neither. `existed` tells whether something was already there.
File create_new_file(const std::string& path, bool& existed);
bool is_directory(const std::string& path);
// True when something (file, folder, device...) has this name; nothing is opened.
bool path_exists(const std::string& path);
// Creates the folder and its parents; true when it exists afterwards.
bool make_directories(const std::string& path);
// Moves `from` onto `to`, replacing `to` when it exists.
bool replace_file(const std::string& from, const std::string& to);
bool remove_file(const std::string& path);
// Removes an empty folder.
bool remove_folder(const std::string& path);
// Removes a folder and everything in it; true when it is gone afterwards.
bool remove_folder_tree(const std::string& path);
std::string current_directory();
// The system's folder for temporary files, ending in a separator; "" when there is none.
std::string temporary_folder();

// True for the bytes that separate folders in a path on this platform.
bool is_separator(char c);
inline constexpr char native_separator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

#ifdef _WIN32
// The process's command line after the program's own name, in Shift-JIS; `exact` tells
// whether every character had a Shift-JIS form.
std::string command_line_arguments(bool* exact = nullptr);
// Shift-JIS to and from the system's wide characters, for the Win32 calls.
std::wstring widen(const std::string& sjis);
std::string narrow(const std::wstring& wide);
#endif

// Converts the console's or the system's own text into Shift-JIS, and back. `exact`, when
// given, tells whether every character had a Shift-JIS form.
std::string to_sjis(const std::string& native, bool* exact = nullptr);
std::string from_sjis(const std::string& sjis);

}  // namespace platform
