#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/snes_header.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes noise(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (std::uint8_t& b : bytes) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    b = static_cast<std::uint8_t>(seed);
  }
  return bytes;
}

// The byte a cartridge answers at `address` when the address space is the next power of two: each
// address past the end drops its highest bits until it lands in the image.
std::size_t mirror(std::size_t address, std::size_t size) {
  std::size_t base = 0;
  std::size_t mask = std::size_t{1} << 30;
  while (address >= size) {
    while (!(address & mask)) mask >>= 1;
    address -= mask;
    if (size > mask) {
      size -= mask;
      base += mask;
    }
    mask >>= 1;
  }
  return base + address;
}

std::uint16_t reference_sum(const Bytes& image) {
  std::size_t space = 1;
  while (space < image.size()) space *= 2;
  std::uint16_t sum = 0;
  for (std::size_t address = 0; address < space; ++address) {
    sum = static_cast<std::uint16_t>(sum + image[mirror(address, image.size())]);
  }
  return sum;
}

// Powers of two, one and a half (the 6 MiB shape), odd remainders and a remainder that is
// itself no power of two.
const std::size_t sizes[] = {0x10000, 0x20000, 0x18000, 0x14000, 0x1A000, 0x10001, 0x1C123, 3};

TEST(SnesChecksum, SumsTheImageWithItsMirroredTail) {
  for (std::size_t size : sizes) {
    const Bytes image = noise(size, static_cast<std::uint32_t>(size));
    EXPECT_EQ(snes_checksum(image.data(), image.size()), reference_sum(image)) << std::hex << size;
  }
  EXPECT_EQ(snes_checksum(nullptr, 0), 0);
}

TEST(SnesChecksum, WrittenHeadersAreValid) {
  for (std::size_t size : sizes) {
    Bytes image = noise(size, static_cast<std::uint32_t>(size) + 1);
    const std::size_t at = size >= 0x10000 ? 0xFFC0 : 0;
    if (size < 0x20) {
      EXPECT_FALSE(write_header_checksum(image.data(), size, at));
      EXPECT_EQ(image, noise(size, static_cast<std::uint32_t>(size) + 1));
      continue;
    }
    EXPECT_FALSE(header_checksum_valid(image.data(), size, at)) << std::hex << size;
    ASSERT_TRUE(write_header_checksum(image.data(), size, at));
    EXPECT_TRUE(header_checksum_valid(image.data(), size, at)) << std::hex << size;
    EXPECT_EQ(image[at + 0x1E] | image[at + 0x1F] << 8, reference_sum(image));
    image[size / 3] ^= 1;
    EXPECT_FALSE(header_checksum_valid(image.data(), size, at)) << std::hex << size;
  }
}

// The second copy lies in the mirrored tail, so it counts twice in the sum.
TEST(SnesChecksum, TwoHeaderCopiesGetTheSameValidPair) {
  Bytes image = noise(0x18000, 99);
  const Bytes before = image;
  EXPECT_FALSE(write_header_checksum(image.data(), image.size(), {0xFFC0, 0x17FF0}));
  EXPECT_EQ(image, before);
  ASSERT_TRUE(write_header_checksum(image.data(), image.size(), {0xFFC0, 0x17FC0}));
  EXPECT_TRUE(header_checksum_valid(image.data(), image.size(), 0xFFC0));
  EXPECT_TRUE(header_checksum_valid(image.data(), image.size(), 0x17FC0));
  EXPECT_TRUE(std::equal(image.begin() + 0xFFDC, image.begin() + 0xFFE0, image.begin() + 0x17FDC));
  // Still a checksum and its complement, but not the sum.
  image[0x17FDE] ^= 0xFF;
  image[0x17FDC] ^= 0xFF;
  EXPECT_FALSE(header_checksum_valid(image.data(), image.size(), 0x17FC0));
}

}  // namespace
