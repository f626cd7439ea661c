#include "sample_rom.hpp"

#include <cstdio>
#include <cstring>

#include "core/snes_header.hpp"

SampleRom::SampleRom(const SampleOptions& options)
    : options_(options), shift_(options.shifted ? 0x8000 : 0), state_(options.seed == 0 ? 0x5EED1234u : options.seed * 2654435761u | 1u) {
  bytes_.resize(options.size + shift_);
  // Code and graphics stand in as noise, so a conversion that touches bytes it should not
  // is seen at once.
  for (std::uint8_t& b : bytes_) b = static_cast<std::uint8_t>(random() >> 24);
}

std::uint32_t SampleRom::random(std::uint32_t bound) {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return bound ? state_ % bound : state_;
}

void SampleRom::put(std::uint32_t rom_offset, std::initializer_list<std::uint8_t> bytes) {
  std::uint32_t at = rom_offset;
  for (std::uint8_t b : bytes) put8(at++, b);
}

void SampleRom::put(std::uint32_t rom_offset, const std::vector<std::uint8_t>& bytes) {
  std::uint32_t at = rom_offset;
  for (std::uint8_t b : bytes) put8(at++, b);
}

void SampleRom::put8(std::uint32_t rom_offset, std::uint8_t value) {
  const std::size_t at = std::size_t{rom_offset} + shift_;
  if (at < bytes_.size()) bytes_[at] = value;
}

void SampleRom::put16(std::uint32_t rom_offset, std::uint16_t value) {
  put8(rom_offset, static_cast<std::uint8_t>(value));
  put8(rom_offset + 1, static_cast<std::uint8_t>(value >> 8));
}

std::uint8_t SampleRom::get8(std::uint32_t rom_offset) const {
  const std::size_t at = std::size_t{rom_offset} + shift_;
  return at < bytes_.size() ? bytes_[at] : 0;
}

void SampleRom::fill(std::uint32_t rom_offset, std::size_t count, std::uint8_t value) {
  for (std::size_t i = 0; i < count; ++i) put8(static_cast<std::uint32_t>(rom_offset + i), value);
}

std::vector<std::uint8_t> sample_name(SampleRom& rom, std::size_t length) {
  std::vector<std::uint8_t> name(length, 0x50);
  const std::size_t used = length ? 1 + rom.random(static_cast<std::uint32_t>(length)) : 0;
  for (std::size_t i = 0; i < used; ++i) {
    if (i + 1 < used && rom.random(4) == 0) {
      const std::uint32_t glyph = 0xB0 + rom.random(0x400 - 0xB0);  // kanji, digits, signs
      name[i] = static_cast<std::uint8_t>(0x20 + (glyph >> 8));
      name[++i] = static_cast<std::uint8_t>(glyph);
    } else {
      name[i] = static_cast<std::uint8_t>(0x51 + rom.random(0xE5 - 0x51));  // kana
    }
  }
  return name;
}

std::vector<std::uint8_t> make_sample_rom(const SampleOptions& options) {
  SampleRom rom(options);
  // The header: the 21-byte title field and the revision. A shifted image keeps its header
  // in the first 0x8000 bytes and nothing like a title at 0xFFC0.
  const std::size_t header_at = options.shifted ? 0x7FC0 : 0xFFC0;
  std::vector<std::uint8_t>& bytes = rom.bytes();
  if (options.shifted && bytes.size() > 0xFFC0) bytes[0xFFC0] = 0;
  if (bytes.size() >= header_at + 32) {
    std::memcpy(&bytes[header_at], "VELDORANEMYTHOS      ", 21);
    bytes[header_at + 27] = options.revision;
  }
  fill_action_patterns(rom);
  fill_monsters(rom);
  fill_enemy_techs(rom);
  fill_characters(rom);
  fill_learning_chances(rom);
  fill_formations(rom);
  fill_formation_techs(rom);
  fill_items(rom);
  fill_ally_techs(rom);
  fill_event_battles(rom);
  fill_proper_names(rom);
  fill_strings(rom);
  fill_events(rom);
  fill_music(rom);
  // Last, over the finished image; the file has no copier header, so every byte counts. The
  // image holds no second copy of the header.
  write_header_checksum(bytes.data(), bytes.size(), header_at);
  return std::move(rom.bytes());
}

bool write_sample_rom(const std::string& path, const SampleOptions& options) {
  const std::vector<std::uint8_t> bytes = make_sample_rom(options);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
