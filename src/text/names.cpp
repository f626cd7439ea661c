#include "text/names.hpp"

#include <cstring>
#include <string_view>

#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/sjis.hpp"
#include "text/charset.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

namespace {

std::size_t encoded_size(const std::string& name, std::size_t length) {
  return encode_text(nullptr, name.data(), 0, length, false, nullptr);
}

// The longest start of the name, ending between two characters, whose game text fits.
std::size_t fitting_length(const std::string& name, std::size_t slot_size) {
  std::size_t fits = 0;
  for (std::size_t at = 0; at < name.size();) {
    at += sjis::char_length(name, at);
    if (encoded_size(name, at) > slot_size) break;
    fits = at;
  }
  return fits;
}

}  // namespace

std::string decode_name(const std::uint8_t* slot, std::size_t slot_size, Report* report) {
  std::string name;
  decode_text(&name, slot, name_capacity, slot_size, report);
  return name;
}

void encode_name(const std::string& name, std::uint8_t* slot, std::size_t slot_size,
                 Report* report) {
  std::memset(slot, blank_code, slot_size);
  encode_text(slot, name.data(), slot_size, name.size(), false, report);
  if (!report || encoded_size(name, name.size()) <= slot_size) return;
  const std::size_t kept = fitting_length(name, slot_size);
  report->add(msg::name_too_long, name, static_cast<int>(slot_size), name.substr(kept));
}
