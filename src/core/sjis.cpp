#include "core/sjis.hpp"

namespace sjis {

// A trail byte can look like a lead byte, so character boundaries are only known from the start.
std::size_t cut(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  std::size_t at = 0;
  while (at < limit) {
    const std::size_t next = at + char_length(text, at);
    if (next > limit) break;
    at = next;
  }
  return at;
}

}  // namespace sjis
