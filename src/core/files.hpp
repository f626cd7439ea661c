#pragma once
#include <cstddef>
#include <string>

// Whole-file reads and writes over the platform layer. Every write is checked to its close.
namespace platform {

// The whole file; false for a folder or a file that cannot be opened or read.
bool read_file(const std::string& path, std::string& contents);
// Writes the bytes to a temporary file beside `path`, then renames it into place: a failed
// write leaves neither a partial file nor a changed one.
bool write_file_atomically(const std::string& path, const void* data, std::size_t size);
// Writes the bytes to `path` directly; false when any write, flush or close fails.
bool write_file(const std::string& path, const void* data, std::size_t size);

}  // namespace platform
