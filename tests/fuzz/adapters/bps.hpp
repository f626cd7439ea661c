#pragma once
// Every call of the bps target into the program.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/bps.hpp"
#include "core/crc32.hpp"

namespace fuzz_adapter {

using Bytes = std::vector<std::uint8_t>;
using BpsResult = ::BpsResult;
using BpsInfo = ::BpsInfo;
inline constexpr std::uint64_t bps_max_target_size = ::bps_max_target_size;

inline Bytes bps_create(const Bytes& source, const Bytes& target) { return ::bps_create(source, target); }
inline BpsResult bps_apply(const Bytes& patch, const Bytes& source, Bytes& target, BpsInfo* info) {
  return ::bps_apply(patch, source, target, info);
}
inline std::uint32_t crc32(const std::uint8_t* data, std::size_t size) { return ::crc32(data, size); }

}  // namespace fuzz_adapter
