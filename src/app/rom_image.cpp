#include "app/rom_image.hpp"

#include <cstring>
#include <new>

#include "app/message_log.hpp"
#include "app/messages.hpp"
#include "app/platform.hpp"

namespace {

RomImage g_rom;

bool title_at(std::uint32_t file_offset) {
  g_rom.header.fill(0);
  if (file_offset < g_rom.file.size()) {
    const std::size_t n = std::min<std::size_t>(g_rom.header.size(), g_rom.file.size() - file_offset);
    std::memcpy(g_rom.header.data(), g_rom.file.data() + file_offset, n);
  }
  return std::memcmp(g_rom.header.data(), rom_title, 15) == 0;
}

bool read_whole_file(std::FILE* f, std::vector<std::uint8_t>& out) {
  if (std::fseek(f, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(f);
  if (end < 0 || std::fseek(f, 0, SEEK_SET) != 0) return false;
  out.resize(static_cast<std::size_t>(end));
  return std::fread(out.data(), 1, out.size(), f) == out.size();
}

}  // namespace

const RomImage& rom_state() { return g_rom; }

int rom_open(const std::string& path, bool load) {
  g_rom = RomImage();
  platform::File f = platform::open_file(path, "rb");
  if (!f) {
    log_message(msg::cannot_open, path.c_str());
    return 1;
  }
  try {
    if (!read_whole_file(f.get(), g_rom.file) || g_rom.file.size() > 0xFFFFFFFFu) {
      g_rom = RomImage();
      log_message(msg::cannot_open, path.c_str());
      return 1;
    }
  } catch (const std::bad_alloc&) {
    g_rom = RomImage();
    log_message(msg::out_of_memory);
    return 1;
  }
  if (!title_at(0xFFC0)) {
    if (!title_at(0x7FC0)) {
      g_rom = RomImage();
      log_message(msg::unknown_rom);
      return 1;
    }
    g_rom.shift = 0x8000;
  }
  g_rom.size = static_cast<std::uint32_t>(g_rom.file.size());
  // Every table lies below 4 MiB; a shorter file is a truncated dump.
  if (g_rom.size < min_rom_size + g_rom.shift) {
    g_rom = RomImage();
    log_message(msg::rom_too_small);
    return 1;
  }
  if (load) {
    try {
      g_rom.image = g_rom.file;
    } catch (const std::bad_alloc&) {
      g_rom = RomImage();
      log_message(msg::out_of_memory);
      return 1;
    }
    g_rom.loaded = true;
  }
  g_rom.open = true;
  return 0;
}

std::size_t rom_read(void* destination, std::uint32_t rom_offset, std::size_t count) {
  if (!destination || count == 0 || !g_rom.open) return 0;
  const std::uint64_t at = std::uint64_t{rom_offset} + g_rom.shift;
  if (at >= g_rom.file.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(count, g_rom.file.size() - at);
  std::memcpy(destination, g_rom.file.data() + at, n);
  return n;
}

std::uint32_t rom_write(const void* source, std::uint32_t rom_offset, std::size_t count) {
  const std::uint64_t at = std::uint64_t{rom_offset} + g_rom.shift;
  if (!source || count == 0 || !g_rom.loaded) return static_cast<std::uint32_t>(at);
  // A write reaching past the end of the image is clipped to it.
  if (at < g_rom.image.size()) {
    const std::size_t n = std::min<std::uint64_t>(count, g_rom.image.size() - at);
    std::memcpy(g_rom.image.data() + at, source, n);
  }
  return static_cast<std::uint32_t>(at);
}

int rom_save(const std::string& path) {
  // Written beside the output and renamed into place, so a failed save never leaves a
  // truncated ROM and saving over the input file is safe.
  const std::string temporary = path + ".varbek-tmp";
  bool ok = false;
  {
    platform::File f = platform::open_file(temporary, "wb");
    if (f) {
      ok = std::fwrite(g_rom.image.data(), 1, g_rom.image.size(), f.get()) == g_rom.image.size();
      ok = (std::fflush(f.get()) == 0) && ok;
    }
  }
  if (ok) ok = platform::replace_file(temporary, path);
  if (!ok) {
    platform::remove_file(temporary);
    log_message(msg::cannot_open, path.c_str());
    return 1;
  }
  return 0;
}

void rom_close() { g_rom = RomImage(); }

int rom_version_code() {
  return (g_rom.header[27] == 1 && g_rom.size > 0x400000) ? 1 : 0;
}
