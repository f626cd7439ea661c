#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/bps.hpp"
#include "core/crc32.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc_of(const Bytes& bytes) { return crc32(bytes.data(), bytes.size()); }

void number(Bytes& out, std::uint64_t n) {
  while (n >= 0x80) {
    out.push_back(static_cast<std::uint8_t>(n & 0x7F));
    n = (n >> 7) - 1;
  }
  out.push_back(static_cast<std::uint8_t>(0x80 | n));
}

void le32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A patch around hand-written actions, with correct CRCs unless told otherwise.
Bytes make_patch(std::uint64_t source_size, std::uint64_t target_size, const Bytes& actions,
                 std::uint32_t source_crc, std::uint32_t target_crc) {
  Bytes patch = {'B', 'P', 'S', '1'};
  number(patch, source_size);
  number(patch, target_size);
  number(patch, 0);
  patch.insert(patch.end(), actions.begin(), actions.end());
  le32(patch, source_crc);
  le32(patch, target_crc);
  le32(patch, crc_of(patch));
  return patch;
}

// Written from the format's description alone, to judge bps_create without bps_apply.
Bytes reference_apply(const Bytes& patch, const Bytes& source) {
  std::size_t at = 0;
  auto byte = [&]() { return patch.at(at++); };
  auto read = [&]() {
    std::uint64_t data = 0, shift = 1;
    for (;;) {
      const std::uint8_t x = byte();
      data += (x & 0x7F) * shift;
      if (x & 0x80) return data;
      shift <<= 7;
      data += shift;
    }
  };
  EXPECT_EQ(std::string(patch.begin(), patch.begin() + 4), "BPS1");
  at = 4;
  EXPECT_EQ(read(), source.size());
  Bytes target;
  target.reserve(read());
  at += read();
  std::int64_t source_cursor = 0, target_cursor = 0;
  while (at < patch.size() - 12) {
    const std::uint64_t action = read();
    const std::uint64_t length = (action >> 2) + 1;
    const std::uint64_t command = action & 3;
    if (command == 0) {
      for (std::uint64_t i = 0; i < length; ++i) target.push_back(source.at(target.size()));
    } else if (command == 1) {
      for (std::uint64_t i = 0; i < length; ++i) target.push_back(byte());
    } else {
      const std::uint64_t offset = read();
      const std::int64_t delta = static_cast<std::int64_t>(offset >> 1) * ((offset & 1) ? -1 : 1);
      std::int64_t& cursor = command == 2 ? source_cursor : target_cursor;
      cursor += delta;
      for (std::uint64_t i = 0; i < length; ++i, ++cursor) {
        target.push_back(command == 2 ? source.at(cursor) : target.at(cursor));
      }
    }
  }
  auto footer = [&](std::size_t i) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | patch.at(patch.size() - 12 + i + k);
    return v;
  };
  EXPECT_EQ(footer(0), crc_of(source));
  EXPECT_EQ(footer(4), crc_of(target));
  EXPECT_EQ(footer(8), crc32(patch.data(), patch.size() - 4));
  return target;
}

TEST(Crc32, MatchesTheCheckValueAndABitwiseLoopInPieces) {
  const Bytes check = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(crc_of(check), 0xCBF43926u);
  const Bytes bytes = noise(300, 7);
  for (std::size_t from : {0, 1, 3, 7}) {
    for (std::size_t size : {0, 1, 7, 8, 9, 63, 290}) {
      std::uint32_t c = 0xFFFFFFFFu;
      for (std::size_t i = from; i < from + size; ++i) {
        c ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ ((c & 1) ? 0xEDB88320u : 0);
      }
      const std::uint32_t head = crc32(bytes.data() + from, size / 3);
      EXPECT_EQ(crc32(bytes.data() + from + size / 3, size - size / 3, head), ~c) << from << ' ' << size;
    }
  }
}

struct Pair {
  const char* name;
  Bytes source;
  Bytes target;
  std::size_t max_patch;
};

std::vector<Pair> pairs() {
  const Bytes base = noise(20000, 1);
  std::vector<Pair> list;
  list.push_back({"identical", base, base, 26});
  Bytes one = base;
  one[12345] ^= 0x40;
  list.push_back({"one byte", base, one, 31});
  Bytes scattered = base;
  for (std::size_t i = 100; i < scattered.size(); i += 997) scattered[i] = static_cast<std::uint8_t>(i);
  for (std::size_t i = 5000; i < 5010; ++i) scattered[i] ^= 0xFF;
  list.push_back({"scattered", base, scattered, 120});
  Bytes filled = base;
  std::fill(filled.begin() + 3000, filled.begin() + 7000, std::uint8_t{0xFF});
  std::fill(filled.begin() + 9000, filled.begin() + 9100, std::uint8_t{0x00});
  list.push_back({"filled runs", base, filled, 45});
  Bytes longer = one;
  longer.insert(longer.end(), 500, 0x11);
  const Bytes tail = noise(300, 9);
  longer.insert(longer.end(), tail.begin(), tail.end());
  list.push_back({"target longer", base, longer, 345});
  list.push_back({"target shorter", base, Bytes(base.begin(), base.begin() + 15000), 25});
  list.push_back({"empty source", {}, noise(1000, 3), 1025});
  list.push_back({"empty target", base, {}, 21});
  list.push_back({"random", noise(5000, 4), noise(6000, 5), 6030});
  return list;
}

TEST(BpsCreate, PatchesAreSmallAndDecodeByTheFormatAlone) {
  for (const Pair& pair : pairs()) {
    SCOPED_TRACE(pair.name);
    const Bytes patch = bps_create(pair.source, pair.target);
    EXPECT_LE(patch.size(), pair.max_patch);
    EXPECT_EQ(reference_apply(patch, pair.source), pair.target);
    Bytes target = {1, 2, 3};
    ASSERT_EQ(bps_apply(patch, pair.source, target), BpsResult::ok);
    EXPECT_EQ(target, pair.target);
  }
}

TEST(BpsCreate, OneCellInASixMebibyteImageMakesATinyPatch) {
  const Bytes source = noise(0x600000, 11);
  Bytes target = source;
  target[0x2F1234] = static_cast<std::uint8_t>(~target[0x2F1234]);
  target[0x2F1235] = static_cast<std::uint8_t>(~target[0x2F1235]);
  const Bytes patch = bps_create(source, target);
  EXPECT_LT(patch.size(), 100u);
  Bytes applied;
  ASSERT_EQ(bps_apply(patch, source, applied), BpsResult::ok);
  EXPECT_TRUE(applied == target);
}

TEST(BpsApply, RefusesAnotherSourceAndTellsBothCrcs) {
  const Pair pair = pairs()[2];
  const Bytes patch = bps_create(pair.source, pair.target);
  Bytes other = pair.source;
  other[0] ^= 1;
  Bytes shorter(pair.source.begin(), pair.source.end() - 1);
  for (const Bytes& source : {other, shorter}) {
    Bytes target = {9};
    BpsInfo info;
    EXPECT_EQ(bps_apply(patch, source, target, &info), BpsResult::wrong_source);
    EXPECT_EQ(target, Bytes{9});
    EXPECT_EQ(info.expected_source_crc, crc_of(pair.source));
    EXPECT_EQ(info.actual_source_crc, crc_of(source));
    EXPECT_EQ(info.expected_source_size, pair.source.size());
    EXPECT_EQ(info.actual_source_size, source.size());
  }
}

TEST(BpsApply, RefusesEveryTruncationAndEveryFlippedByte) {
  const Bytes source = noise(64, 21);
  Bytes changed = source;
  changed[10] ^= 0x55;
  changed.insert(changed.end(), 20, 0xAA);
  const Bytes patch = bps_create(source, changed);
  for (std::size_t size = 0; size < patch.size(); ++size) {
    Bytes target = {7};
    const BpsResult expected = size < 4 ? BpsResult::not_a_patch : BpsResult::patch_corrupt;
    EXPECT_EQ(bps_apply(Bytes(patch.begin(), patch.begin() + size), source, target), expected) << size;
    EXPECT_EQ(target, Bytes{7});
  }
  for (std::size_t at = 0; at < patch.size(); ++at) {
    Bytes damaged = patch;
    damaged[at] ^= 0x10;
    Bytes target;
    const BpsResult expected = at < 4 ? BpsResult::not_a_patch : BpsResult::patch_corrupt;
    EXPECT_EQ(bps_apply(damaged, source, target), expected) << at;
    EXPECT_TRUE(target.empty());
  }
}

// Intact patches (every CRC right) whose actions break the rules.
TEST(BpsApply, RefusesActionsOutOfBounds) {
  const Bytes source = noise(16, 31);
  const Bytes target = Bytes(source.begin(), source.begin() + 8);
  auto actions = [](std::initializer_list<std::uint64_t> numbers, Bytes literals = {}) {
    Bytes bytes;
    for (std::uint64_t n : numbers) number(bytes, n);
    bytes.insert(bytes.end(), literals.begin(), literals.end());
    return bytes;
  };
  const struct {
    const char* name;
    std::uint64_t target_size;
    Bytes actions;
  } cases[] = {
      {"source read past the source", 24, actions({23 << 2 | 0})},
      {"action past the target", 8, actions({8 << 2 | 0})},
      {"literals past the patch", 8, actions({7 << 2 | 1}, {1, 2, 3})},
      {"source copy before the start", 8, actions({7 << 2 | 2, 1 << 1 | 1})},
      {"source copy past the end", 8, actions({7 << 2 | 2, 9 << 1})},
      {"target copy from nothing written", 8, actions({7 << 2 | 3, 0})},
      {"target copy ahead of the output", 8, actions({0 << 2 | 0, 6 << 2 | 3, 1 << 1})},
      {"target not filled", 8, actions({3 << 2 | 0})},
      {"number cut by the footer", 8, actions({0x7F})},
      {"endless number", 8, Bytes(12, 0x7F)},
  };
  for (const auto& c : cases) {
    Bytes out = {5};
    EXPECT_EQ(bps_apply(make_patch(16, c.target_size, c.actions, crc_of(source), crc_of(target)),
                        source, out),
              BpsResult::bad_action)
        << c.name;
    EXPECT_EQ(out, Bytes{5});
  }
  const Bytes read8 = actions({7 << 2 | 0});
  Bytes out;
  EXPECT_EQ(bps_apply(make_patch(16, 8, read8, crc_of(source), crc_of(target) ^ 1), source, out),
            BpsResult::wrong_target);
  EXPECT_EQ(bps_apply(make_patch(16, bps_max_target_size + 1, read8, crc_of(source), 0), source, out),
            BpsResult::impossible_size);
  EXPECT_EQ(bps_apply(make_patch(std::uint64_t{5} << 30, 8, read8, crc_of(source), 0), source, out),
            BpsResult::impossible_size);
  EXPECT_TRUE(out.empty());
  ASSERT_EQ(bps_apply(make_patch(16, 8, read8, crc_of(source), crc_of(target)), source, out),
            BpsResult::ok);
  EXPECT_EQ(out, target);
}

// Random action streams with valid CRCs: whatever they say, nothing is read or written out of
// bounds (the sanitizer build watches) and only a result comes back.
TEST(BpsApply, SurvivesRandomIntactPatches) {
  const Bytes source = noise(64, 41);
  for (std::uint32_t seed = 0; seed < 3000; ++seed) {
    const Bytes body = noise(1 + seed % 40, seed);
    Bytes target;
    const BpsResult result =
        bps_apply(make_patch(64, seed % 100, body, crc_of(source), 0), source, target);
    EXPECT_NE(result, BpsResult::ok);
  }
}

}  // namespace
