#pragma once
// Every text the user can see from the application core and the table framework, in one place.
// Narrow literals are compiled to Shift-JIS.

namespace msg {

inline constexpr const char* success = "正常に終了しました";
inline constexpr const char* out_of_memory = "メモリの確保に失敗しました\n";
inline constexpr const char* cannot_open = "ファイル[%s]が開けませんでした\n";
inline constexpr const char* unknown_rom = "知らないsmc形式です\n";

// Banners of the four table steps.
inline constexpr const char* load_banner = "%sデータの取得";
inline constexpr const char* write_banner = "%sへ書き込み";
inline constexpr const char* read_banner = "%sから読み込み";
inline constexpr const char* store_banner = "%sデータを書き込み";

// A fixed-row file that ends before its last data row: its table is not stored.
inline constexpr const char* file_too_short =
    "ファイル[%s]の行が足りません。このデータは書き込まれません\n";
// A build job given only two paths.
inline constexpr const char* build_needs_folder =
    "CSVフォルダが指定されていません（書き込みSMCの後にCSVフォルダを指定してください）\n";
// A command line with a character that Shift-JIS lacks: as "?" it could name
// another file.
inline constexpr const char* unrepresentable_command_line =
    "コマンドラインにShift-JISで表せない文字が含まれています。別の名前のファイルやフォルダを指定してください\n";
// The ROM file is smaller than the offsets the tables use.
inline constexpr const char* rom_too_small = "smcファイルが小さすぎます\n";

inline constexpr const char* usage =
    "使い方:\n"
    "  varbek -a 読み込みSMC CSVフォルダ          データ解析・CSV作成\n"
    "  varbek -m 読み込みSMC 書き込みSMC CSVフォルダ  CSV解析・SMC改造\n"
    "  varbek -e [-n] 読み込みファイル 書き込みファイル   文字列エンコード\n"
    "  varbek -d 読み込みファイル 書き込みファイル        文字列デコード\n"
    "  -am / -mm で音楽データも変換します。\n"
    "Usage:\n"
    "  varbek -a ROM CSV-folder        extract tables (with -am also music)\n"
    "  varbek -m ROM OUT-ROM CSV-folder build a ROM (with -mm also music)\n"
    "  varbek -e [-n] IN OUT           encode Shift-JIS text to game text\n"
    "  varbek -d IN OUT                decode game text to Shift-JIS text\n";

}  // namespace msg
