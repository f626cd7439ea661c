#pragma once
#include <cstddef>
#include <string_view>

// The game has no half-width katakana: they stand for their full-width forms.
struct FullwidthKana {
  std::string_view character;  // one two-byte Shift-JIS character; empty when there is none
  std::size_t consumed;        // bytes of the source it stands for
};

// The full-width form of the half-width katakana at `at`. A following "ﾞ" or "ﾟ" is taken
// with it when the pair has a voiced or semi-voiced form ("ｺﾞ" is "ゴ", "ﾊﾟ" is "パ", "ｳﾞ"
// is "ヴ"); otherwise it is left for the next call. A byte that is no half-width katakana
// gives an empty character and consumes 1 byte (0 at the end of the text).
FullwidthKana fullwidth_kana(std::string_view sjis_text, std::size_t at);
