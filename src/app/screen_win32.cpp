#include "app/screen.hpp"

#include <windows.h>

#include <cstring>

#include "core/platform.hpp"

namespace screen {
namespace {

void write_bytes(HANDLE handle, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void show_message_box(const std::string& text, void* owner) {
  MessageBoxW(static_cast<HWND>(owner), platform::widen(text).c_str(), L"", MB_OK);
}

void write_console(const std::string& text, bool to_error) {
  const HANDLE handle = GetStdHandle(to_error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = platform::widen(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  write_bytes(handle, platform::from_sjis(text));
}

bool standard_streams_shared() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE || error == nullptr || error == INVALID_HANDLE_VALUE) {
    return false;
  }
  if (out == error) return true;
  // A process has one console at most: two console handles show on it.
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode) && GetConsoleMode(error, &mode)) return true;
  if (GetFileType(out) != FILE_TYPE_DISK || GetFileType(error) != FILE_TYPE_DISK) return false;
  FILE_ID_INFO a{};
  FILE_ID_INFO b{};
  return GetFileInformationByHandleEx(out, FileIdInfo, &a, sizeof a) &&
         GetFileInformationByHandleEx(error, FileIdInfo, &b, sizeof b) &&
         a.VolumeSerialNumber == b.VolumeSerialNumber &&
         std::memcmp(a.FileId.Identifier, b.FileId.Identifier, sizeof a.FileId.Identifier) == 0;
}

}  // namespace screen
