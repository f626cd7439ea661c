#pragma once
#include <cstddef>

// The message catalogue: every text a job can show, each with a stable identifier and a
// severity. Narrow literals are compiled to Shift-JIS.

enum class Severity { banner, info, warning, error };

struct Message {
  const char* id;
  Severity severity;
  const char* text;     // printf-style, without line end
  const char* meaning;  // for the list in the README
};

// Each message is a type of its own that keeps its text as a constant, so that a report checks
// the values given with it against the text when the call is compiled.
namespace msg {
#define VARBEK_MESSAGE(id, severity, text, meaning)                                    \
  struct message_##id : Message {                                                       \
    static constexpr const char* format = text;                                         \
    constexpr message_##id() : Message{#id, Severity::severity, text, meaning} {}       \
  };                                                                                    \
  inline constexpr message_##id id{};
#include "core/message_list.hpp"
#undef VARBEK_MESSAGE

// The difference file's header line and the words of its own lines; not log messages.
inline constexpr const char* diff_header = "ファイル,ID,列,元,比較";
inline constexpr const char* diff_outside = "その他";
inline constexpr const char* diff_song_bytes = "バイト数";
// Between the files of the count of changes, and after a text cut short in the list of changes.
inline constexpr const char* change_separator = "、";
inline constexpr const char* change_cut = "…";
// The merge's conflict file header and the words its lines use for what is not a cell.
inline constexpr const char* merge_header = "ファイル,ID,列,元,A,B";
inline constexpr const char* merge_whole_row = "行全体";
inline constexpr const char* merge_song = "曲";
inline constexpr const char* merge_image_size = "大きさ";
inline constexpr const char* merge_song_bytes = "バイト CRC32 ";  // between a song's size and its CRC32

// The command line's usage text; not a log message.
inline constexpr const char* usage =
    "使い方:\n"
    "  varbek -a [-u] 読み込みSMC CSVフォルダ                  データ解析・CSV作成\n"
    "  varbek -m [-s] [-p] [-i] 読み込みSMC 書き込みSMC CSVフォルダ  CSV解析・SMC改造\n"
    "  varbek -c [-s] 読み込みSMC CSVフォルダ                  CSVチェック（SMCは書き込みません）\n"
    "  varbek -b パッチ 元SMC 新SMC                             BPSかIPSのパッチを当てる\n"
    "  varbek -x [-u] 元SMC 比較SMCかパッチ 出力.csv             2つのSMCの差分をCSVに書き出す\n"
    "  varbek -j[A|B] 元SMC 改造A 改造B 出力SMC                2つの改造をマージ（改造はSMCかパッチ）\n"
    "  varbek -t 読み込みSMC                                   往復チェック（改造の前に一度どうぞ）\n"
    "  varbek -e [-n] 読み込みファイル 書き込みファイル          文字列エンコード\n"
    "  varbek -d [-l数字] 読み込みファイル 書き込みファイル      文字列デコード\n"
    "  -am / -mm / -cm / -xm / -jm: 音楽データも変換・比較（モードの文字の後の m）\n"
    "  -jA / -jB: 衝突をすべて改造A（B）の値にします（無いと衝突があればSMCを書き込みません）\n"
    "  -u: UTF-8で書き出す（-a -x）　-p: BPSパッチも作成（-m）　-i: IPSパッチも作成（-m）\n"
    "  -s: エラーか警告があれば失敗とし、SMCは書き込みません（-a -m -c）\n"
    "  -n: 改行をゲームの改行コードにします（-e）　-l数字: 受け付けますが結果は変わりません（-d）\n"
    "  -q: 結果をメッセージボックスでなくコンソールに表示し、終了コードで知らせます（Windows）\n"
    "  -v: 進行状況も表示　-h / --help: この説明　--version: 版を表示\n"
    "  文字はまとめて書けます（-mmp = -mm -p、-ms = -m -s）。知らない文字、余分なパス、空のパスは\n"
    "  エラーになり、何も実行しません（終了コード2）。\n"
    "Usage:\n"
    "  varbek -a [-u] ROM CSV-folder               extract tables\n"
    "  varbek -m [-s] [-p] [-i] ROM OUT-ROM CSV-folder  build a ROM from the folder's files\n"
    "  varbek -c [-s] ROM CSV-folder               check the files: a build in memory, no ROM written\n"
    "  varbek -b PATCH SOURCE OUT                  apply a BPS or IPS patch\n"
    "  varbek -x [-u] ROM OTHER OUT.csv            list the differences of two images; OTHER may\n"
    "                                              be a BPS or IPS patch to ROM\n"
    "  varbek -j[A|B] ROM MOD-A MOD-B OUT          merge two mods of ROM (images or patches); with a\n"
    "                                              conflict nothing is written, -jA / -jB take a side\n"
    "  varbek -t ROM                               round-trip check: extract and build in memory, compare\n"
    "  varbek -e [-n] IN OUT                       encode Shift-JIS text to game text\n"
    "  varbek -d [-lN] IN OUT                      decode game text to Shift-JIS text\n"
    "  -am / -mm / -cm / -xm / -jm also the music (an m after the mode's letter); -u UTF-8 files (-a -x);\n"
    "  -p also a BPS patch, -i also an IPS patch (-m);\n"
    "  -s strict: any error or warning fails, no ROM written;\n"
    "  -n line feeds become the game's line break (-e); -lN accepted, changes nothing (-d);\n"
    "  -q the final text to the console and the result in the exit code, never a box (Windows);\n"
    "  -v show progress; -h / --help this text; --version the version.\n"
    "  Letters may be grouped (-mmp = -mm -p). An unknown letter, a surplus or empty path runs\n"
    "  nothing and exits with 2.\n";
}  // namespace msg

// Every message of the catalogue, in the order of its list.
const Message* const* message_catalogue(std::size_t* count);
