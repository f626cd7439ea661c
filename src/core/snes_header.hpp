#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The checksum in the internal header, over the image without any copier header.

// The 16-bit sum of all bytes as an emulator computes it: an image whose size is no power of two
// counts the part above the largest power of two below it repeated until it fills that power
// (6 MiB = 4 MiB + the last 2 MiB twice).
std::uint16_t snes_checksum(const std::uint8_t* image, std::size_t size);

// The header at `header_offset` (e.g. 0xFFC0) holds the complement at +0x1C and the checksum at
// +0x1E, both little-endian. False also when the header does not fit in the image.
bool header_checksum_valid(const std::uint8_t* image, std::size_t size, std::size_t header_offset);

// Stores checksum and complement in every listed header (a copy at 0x40FFC0 too, say), so that
// the image's sum is right with all of them written. False, writing nothing, when a header does
// not fit in the image.
bool write_header_checksum(std::uint8_t* image, std::size_t size,
                           const std::vector<std::size_t>& header_offsets);
bool write_header_checksum(std::uint8_t* image, std::size_t size, std::size_t header_offset);
