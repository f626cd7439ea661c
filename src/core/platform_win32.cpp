#include "core/platform.hpp"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <system_error>
#include <fcntl.h>
#include <io.h>

#include <string>

// Everything goes through the wide-character API, so the program behaves the same whatever
// code page the system runs with; Shift-JIS is converted only here.
namespace platform {
namespace {

constexpr UINT sjis = 932;

std::wstring widen_with(UINT code_page, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, out.data(), n);
  return out;
}

// No best-fit mapping: a character that Shift-JIS lacks becomes "?", which no file name can
// hold, instead of a look-alike that could name a different file.
std::string narrow_with(UINT code_page, const std::wstring& text) {
  if (text.empty()) return std::string();
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

bool is_wide_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Long paths only open in the "\\?\" form, which takes an absolute path with backslashes only;
// shorter ones keep their usual form and its usual name rules.
std::wstring native_path(const std::string& path) {
  std::wstring wide = widen(path);
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  const DWORD need = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (need == 0 || need < 240) return wide;
  std::wstring full(need, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return wide;
  full.resize(got);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool is_directory_native(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool make_directories_native(std::wstring path) {
  while (path.size() > 1 && is_wide_separator(path.back())) path.pop_back();
  if (path.empty()) return false;
  if (is_directory_native(path)) return true;
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator != std::wstring::npos && separator > 0) {
    std::wstring parent = path.substr(0, separator);
    // A drive ("C:") and the "\\?\" prefix are never created.
    const bool root = parent.back() == L':' || parent == L"\\\\?";
    if (!root && !make_directories_native(parent)) return false;
  }
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  return is_directory_native(path);
}

}  // namespace

std::wstring widen(const std::string& sjis_text) { return widen_with(sjis, sjis_text); }
std::string narrow(const std::wstring& wide) { return narrow_with(sjis, wide); }

File open_file(const std::string& path, const char* mode) {
  return File(_wfopen(native_path(path).c_str(), widen_with(CP_ACP, mode).c_str()));
}

namespace {

bool is_missing_error(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
}

FileInfo info_of(HANDLE handle) {
  FileInfo info;
  info.kind = FileKind::other;
  BY_HANDLE_FILE_INFORMATION data{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &data)) {
    return info;
  }
  info.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::directory : FileKind::regular;
  info.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  info.volume = data.dwVolumeSerialNumber;
  info.index = (std::uint64_t{data.nFileIndexHigh} << 32) | data.nFileIndexLow;
  info.identified = true;
  return info;
}

// A file opened through its handle as a stream; the handle is closed on failure.
File stream_of(HANDLE handle, int flags, const char* mode) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
  if (fd < 0) {
    CloseHandle(handle);
    return File();
  }
  std::FILE* f = _fdopen(fd, mode);
  if (!f) _close(fd);
  return File(f);
}

}  // namespace

FileInfo file_info(const std::string& path) {
  // No access asked: only the file's identity is looked at, and folders open too.
  const HANDLE handle = CreateFileW(native_path(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    FileInfo info;
    if (!is_missing_error(GetLastError())) info.kind = FileKind::other;
    return info;
  }
  const FileInfo info = info_of(handle);
  CloseHandle(handle);
  return info;
}

bool same_file(const FileInfo& a, const FileInfo& b) {
  return a.identified && b.identified && a.volume == b.volume && a.index == b.index;
}

bool same_name(const std::string& a, const std::string& b) {
  const std::wstring wa = widen(a);
  const std::wstring wb = widen(b);
  return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                              static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

File open_regular_file(const std::string& path, FileInfo& info) {
  info = FileInfo();
  const HANDLE handle = CreateFileW(native_path(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // A folder does not open this way; what the path names is told all the same.
    info = file_info(path);
    return File();
  }
  info = info_of(handle);
  if (info.kind != FileKind::regular) {
    CloseHandle(handle);
    return File();
  }
  return stream_of(handle, _O_RDONLY | _O_BINARY, "rb");
}

File create_new_file(const std::string& path, bool& existed) {
  const std::wstring native = native_path(path);
  const HANDLE handle = CreateFileW(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD error = GetLastError();
  existed = handle == INVALID_HANDLE_VALUE && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
  if (handle == INVALID_HANDLE_VALUE) return File();
  File f = stream_of(handle, _O_WRONLY | _O_BINARY, "wb");
  if (!f) DeleteFileW(native.c_str());
  return f;
}

bool is_directory(const std::string& path) { return is_directory_native(native_path(path)); }

bool path_exists(const std::string& path) {
  return GetFileAttributesW(native_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool make_directories(const std::string& path) {
  return make_directories_native(native_path(path));
}

bool replace_file(const std::string& from, const std::string& to) {
  return MoveFileExW(native_path(from).c_str(), native_path(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool remove_file(const std::string& path) { return DeleteFileW(native_path(path).c_str()) != 0; }

bool remove_folder(const std::string& path) {
  return RemoveDirectoryW(native_path(path).c_str()) != 0;
}

bool remove_folder_tree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(native_path(path)), error);
  return !error;
}

// A folder whose name has no Shift-JIS form could not be passed on: there is none then.
std::string temporary_folder() {
  wchar_t wide[MAX_PATH + 2] = {};
  const DWORD got = GetTempPathW(MAX_PATH + 1, wide);
  if (got == 0 || got > MAX_PATH + 1) return std::string();
  std::string folder = narrow(std::wstring(wide, got));
  if (folder.empty() || widen(folder) != std::wstring(wide, got)) return std::string();
  if (!is_separator(folder.back())) folder += '\\';
  return folder;
}

std::string current_directory() {
  const DWORD need = GetCurrentDirectoryW(0, nullptr);
  if (need == 0) return std::string();
  std::wstring wide(need, L'\0');
  const DWORD got = GetCurrentDirectoryW(need, wide.data());
  if (got == 0 || got >= need) return std::string();
  wide.resize(got);
  return narrow(wide);
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

std::string command_line_arguments(bool* exact) {
  const wchar_t* p = GetCommandLineW();
  if (exact) *exact = true;
  if (!p) return std::string();
  // The program's name ends at the closing quote when it is quoted, otherwise at the first
  // space or tab; quotes inside it group nothing.
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  const std::wstring rest(p);
  if (exact && !rest.empty()) {
    BOOL lossy = FALSE;
    WideCharToMultiByte(sjis, WC_NO_BEST_FIT_CHARS, rest.data(), static_cast<int>(rest.size()),
                        nullptr, 0, nullptr, &lossy);
    *exact = !lossy;
  }
  return narrow(rest);
}

// Redirected output is Shift-JIS, the program's own text, unless the console reads UTF-8;
// other code pages cannot hold the Japanese texts at all.
std::string to_sjis(const std::string& native, bool* exact) {
  if (exact) *exact = true;
  return GetConsoleOutputCP() == CP_UTF8 ? narrow(widen_with(CP_UTF8, native)) : native;
}

std::string from_sjis(const std::string& sjis_text) {
  return GetConsoleOutputCP() == CP_UTF8 ? narrow_with(CP_UTF8, widen(sjis_text)) : sjis_text;
}

}  // namespace platform
