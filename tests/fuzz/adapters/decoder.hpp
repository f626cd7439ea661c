#pragma once
// Every call of the decoder target into the program.
#include <cstddef>
#include <cstdint>
#include <string>

#include "event/event_tags.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

namespace fuzz_adapter {

// With the event scripts' tag table or the default one.
inline std::size_t decode(std::string* out, const std::uint8_t* bytes, std::size_t capacity,
                          std::size_t length, bool event_tags) {
  static const TagTable event_table{event_tag_arguments(), true};
  return decode_text(out, bytes, capacity, length, nullptr, event_tags ? event_table : default_tag_table());
}
inline std::size_t encode(std::uint8_t* out, const char* text, std::size_t capacity, std::size_t length) {
  return encode_text(out, text, capacity, length, false);
}

}  // namespace fuzz_adapter
