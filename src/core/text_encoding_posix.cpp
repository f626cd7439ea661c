#include <iconv.h>

#include <cerrno>

#include "core/text_encoding.hpp"

namespace text_encoding::detail {

Codec::Codec(Target target) : target_(target) {
  const iconv_t cd = target_ == Target::cp932 ? iconv_open("CP932", "UTF-8") : iconv_open("UTF-8", "CP932");
  if (cd != reinterpret_cast<iconv_t>(-1)) handle_ = cd;
}

Codec::~Codec() {
  if (handle_) iconv_close(static_cast<iconv_t>(handle_));
}

bool Codec::append(std::string_view in, std::string& out) {
  if (in.empty()) return true;
  if (!handle_) return false;
  // glibc drops tag characters (U+E0000-U+E007F) without a word: they are lost characters.
  if (target_ == Target::cp932 && (in.find("\xF3\xA0\x80") != std::string_view::npos ||
                                   in.find("\xF3\xA0\x81") != std::string_view::npos))
    return false;
  const iconv_t cd = static_cast<iconv_t>(handle_);
  const std::size_t start = out.size();
  // Three bytes of UTF-8 at most for each byte of code page 932; fewer bytes the other way.
  out.resize(start + in.size() * 3);
  char* source = const_cast<char*>(in.data());  // iconv never writes through it
  std::size_t source_left = in.size();
  std::size_t done = start;
  for (;;) {
    char* target = &out[done];
    std::size_t target_left = out.size() - done;
    const std::size_t result = iconv(cd, &source, &source_left, &target, &target_left);
    done = out.size() - target_left;
    if (result == 0) {
      out.resize(done);
      return true;
    }
    if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
      out.resize(out.size() + in.size() + 16);
      continue;
    }
    // Malformed, or a conversion glibc calls irreversible: a lost character like any other.
    break;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(start);
  return false;
}

}  // namespace text_encoding::detail
