#include <gtest/gtest.h>

#include "table/bits.hpp"

namespace {

std::int32_t extract(std::uint8_t* rom, int kind, std::uint32_t mask, std::int32_t start = 0) {
  std::int32_t field = start;
  transfer_bits(rom, Direction::extract, kind, field, mask);
  return field;
}

void build(std::uint8_t* rom, int kind, std::int32_t field, std::uint32_t mask) {
  transfer_bits(rom, Direction::build, kind, field, mask);
}

}  // namespace

TEST(TransferBits, ByteFieldsSplitAndRejoinANibblePair) {
  std::uint8_t b = 0xB5;
  EXPECT_EQ(extract(&b, byte_field, 0xF0), 11);
  EXPECT_EQ(extract(&b, byte_field, 0x0F), 5);
  std::uint8_t out = 0;
  build(&out, byte_field, 11, 0xF0);
  build(&out, byte_field, 5, 0x0F);
  EXPECT_EQ(out, 0xB5);
}

TEST(TransferBits, WordFieldsAreLittleEndian) {
  std::uint8_t w[2] = {0x34, 0x12};
  EXPECT_EQ(extract(w, word_field, 0xFFFF), 0x1234);
  EXPECT_EQ(extract(w, word_field, 0xFF00), 0x12);
  std::uint8_t out[2] = {0, 0};
  build(out, word_field, 0x12345, 0xFFFF);
  EXPECT_EQ(out[0], 0x45);
  EXPECT_EQ(out[1], 0x23);
}

TEST(TransferBits, FlagsAndInvertedFlags) {
  std::uint8_t b = 0x80;
  EXPECT_EQ(extract(&b, flag, 0x80), 1);
  EXPECT_EQ(extract(&b, inverted_flag, 0x80), 0);
  EXPECT_EQ(extract(&b, inverted_flag, 0x40), 1);

  std::uint8_t out = 0;
  build(&out, inverted_flag, 0, 0x0C);
  EXPECT_EQ(out, 0x0C);
  out = 0;
  build(&out, inverted_flag, 1, 0x0C);
  EXPECT_EQ(out, 0);
  build(&out, flag, 2, 0x01);  // only the lowest bit counts
  EXPECT_EQ(out, 0);
  build(&out, flag, 3, 0x01);
  EXPECT_EQ(out, 1);
}

TEST(TransferBits, WideValuesAreCutByTheMaskSilently) {
  std::uint8_t out = 0;
  build(&out, byte_field, 20, 0x0F);
  EXPECT_EQ(out, 4);
  out = 0;
  build(&out, byte_field, -1, 0xFF);
  EXPECT_EQ(out, 0xFF);
  out = 0;
  build(&out, byte_field, 256, 0xFF);
  EXPECT_EQ(out, 0);
}

TEST(TransferBits, EmptyMaskNonContiguousMaskAndUnknownKind) {
  std::uint8_t b = 0xFF;
  EXPECT_EQ(extract(&b, byte_field, 0, 7), 7);
  std::uint8_t out = 0;
  build(&out, byte_field, 0xFF, 0);
  EXPECT_EQ(out, 0);

  b = 0xAF;  // mask 0x0A keeps bits 1 and 3, shifted by the lowest one
  EXPECT_EQ(extract(&b, byte_field, 0x0A), 5);
  EXPECT_EQ(extract(&b, 7, 0xFF, 9), 9);
}

TEST(TransferBits, BothDirectionsOrIntoTheirTarget) {
  std::uint8_t b = 0x01;
  EXPECT_EQ(extract(&b, byte_field, 0xFF, 2), 3);
  std::uint8_t out = 0x80;
  build(&out, byte_field, 1, 0x0F);
  EXPECT_EQ(out, 0x81);
}
