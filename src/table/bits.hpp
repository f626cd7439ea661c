#pragma once
#include <cstdint>

enum class Direction { extract, build };

// How a field lies in its ROM bytes.
enum BitKind : int {
  no_bits = -1,       // the field has no ROM bytes (row numbers, names)
  byte_field = 0,     // one byte, masked and shifted
  word_field = 1,     // two bytes little-endian, masked and shifted
  flag = 2,           // 1 when any masked bit is set
  inverted_flag = 3,  // 1 when no masked bit is set
  codec_field = 4,    // moved by the table's own codec (see FieldCodec); transfer_bits skips it
};

// The number of the lowest bit set in the mask; 32 for no bit.
std::uint32_t lowest_bit(std::uint32_t mask);

// Moves one field between ROM bytes and its value. Both directions only OR bits in: the
// caller clears the target's bits first. Flags use only the value's lowest bit when building.
void transfer_bits(std::uint8_t* rom_bytes, Direction direction, int kind, std::int32_t& field,
                   std::uint32_t mask);
