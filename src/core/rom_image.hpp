#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/status.hpp"

class Report;

// The one ROM of a table job. Reads always return the input file's bytes; writes go into the
// in-memory image, which exists only in a build job.
struct RomImage {
  bool open = false;
  std::vector<std::uint8_t> file;   // the input file as it lies on disk
  std::array<std::uint8_t, 30> header{};
  std::uint32_t shift = 0;          // added to every ROM offset
  std::uint32_t copier_header = 0;  // bytes in front of the image (0 or 512), part of the shift
  bool loaded = false;
  std::vector<std::uint8_t> image;  // the build's writable copy
  std::uint32_t size = 0;
  // When set (after rom_open), every file byte rom_read hands out is marked here: what the
  // tables, events and songs read is what they describe.
  std::vector<bool>* read_marks = nullptr;
};

inline constexpr const char* rom_title = "VELDORANEMYTHOS";
inline constexpr std::uint32_t min_rom_size = 0x400000;
inline constexpr std::uint32_t copier_header_size = 512;
// The largest image of the game is 6 MiB (the extended music area ends there). A dump may
// hold 32 KiB in front of its image (the title found at 0x7FC0) and a copier header: any
// longer file is refused before it is read.
inline constexpr std::uint32_t max_image_size = 0x600000;
inline constexpr std::uint64_t max_rom_file_size = max_image_size + 0x8000 + copier_header_size;

// Fails after reporting why the file cannot be used.
Status rom_open(RomImage& rom, const std::string& path, bool load, Report& report);
std::size_t rom_read(const RomImage& rom, void* destination, std::uint32_t rom_offset,
                     std::size_t count);
std::uint32_t rom_write(RomImage& rom, const void* source, std::uint32_t rom_offset,
                        std::size_t count);
// Writes the image through a temporary file and a rename: a failed save leaves nothing.
Status rom_save(const RomImage& rom, const std::string& path, Report& report);
int rom_version_code(const RomImage& rom);
// The ROM offset one past the last byte of the image.
std::uint32_t rom_end(const RomImage& rom);

// The internal header lies at 0xFFC0 of the image (counted after any copier header), or at
// 0x7FC0 in a dump that starts 32 KiB early: `front` is that start, the shift less the copier
// header.
std::size_t header_offset(std::uint32_t front);
// That header, then the copy 4 MiB on where the image holds one (its first 21 bytes the same):
// the headers whose checksum a build keeps right. Offsets into `image`, which starts after any
// copier header.
std::vector<std::size_t> header_offsets(const std::uint8_t* image, std::size_t size, std::uint32_t front);
// The same for the input file of `rom`.
std::vector<std::size_t> header_offsets(const RomImage& rom);
