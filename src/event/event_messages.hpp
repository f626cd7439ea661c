#pragma once
// Every text of the event scripts that the user can see. Narrow literals are Shift-JIS.

namespace event_msg {

inline constexpr const char* name = "イベント";
inline constexpr const char* file_name = "event%d.csv";  // bank number from 1
inline constexpr const char* arg_file_name = "arg.txt";

inline constexpr const char* preamble = ",%sデータ 総数:%d データサイズ：%d\n";
inline constexpr const char* header = "ID,データ,";
inline constexpr const char* build_banner = "%sの解析＆書き込み";
inline constexpr const char* read_progress = "0x%02X番目の%sデータ";

// A pointer table that points past its bank's text area: the dump ends before that entry.
inline constexpr const char* pointer_outside =
    "イベント%dの0x%02X番目のポインタ(0x%04X)がテキスト領域(%dバイト)の外を指しています。"
    "これ以降の行は書き出されません\n";
// Edited text that no longer fits its bank: the rest is dropped.
inline constexpr const char* bank_overflow =
    "イベント%dのテキストがテキスト領域(%dバイト)に収まりません。"
    "0x%02X番目の途中から後は切り捨てられました\n";

}  // namespace event_msg
