#pragma once
#include <cstddef>
#include <string>

// Whole-file reads and writes over the platform layer. Every write is checked to its close.
namespace platform {

// Far more than any file of the program's (an image is at most a few MiB): what is longer, or
// endless like a device, is no such file.
inline constexpr std::size_t max_file_size = std::size_t{64} << 20;

// The whole file; false for a folder, a file that cannot be opened or read, or one longer
// than max_file_size.
bool read_file(const std::string& path, std::string& contents);
// Writes the bytes to a temporary file beside `path`, then renames it into place: a failed
// write leaves neither a partial file nor a changed one.
bool write_file_atomically(const std::string& path, const void* data, std::size_t size);
// Writes the bytes to `path` directly; false when any write, flush or close fails.
bool write_file(const std::string& path, const void* data, std::size_t size);

}  // namespace platform
