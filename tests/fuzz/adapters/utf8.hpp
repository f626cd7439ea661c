#pragma once
// Every call of the utf8 target into the program.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text_encoding.hpp"

namespace fuzz_adapter {

using DecodedFile = text_encoding::DecodedFile;

inline DecodedFile file_text_to_sjis(std::string bytes) {
  return text_encoding::file_text_to_sjis(std::move(bytes));
}
inline bool looks_like_utf8(std::string_view bytes) { return text_encoding::looks_like_utf8(bytes); }
inline std::string utf8_to_sjis(std::string_view utf8, std::vector<int>* lost_lines) {
  return text_encoding::utf8_to_sjis(utf8, lost_lines);
}
inline std::string sjis_to_utf8(std::string_view sjis, std::vector<int>* lost_lines) {
  return text_encoding::sjis_to_utf8(sjis, lost_lines);
}

}  // namespace fuzz_adapter
