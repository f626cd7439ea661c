#include "text/halfwidth.hpp"

#include "core/sjis.hpp"

namespace {

constexpr unsigned char first_kana = 0xA1;
constexpr unsigned char voiced_mark = 0xDE;
constexpr unsigned char semi_voiced_mark = 0xDF;
constexpr std::size_t character_size = 2;

// The full-width forms of 0xA1-0xDF in order, and of the sound-marked pairs from "ｶ" (0xB6)
// and from "ﾊ" (0xCA) on.
constexpr std::string_view plain =
    "。「」、・ヲァィゥェォャュョッー"
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    "マミムメモヤユヨラリルレロワン゛゜";
constexpr std::string_view voiced_ka_to_to = "ガギグゲゴザジズゼゾダヂヅデド";
constexpr std::string_view voiced_ha_to_ho = "バビブベボ";
constexpr std::string_view semi_voiced_ha_to_ho = "パピプペポ";
constexpr std::string_view voiced_u = "ヴ";
static_assert(plain.size() == character_size * (0xDF - 0xA1 + 1));
static_assert(voiced_ka_to_to.size() == character_size * (0xC4 - 0xB6 + 1));
static_assert(voiced_ha_to_ho.size() == character_size * (0xCE - 0xCA + 1));

std::string_view nth(std::string_view row, std::size_t index) {
  return row.substr(index * character_size, character_size);
}

// The pair's combined form, or empty.
std::string_view marked(unsigned char kana, unsigned char mark) {
  if (mark == voiced_mark) {
    if (kana == 0xB3) return voiced_u;
    if (kana >= 0xB6 && kana <= 0xC4) return nth(voiced_ka_to_to, kana - 0xB6u);
    if (kana >= 0xCA && kana <= 0xCE) return nth(voiced_ha_to_ho, kana - 0xCAu);
  } else if (mark == semi_voiced_mark) {
    if (kana >= 0xCA && kana <= 0xCE) return nth(semi_voiced_ha_to_ho, kana - 0xCAu);
  }
  return {};
}

}  // namespace

FullwidthKana fullwidth_kana(std::string_view sjis_text, std::size_t at) {
  if (at >= sjis_text.size()) return {{}, 0};
  const unsigned char kana = static_cast<unsigned char>(sjis_text[at]);
  if (!sjis::is_halfwidth_kana(kana)) return {{}, 1};
  if (at + 1 < sjis_text.size()) {
    const std::string_view pair = marked(kana, static_cast<unsigned char>(sjis_text[at + 1]));
    if (!pair.empty()) return {pair, 2};
  }
  return {nth(plain, kana - first_kana), 1};
}
