#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole-file reads and writes over the platform layer. Only regular files are read, their size
// checked before a byte is read; every write goes to a fresh file beside its target and is
// renamed over it once whole, so a target is either as it was or complete.
namespace platform {

// Far more than any text file of the program's (an image is at most a few MiB).
inline constexpr std::size_t max_file_size = std::size_t{64} << 20;

enum class ReadResult { ok, cannot_open, not_regular, too_large };
// The whole file, when it is a regular file of at most `max_size` bytes; `size` receives the
// file's size as soon as it is known, so that a refusal can name it.
ReadResult read_regular_file(const std::string& path, std::string& contents, std::uint64_t max_size,
                             std::uint64_t* size = nullptr);
ReadResult read_regular_file(const std::string& path, std::vector<std::uint8_t>& contents,
                             std::uint64_t max_size, std::uint64_t* size = nullptr);
// The same with max_file_size; false for whatever is refused.
bool read_file(const std::string& path, std::string& contents);

// Asks the system to back a fresh buffer of an image's size with large pages, before it is
// first written: a few faults instead of one per 4 KiB. Only a hint; nothing where unsupported.
void prefer_large_pages(void* data, std::size_t size);

// True when a write to `path` may go ahead: nothing is there, or a regular file. A folder, a
// device or a FIFO is never replaced.
bool replaceable(const std::string& path);
// Writes the bytes to a new, uniquely named file in the target's folder (never following what
// lies at that name), then renames it over `path`. Any failure removes that file and leaves
// the target as it was.
bool write_file_atomically(const std::string& path, const void* data, std::size_t size);

// The name of the temporary file for `path`: in its folder, "varbek-" and eight hexadecimal
// digits of `number`, so that it never carries a target's name nor lengthens it.
std::string temporary_name(const std::string& path, std::uint32_t number);

}  // namespace platform
