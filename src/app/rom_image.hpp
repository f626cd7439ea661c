#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The one ROM of a table job. Reads always return the input file's bytes; writes go into the
// in-memory image, which exists only in a build job.
struct RomImage {
  bool open = false;
  std::vector<std::uint8_t> file;   // the input file as it lies on disk
  std::array<std::uint8_t, 30> header{};
  std::uint32_t shift = 0;          // added to every ROM offset
  bool loaded = false;
  std::vector<std::uint8_t> image;  // the build's writable copy
  std::uint32_t size = 0;
};

inline constexpr const char* rom_title = "VELDORANEMYTHOS";
inline constexpr std::uint32_t min_rom_size = 0x400000;

int rom_open(const std::string& path, bool load);
std::size_t rom_read(void* destination, std::uint32_t rom_offset, std::size_t count);
std::uint32_t rom_write(const void* source, std::uint32_t rom_offset, std::size_t count);
int rom_save(const std::string& path);
void rom_close();
int rom_version_code();
const RomImage& rom_state();
