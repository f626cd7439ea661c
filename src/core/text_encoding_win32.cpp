#include <windows.h>

#include <climits>

#include "core/text_encoding.hpp"

namespace text_encoding::detail {
namespace {

constexpr UINT sjis_code_page = 932;

bool widen(UINT code_page, std::string_view in, std::wstring& wide) {
  const int size = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<std::size_t>(n));
  return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), size, wide.data(), n) == n;
}

}  // namespace

Codec::Codec(Target target) : target_(target) {}

Codec::~Codec() = default;

bool Codec::append(std::string_view in, std::string& out) {
  if (in.empty()) return true;
  if (in.size() > INT_MAX / 4) return false;
  const bool to_sjis = target_ == Target::cp932;
  std::wstring wide;
  if (!widen(to_sjis ? CP_UTF8 : sjis_code_page, in, wide)) return false;
  // Without a best fit, a character that code page 932 lacks takes the default character and
  // is detected, instead of silently becoming a look-alike.
  const UINT code_page = to_sjis ? sjis_code_page : CP_UTF8;
  const DWORD flags = to_sjis ? WC_NO_BEST_FIT_CHARS : 0;
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr,
                                    to_sjis ? &lost : nullptr);
  if (n <= 0 || lost) return false;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(n));
  if (WideCharToMultiByte(code_page, flags, wide.data(), size, &out[start], n, nullptr, nullptr) != n) {
    out.resize(start);
    return false;
  }
  return true;
}

}  // namespace text_encoding::detail
