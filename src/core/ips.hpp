#pragma once
#include <cstdint>
#include <vector>

// Patches in the old "PATCH" format most shared patches still use: records of bytes to put at
// a 24-bit offset, or a run of one byte, closed by "EOF" and, optionally, the size to cut the
// result to. The format holds no checksum, so it cannot tell a wrong source image.

enum class IpsResult {
  ok,
  not_a_patch,       // no "PATCH" at the start
  patch_cut,         // a record or the end marker is missing: the patch was cut short
  record_past_end,   // a record writes beyond the image it is applied to
  bad_truncation,    // the size to cut the result to is not inside the image
  out_of_memory,
};

// Where the first record that did not fit lies; filled as far as the checks got.
struct IpsInfo {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

// A patch that turns `source` into `target`; empty when the images cannot be described in
// the format (offsets of 16 MiB or more) or memory ran out.
std::vector<std::uint8_t> ips_create(const std::vector<std::uint8_t>& source,
                                     const std::vector<std::uint8_t>& target);

// Whether the bytes begin like an IPS patch.
bool ips_recognised(const std::vector<std::uint8_t>& patch);

// Applies `patch` to `source`. Every record must lie inside the source image: the images of
// the game never grow. `target` receives the result only on ok.
IpsResult ips_apply(const std::vector<std::uint8_t>& patch, const std::vector<std::uint8_t>& source,
                    std::vector<std::uint8_t>& target, IpsInfo* info = nullptr);
