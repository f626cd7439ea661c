#pragma once
// The texts the codec shows the user. Narrow literals are compiled to Shift-JIS.

namespace msg {

// A tag whose argument bytes run past the end of its text.
inline constexpr const char* missing_tag_arguments = "タグ引数が足りません : タグ = 0x%02X\n";
// A character the game's font lacks; its byte offset in the source and the character.
inline constexpr const char* unmapped_character =
    "%dバイト目の\"%s\"が見つかりませんでした\n全角スペースが代入されます\n";

}  // namespace msg
