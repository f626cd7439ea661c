#include "core/rom_image.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/files.hpp"
#include "core/platform.hpp"
#include "core/report.hpp"

namespace {

bool title_at(RomImage& rom, std::uint32_t file_offset) {
  rom.header.fill(0);
  if (file_offset < rom.file.size()) {
    const std::size_t n = std::min<std::size_t>(rom.header.size(), rom.file.size() - file_offset);
    std::memcpy(rom.header.data(), rom.file.data() + file_offset, n);
  }
  return std::memcmp(rom.header.data(), rom_title, 15) == 0;
}

constexpr std::uint32_t early_start = 0x8000;
constexpr std::size_t header_copy_distance = 0x400000;
constexpr std::size_t header_copy_compared = 21;

// The title opens the header (without a shift, or with one of 32 KiB), in either case 512
// bytes further on when a copier header stands in front of the image.
bool find_title(RomImage& rom) {
  const bool copier = rom.file.size() % 0x8000 == copier_header_size;
  for (const std::uint32_t copier_bytes : {0u, copier_header_size}) {
    if (copier_bytes != 0 && !copier) continue;
    if (title_at(rom, static_cast<std::uint32_t>(header_offset(0)) + copier_bytes)) {
      rom.shift = copier_bytes;
    } else if (title_at(rom, static_cast<std::uint32_t>(header_offset(early_start)) + copier_bytes)) {
      rom.shift = early_start + copier_bytes;
    } else {
      continue;
    }
    rom.copier_header = copier_bytes;
    return true;
  }
  return false;
}

template <class M, class... Args>
Status refuse(RomImage& rom, Report& report, const M& message, const Args&... args) {
  rom = RomImage();
  report.add(message, args...);
  return Status::failed;
}

// Only a regular file no longer than the largest dump is read: a FIFO or a device would never
// end, a huge file would be read whole before being refused.
Status read_rom_file(RomImage& rom, const std::string& path, Report& report) {
  std::uint64_t size = 0;
  switch (platform::read_regular_file(path, rom.file, max_rom_file_size, &size)) {
    case platform::ReadResult::ok: return Status::ok;
    case platform::ReadResult::not_regular: return refuse(rom, report, msg::not_regular_file, path);
    case platform::ReadResult::too_large:
      return refuse(rom, report, msg::file_too_large, path, static_cast<unsigned long long>(size),
                    static_cast<unsigned long long>(max_rom_file_size));
    default: return refuse(rom, report, msg::cannot_open, path);
  }
}

}  // namespace

Status rom_open(RomImage& rom, const std::string& path, bool load, Report& report) {
  rom = RomImage();
  if (read_rom_file(rom, path, report) != Status::ok) return Status::failed;
  if (!find_title(rom)) return refuse(rom, report, msg::unknown_rom);
  rom.size = static_cast<std::uint32_t>(rom.file.size());
  // Every table lies below 4 MiB; a shorter file is a truncated dump.
  if (rom.size < min_rom_size + rom.shift) return refuse(rom, report, msg::rom_too_small);
  if (rom.copier_header) report.add(msg::copier_header);
  if (load) {
    try {
      rom.image.reserve(rom.file.size());
      platform::prefer_large_pages(rom.image.data(), rom.image.capacity());
      rom.image.assign(rom.file.begin(), rom.file.end());
    } catch (const std::bad_alloc&) {
      return refuse(rom, report, msg::out_of_memory);
    }
    rom.loaded = true;
  }
  rom.open = true;
  return Status::ok;
}

std::size_t rom_read(const RomImage& rom, void* destination, std::uint32_t rom_offset,
                     std::size_t count) {
  if (!destination || count == 0 || !rom.open) return 0;
  const std::uint64_t at = std::uint64_t{rom_offset} + rom.shift;
  if (at >= rom.file.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(count, rom.file.size() - at);
  std::memcpy(destination, rom.file.data() + at, n);
  if (rom.read_marks && rom.read_marks->size() >= at + n) {
    std::fill_n(rom.read_marks->begin() + static_cast<std::ptrdiff_t>(at), n, true);
  }
  return n;
}

std::uint32_t rom_write(RomImage& rom, const void* source, std::uint32_t rom_offset,
                        std::size_t count) {
  const std::uint64_t at = std::uint64_t{rom_offset} + rom.shift;
  if (!source || count == 0 || !rom.loaded) return static_cast<std::uint32_t>(at);
  // A write reaching past the end of the image is clipped to it.
  if (at < rom.image.size()) {
    const std::size_t n = std::min<std::uint64_t>(count, rom.image.size() - at);
    std::memcpy(rom.image.data() + at, source, n);
  }
  return static_cast<std::uint32_t>(at);
}

Status rom_save(const RomImage& rom, const std::string& path, Report& report) {
  if (!platform::write_file_atomically(path, rom.image.data(), rom.image.size())) {
    report.add(msg::cannot_write, path);
    return Status::failed;
  }
  return Status::ok;
}

int rom_version_code(const RomImage& rom) {
  return (rom.header[27] == 1 && rom.size > 0x400000 + rom.copier_header) ? 1 : 0;
}

std::uint32_t rom_end(const RomImage& rom) { return rom.size - rom.shift; }

std::size_t header_offset(std::uint32_t front) { return front == 0 ? 0xFFC0 : 0x7FC0; }

std::vector<std::size_t> header_offsets(const std::uint8_t* image, std::size_t size, std::uint32_t front) {
  std::vector<std::size_t> offsets{header_offset(front)};
  const std::size_t copy = offsets[0] + header_copy_distance;
  if (image && copy + 0x40 <= size &&
      std::memcmp(image + offsets[0], image + copy, header_copy_compared) == 0) {
    offsets.push_back(copy);
  }
  return offsets;
}

std::vector<std::size_t> header_offsets(const RomImage& rom) {
  const std::size_t front_bytes = std::min<std::size_t>(rom.copier_header, rom.file.size());
  return header_offsets(rom.file.data() + front_bytes, rom.file.size() - front_bytes,
                        rom.shift - rom.copier_header);
}
