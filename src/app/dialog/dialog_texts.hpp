#pragma once
// The texts of the main dialog and of its terminal form, in one place. Narrow literals are
// compiled to Shift-JIS; the dialog template carries its own copies of the initial texts.

namespace dialog::text {

inline constexpr const char* caption = "Varbek";
inline constexpr const char* label1 = "引数１";
inline constexpr const char* label2 = "引数２";
inline constexpr const char* label3 = "引数３";
inline constexpr const char* label4 = "引数４";
inline constexpr const char* music = "音楽データも";
inline constexpr const char* utf8_box = "UTF-8で書き出す";
inline constexpr const char* strict_box = "警告も失敗とする";
inline constexpr const char* newline_box = "改行をゲーム用に";
inline constexpr const char* patch_box = "BPSパッチも作成";
inline constexpr const char* ips_box = "IPSパッチも作成";
inline constexpr const char* side_a_box = "衝突は改造Aを採用";
inline constexpr const char* side_b_box = "衝突は改造Bを採用";
inline constexpr const char* ok = "OK";

inline constexpr const char* extract_mode = "データ解析・CSV作成";
inline constexpr const char* build_mode = "CSV解析・SMC改造";
inline constexpr const char* encode_mode = "文字列エンコード";
inline constexpr const char* decode_mode = "文字列デコード";
inline constexpr const char* check_mode = "CSVチェック";
inline constexpr const char* diff_mode = "差分";
inline constexpr const char* round_trip_mode = "往復チェック";
inline constexpr const char* apply_patch_mode = "パッチを当てる";
inline constexpr const char* merge_mode = "マージ";
inline constexpr const char* input_rom = "読み込みSMC";
inline constexpr const char* output_rom = "書き込みSMC";
inline constexpr const char* csv_folder = "CSV作成　ディレクトリ";
inline constexpr const char* input_file = "読み込み　ファイル";
inline constexpr const char* output_file = "書き込み　ファイル";
inline constexpr const char* source_rom = "元SMC";
inline constexpr const char* other_rom = "比較SMCかパッチ";
inline constexpr const char* output_csv = "書き込みCSV";
inline constexpr const char* patch_file = "パッチ（BPSかIPS）";
inline constexpr const char* mod_a = "改造A（SMCかパッチ）";
inline constexpr const char* mod_b = "改造B（SMCかパッチ）";

inline constexpr const char* folder_title = "フォルダを開く";
inline constexpr const char* file_title = "ファイルを開く";
inline constexpr const char* rom_filter = "smc(*.smc)";
inline constexpr const char* rom_pattern = "*.smc";
inline constexpr const char* patch_filter = "パッチ(*.bps;*.ips)";
inline constexpr const char* patch_pattern = "*.bps;*.ips";
inline constexpr const char* rom_or_patch_filter = "smc・パッチ(*.smc;*.bps;*.ips)";
inline constexpr const char* rom_or_patch_pattern = "*.smc;*.bps;*.ips";
inline constexpr const char* csv_filter = "csv(*.csv)";
inline constexpr const char* csv_pattern = "*.csv";
inline constexpr const char* all_filter = "全てのファイル(*.*)";
inline constexpr const char* all_pattern = "*.*";

// A field whose text the job's code page cannot carry would name another file.
inline constexpr const char* unrepresentable_path =
    "[%s]にShift-JISで表せない文字が含まれています。別の名前のファイルやフォルダを選んでください\n";

// The terminal form.
inline constexpr const char* form_mode = "モード";
inline constexpr const char* form_disabled = "（無効）";
inline constexpr const char* form_file = "ファイル";
inline constexpr const char* form_folder = "フォルダ";
inline constexpr const char* form_help =
    "m: モード選択　1-4: パスの入力　a-h: チェックの切り替え　r: 実行(OK)　q: 終了";
inline constexpr const char* form_prompt = "> ";
inline constexpr const char* form_choose_mode = "モードの番号を入力してください (1-9): ";
inline constexpr const char* form_bad_mode = "1から9の番号を入力してください";
inline constexpr const char* form_row_disabled = "この項目は今のモードでは使えません";
inline constexpr const char* form_enter_path = "（%s。空行でそのまま、- で消去）: ";
inline constexpr const char* form_unknown_command = "分からないコマンドです";
inline constexpr const char* form_close_box = "Enterキーで閉じます";

}  // namespace dialog::text
