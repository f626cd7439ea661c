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

namespace msg {
#define VARBEK_MESSAGE(id, severity, text, meaning) \
  inline constexpr Message id{#id, Severity::severity, text, meaning};
#include "core/message_list.hpp"
#undef VARBEK_MESSAGE

// The command line's usage text; not a log message.
inline constexpr const char* usage =
    "使い方:\n"
    "  varbek -a [-u] 読み込みSMC CSVフォルダ                  データ解析・CSV作成\n"
    "  varbek -m [-s] [-p] 読み込みSMC 書き込みSMC CSVフォルダ  CSV解析・SMC改造\n"
    "  varbek -c 読み込みSMC CSVフォルダ                       CSVチェック（SMCは書き込みません）\n"
    "  varbek -b パッチ.bps 元SMC 新SMC                         BPSパッチを当てる\n"
    "  varbek -e [-n] 読み込みファイル 書き込みファイル          文字列エンコード\n"
    "  varbek -d 読み込みファイル 書き込みファイル               文字列デコード\n"
    "  -am / -mm / -cm で音楽データも変換します。-u: UTF-8で書き出す　-p: BPSパッチも作成\n"
    "  -s: エラーか警告があればSMCを書き込みません。-v: 進行状況も表示します。\n"
    "  --version: 版を表示　--help: この説明\n"
    "Usage:\n"
    "  varbek -a [-u] ROM CSV-folder               extract tables (-am also music; -u UTF-8 files)\n"
    "  varbek -m [-s] [-p] ROM OUT-ROM CSV-folder  build a ROM (-mm also music; -p also a BPS patch)\n"
    "  varbek -c ROM CSV-folder                    check the files: a build in memory, no ROM written\n"
    "  varbek -b PATCH.bps SOURCE OUT              apply a BPS patch\n"
    "  varbek -e [-n] IN OUT                       encode Shift-JIS text to game text\n"
    "  varbek -d IN OUT                            decode game text to Shift-JIS text\n"
    "  -s strict: any error or warning writes no ROM; -v show progress; --version; --help\n";
}  // namespace msg

// Every message of the catalogue, in the order of its list.
const Message* const* message_catalogue(std::size_t* count);
