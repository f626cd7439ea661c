#include <gtest/gtest.h>

#include "table/bits.hpp"

namespace {

std::int32_t extract(std::uint8_t* rom, int kind, std::uint32_t mask, std::int32_t start = 0) {
  std::int32_t field = start;
  transfer_bits(rom, Direction::extract, kind, field, mask);
  return field;
}

// The byte `before` after building `field` into it under `mask`.
std::uint8_t build(std::uint8_t before, int kind, std::int32_t field, std::uint32_t mask) {
  transfer_bits(&before, Direction::build, kind, field, mask);
  return before;
}

}  // namespace

TEST(TransferBits, ExtractMasksAndShiftsEachKind) {
  struct Case {
    std::uint8_t byte;
    int kind;
    std::uint32_t mask;
    std::int32_t start, expected;
  };
  const Case cases[] = {
      {0xB5, byte_field, 0xF0, 0, 11},    {0xB5, byte_field, 0x0F, 0, 5},
      {0xAF, byte_field, 0x0A, 0, 5},     // bits 1 and 3, shifted by the lowest one
      {0xFF, byte_field, 0, 7, 7},        // an empty mask leaves the field alone
      {0x01, byte_field, 0xFF, 2, 3},     // the value is ORed into the field
      {0x80, flag, 0x80, 0, 1},           {0x80, inverted_flag, 0x80, 0, 0},
      {0x80, inverted_flag, 0x40, 0, 1},  {0xFF, 7, 0xFF, 9, 9},  // unknown kind
  };
  for (const Case& c : cases) {
    std::uint8_t byte = c.byte;
    EXPECT_EQ(extract(&byte, c.kind, c.mask, c.start), c.expected)
        << std::hex << int(c.byte) << " kind " << c.kind << " mask " << c.mask;
  }
}

TEST(TransferBits, BuildCutsToTheMaskAndOrsIntoTheByte) {
  struct Case {
    std::uint8_t before;
    int kind;
    std::int32_t field;
    std::uint32_t mask;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {0x00, byte_field, 11, 0xF0, 0xB0}, {0xB0, byte_field, 5, 0x0F, 0xB5},
      {0x80, byte_field, 1, 0x0F, 0x81},
      // Wide values are cut by the mask silently.
      {0x00, byte_field, 20, 0x0F, 4},    {0x00, byte_field, -1, 0xFF, 0xFF},
      {0x00, byte_field, 256, 0xFF, 0},   {0x00, byte_field, 0xFF, 0, 0},
      {0x00, inverted_flag, 0, 0x0C, 0x0C}, {0x00, inverted_flag, 1, 0x0C, 0},
      // Only the lowest bit of a flag counts.
      {0x00, flag, 2, 0x01, 0},           {0x00, flag, 3, 0x01, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(build(c.before, c.kind, c.field, c.mask), c.expected)
        << "kind " << c.kind << " field " << c.field << " mask " << c.mask;
  }
}

TEST(TransferBits, WordFieldsAreLittleEndian) {
  std::uint8_t w[2] = {0x34, 0x12};
  EXPECT_EQ(extract(w, word_field, 0xFFFF), 0x1234);
  EXPECT_EQ(extract(w, word_field, 0xFF00), 0x12);
  std::uint8_t out[2] = {0, 0};
  std::int32_t wide = 0x12345;
  transfer_bits(out, Direction::build, word_field, wide, 0xFFFF);
  EXPECT_EQ(out[0], 0x45);
  EXPECT_EQ(out[1], 0x23);
}
