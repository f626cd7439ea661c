#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A synthetic image laid out like the target game's ROM, with plausible, valid data in every
// area the program converts. Deterministic: the same options give the same bytes.
struct SampleOptions {
  std::size_t size = 0x600000;  // bytes of ROM, without the 0x8000 in front of a shifted image
  bool shifted = false;         // title at file offset 0x7FC0: every ROM offset moves by 0x8000
  std::uint8_t revision = 1;    // header byte 27
  std::uint32_t seed = 0;       // 0: the sample itself; others give other valid contents
};

class SampleRom {
 public:
  explicit SampleRom(const SampleOptions& options);

  // Bytes at a ROM offset; writes past the end are dropped.
  void put(std::uint32_t rom_offset, std::initializer_list<std::uint8_t> bytes);
  void put(std::uint32_t rom_offset, const std::vector<std::uint8_t>& bytes);
  void put8(std::uint32_t rom_offset, std::uint8_t value);
  void put16(std::uint32_t rom_offset, std::uint16_t value);
  std::uint8_t get8(std::uint32_t rom_offset) const;
  void fill(std::uint32_t rom_offset, std::size_t count, std::uint8_t value);

  // A deterministic pseudo-random number below `bound` (or a full 32-bit value for 0).
  std::uint32_t random(std::uint32_t bound = 0);

  std::uint32_t shift() const { return shift_; }
  std::size_t rom_size() const { return bytes_.size() - shift_; }
  const SampleOptions& options() const { return options_; }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  SampleOptions options_;
  std::uint32_t shift_;
  std::uint32_t state_;
  std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> make_sample_rom(const SampleOptions& options = {});
bool write_sample_rom(const std::string& path, const SampleOptions& options = {});

// Game text of a name made of kana and a few two-byte glyphs, padded with blanks to `length` bytes.
std::vector<std::uint8_t> sample_name(SampleRom& rom, std::size_t length);

// One filler per converted area; each lives in its own source beside this one.
void fill_action_patterns(SampleRom& rom);
void fill_monsters(SampleRom& rom);
void fill_enemy_techs(SampleRom& rom);
void fill_characters(SampleRom& rom);
void fill_learning_chances(SampleRom& rom);
void fill_formations(SampleRom& rom);
void fill_formation_techs(SampleRom& rom);
void fill_items(SampleRom& rom);
void fill_ally_techs(SampleRom& rom);
void fill_event_battles(SampleRom& rom);
void fill_proper_names(SampleRom& rom);
void fill_strings(SampleRom& rom);
void fill_events(SampleRom& rom);
void fill_music(SampleRom& rom);
