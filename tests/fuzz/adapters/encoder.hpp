#pragma once
// Every call of the encoder target into the program.
#include <cstddef>
#include <cstdint>

#include "text/encoder.hpp"

namespace fuzz_adapter {

inline std::size_t encode(std::uint8_t* out, const char* text, std::size_t capacity, std::size_t length,
                          bool newline_flag) {
  return encode_text(out, text, capacity, length, newline_flag);
}

}  // namespace fuzz_adapter
