#pragma once
// The names and the file format of the event scripts. Narrow literals are Shift-JIS.

namespace event_msg {

inline constexpr const char* name = "イベント";
inline constexpr const char* file_name = "event%d.csv";  // bank number from 1
inline constexpr const char* arg_file_name = "arg.txt";

inline constexpr const char* preamble = ",%sデータ 総数:%d データサイズ：%d\n";
inline constexpr const char* header = "ID,データ,";
}  // namespace event_msg
