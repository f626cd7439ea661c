#pragma once
#include <cstdint>
#include <vector>

#include "core/rom_image.hpp"

// Patches in the public "BPS1" format: a target image described as reads from a source image,
// literal bytes and copies, guarded by the CRC32s of source, target and patch.

// A patch that turns `source` into `target`; empty only when memory ran out.
std::vector<std::uint8_t> bps_create(const std::vector<std::uint8_t>& source,
                                     const std::vector<std::uint8_t>& target);

enum class BpsResult {
  ok,
  not_a_patch,    // no "BPS1" at the start
  patch_corrupt,  // the patch's own CRC32 does not match: cut short or altered
  bad_action,     // intact but malformed: an action or number reaches past its bounds
  wrong_source,   // the source's size or CRC32 is not the one the patch was made from
  wrong_target,   // the result's CRC32 is not the one the patch promises
  out_of_memory,
  impossible_size,  // a source or target longer than any file of the game: nothing allocated
};

// Patches are made between images of the game; no larger source or target is believed.
inline constexpr std::uint64_t bps_max_target_size = max_rom_file_size;

// What the patch expects and what it found, filled as far as the checks got.
struct BpsInfo {
  std::uint64_t expected_source_size = 0;
  std::uint64_t actual_source_size = 0;
  std::uint64_t target_size = 0;
  std::uint32_t expected_source_crc = 0;
  std::uint32_t actual_source_crc = 0;
  std::uint32_t expected_target_crc = 0;
  std::uint32_t actual_target_crc = 0;
};

// Applies `patch` to `source`. `target` receives the result only on ok and is left untouched
// otherwise.
BpsResult bps_apply(const std::vector<std::uint8_t>& patch, const std::vector<std::uint8_t>& source,
                    std::vector<std::uint8_t>& target, BpsInfo* info = nullptr);
