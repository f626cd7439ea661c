#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Fixed-size name slots of the tables: decoded into a 64-byte name field, encoded back into a
// slot pre-filled with the blank glyph 0x50 (so a short name is padded, a long one cut).
class Report;

// The capacity of every name field.
inline constexpr std::size_t name_capacity = 64;

std::string decode_name(const std::uint8_t* slot, std::size_t slot_size, Report* report = nullptr);
void encode_name(const std::string& name, std::uint8_t* slot, std::size_t slot_size,
                 Report* report = nullptr);
