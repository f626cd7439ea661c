#include "text/names.hpp"

#include <cstring>

#include "text/decoder.hpp"
#include "text/encoder.hpp"

std::string decode_name(const std::uint8_t* slot, std::size_t slot_size, Report* report) {
  std::string name;
  decode_text(&name, slot, name_capacity, slot_size, report);
  return name;
}

void encode_name(const std::string& name, std::uint8_t* slot, std::size_t slot_size,
                 Report* report) {
  std::memset(slot, 0x50, slot_size);
  encode_text(slot, name.data(), slot_size, name.size(), false, report);
}
