#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/ips.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Written from the format's description alone, to judge ips_create without ips_apply: records
// may grow the image, and the end marker is whatever three bytes spell "EOF".
Bytes reference_apply(const Bytes& patch, Bytes image) {
  std::size_t at = 5;
  auto take = [&](int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | patch.at(at++);
    return v;
  };
  for (;;) {
    const std::uint32_t offset = take(3);
    if (offset == 0x454F46) break;
    std::uint32_t length = take(2);
    Bytes bytes;
    if (length == 0) {
      length = take(2);
      bytes.assign(length, static_cast<std::uint8_t>(take(1)));
    } else {
      for (std::uint32_t i = 0; i < length; ++i) bytes.push_back(static_cast<std::uint8_t>(take(1)));
    }
    if (image.size() < offset + length) image.resize(offset + length);
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
  }
  if (at + 3 <= patch.size()) image.resize(take(3));
  return image;
}

struct Edit {
  std::size_t at;
  std::size_t length;
  std::uint8_t fill;  // 0: new noise
};

TEST(Ips, CreatedPatchesRebuildTheTargetInBothReaders) {
  const Bytes source = noise(6 << 20, 1);
  const std::vector<std::vector<Edit>> cases = {
      {},
      {{0, 1, 0}},
      {{0x454F46, 1, 0}},                       // a change at the offset that spells "EOF"
      {{0x454F40, 6, 0}, {0x454F47, 3, 0}},     // a record would begin there
      {{0x454F46 - 0xFFFF, 0x20000, 0}},        // split into records of the largest size
      {{100, 70000, 0xAA}, {200000, 10, 0x00}},  // runs
      {{(6 << 20) - 3, 3, 0}},
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    Bytes target = source;
    for (const Edit& e : cases[c]) {
      const Bytes fresh = noise(e.length, static_cast<std::uint32_t>(c + 7));
      for (std::size_t i = 0; i < e.length; ++i) target[e.at + i] = e.fill ? e.fill : static_cast<std::uint8_t>(fresh[i] ^ 0x5A);
    }
    const Bytes patch = ips_create(source, target);
    ASSERT_FALSE(patch.empty()) << c;
    EXPECT_EQ(reference_apply(patch, source), target) << c;
    Bytes applied;
    ASSERT_EQ(ips_apply(patch, source, applied), IpsResult::ok) << c;
    EXPECT_EQ(applied, target) << c;
  }
}

TEST(Ips, ShorterTargetUsesTheTruncationSize) {
  const Bytes source = noise(1000, 2);
  Bytes target(source.begin(), source.begin() + 600);
  target[10] ^= 1;
  const Bytes patch = ips_create(source, target);
  EXPECT_EQ(reference_apply(patch, source), target);
  Bytes applied;
  ASSERT_EQ(ips_apply(patch, source, applied), IpsResult::ok);
  EXPECT_EQ(applied, target);
}

TEST(Ips, DamagedPatchesAreRefusedAndLeaveTheTarget) {
  const Bytes source = noise(4096, 3);
  Bytes changed = source;
  changed[100] ^= 0xFF;
  changed[3000] ^= 0xFF;
  const Bytes patch = ips_create(source, changed);
  const Bytes untouched = {1, 2, 3};
  // Every cut before the end marker is complete.
  for (std::size_t size = 0; size + 3 < patch.size(); ++size) {
    Bytes target = untouched;
    const IpsResult expected = size < 5 ? IpsResult::not_a_patch : IpsResult::patch_cut;
    EXPECT_EQ(ips_apply(Bytes(patch.begin(), patch.begin() + size), source, target), expected) << size;
    EXPECT_EQ(target, untouched);
  }
  const Bytes past_end = {'P', 'A', 'T', 'C', 'H', 0x00, 0x0F, 0xFF, 0x00, 0x02, 1, 2, 'E', 'O', 'F'};
  const Bytes run_past_end = {'P', 'A', 'T', 'C', 'H', 0x00, 0x0F, 0x00, 0, 0, 0x01, 0x01, 7, 'E', 'O', 'F'};
  const Bytes grows = {'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F', 0x00, 0x10, 0x01};
  IpsInfo info;
  Bytes target = untouched;
  EXPECT_EQ(ips_apply(past_end, source, target, &info), IpsResult::record_past_end);
  EXPECT_EQ(info.offset, 0xFFFu);
  EXPECT_EQ(ips_apply(run_past_end, source, target), IpsResult::record_past_end);
  EXPECT_EQ(ips_apply(grows, source, target), IpsResult::bad_truncation);
  EXPECT_EQ(target, untouched);
}

}  // namespace
