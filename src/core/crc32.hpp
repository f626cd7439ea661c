#pragma once
#include <cstddef>
#include <cstdint>

// The CRC-32 of zip files and patches (reflected polynomial 0xEDB88320). `previous` is the CRC of
// the bytes before these, so a long input may be fed in pieces.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous = 0);
