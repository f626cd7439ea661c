#pragma once
// The words and line forms of the song text files and of the song titles; the music's log
// messages are in the catalogue. Narrow literals are compiled to Shift-JIS.

namespace music_msg {

// The header words a dump names when a rebuild would write them otherwise, as "name old→new".
inline constexpr const char* block_length_word = "ブロック長";
inline constexpr const char* start_word = "開始アドレス";
inline constexpr const char* end_word = "終了アドレス";
inline constexpr const char* channel_word = "チャンネル%dのアドレス";
inline constexpr const char* second_word = "チャンネル%dの第2アドレス";
inline constexpr const char* word_change = "%s %04X→%04X";
inline constexpr const char* word_separator = "、";

// Song titles.
inline constexpr const char* base_title = "曲%02X";
inline constexpr const char* added_title = "追加曲%02X";

// The song text file.
inline constexpr const char* file_name = "%smusic%02X.txt";
inline constexpr const char* song_line = "曲番号:%02X\n";
// The labels the text starts with; a text without the first is empty or cut.
inline constexpr const char* song_label = "曲番号:";
inline constexpr const char* event_song_label = "イベント曲番号:";
inline constexpr const char* title_label = "仮曲名:";
inline constexpr const char* event_song_line = "イベント曲番号:%02X\n";
inline constexpr const char* title_line = "仮曲名:%s\n";
inline constexpr const char* wave_header = "Wave";
inline constexpr const char* drum_header = "Drum";
inline constexpr const char* channel_header = "Channel";
// After "Channel0", the header of the bytes ahead of the lowest channel.
inline constexpr const char* lead_note = "\t\t;どのチャンネルも始まらない先頭のバイト\n";
inline constexpr const char* ruler = "; 0  1  2  3  4  5  6  7   8  9  A  B  C  D  E  F\n";
inline constexpr const char* drum_line = " %02X %02X %02X\t\t;%s\n";
inline constexpr const char* line_offset = "\t\t;%04X\n";
// A jump target outside its own channel: a byte of another channel, or, outside every
// channel, the value itself.
inline constexpr const char* channel_target = " Ch%d+%04X";
inline constexpr const char* kept_target = " $%04X";
// A jump target as a text writes it within its channel: its two bytes.
inline constexpr const char* relative_target = "%02X %02X";
inline constexpr const char* note_names[12] = {"ド",    "ド#", "レ",  "レ#", "ミ",  "ファ",
                                               "ファ#", "ソ",  "ソ#", "ラ",  "ラ#", "シ"};

}  // namespace music_msg
