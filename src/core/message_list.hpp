// Every message the user can see, one line each: a stable identifier, a severity, the text
// (Shift-JIS once compiled, printf-style, without line end) and what it means. Expanded by
// messages.hpp into constants and the catalogue. Severities: error = something asked for was
// not done; warning = done, but altered; info = progress and summaries; banner = the frames of
// the log.
//
// VARBEK_MESSAGE(id, severity, text, meaning)

// The job as a whole.
VARBEK_MESSAGE(success, info, "正常に終了しました", "The job did all it was asked, without errors or warnings.")
VARBEK_MESSAGE(finished_with_problems, info, "終了しました（エラー %d 件、警告 %d 件）", "The job ended; the counts say how much did not land or was altered.")
VARBEK_MESSAGE(more_messages, info, "……ほか %d 件", "More messages than the final text shows.")
VARBEK_MESSAGE(full_log, info, "すべてのメッセージは %s にあります", "Where the job's log file is.")
VARBEK_MESSAGE(out_of_memory, error, "メモリの確保に失敗しました", "The computer ran out of memory; the step was not done.")
VARBEK_MESSAGE(cannot_open, error, "ファイル[%s]が開けませんでした", "A file or folder could not be opened or created.")
VARBEK_MESSAGE(cannot_write, error, "ファイル[%s]に書き込めませんでした", "A file could not be written completely (disk full, read-only folder); it is not valid.")
VARBEK_MESSAGE(unknown_rom, error, "知らないsmc形式です", "The file is not an image of the game.")
VARBEK_MESSAGE(rom_too_small, error, "smcファイルが小さすぎます", "The image is shorter than the game's tables: a cut dump.")
VARBEK_MESSAGE(copier_header, info, "smcファイルに512バイトのコピーヘッダがあります。そのまま残します", "The image starts with a 512-byte copier header, which is kept as it is.")
VARBEK_MESSAGE(build_needs_folder, error, "CSVフォルダが指定されていません（書き込みSMCの後にCSVフォルダを指定してください）", "A build was given only two paths.")
VARBEK_MESSAGE(unrepresentable_command_line, error, "コマンドラインにShift-JISで表せない文字が含まれています。別の名前のファイルやフォルダを指定してください", "A path holds a character Shift-JIS lacks; it could name another file.")
VARBEK_MESSAGE(rom_written_with_errors, error, "新しいSMCは書き込みましたが、エラーのあったデータは元のままです", "The new image was saved; what the errors name kept the input's bytes.")
VARBEK_MESSAGE(strict_nothing_written, error, "-s（厳密モード）のため、SMCは書き込みませんでした", "Strict mode: an error or warning stopped the image from being saved.")
VARBEK_MESSAGE(not_regular_file, error, "[%s]は通常のファイルではありません（フォルダ、デバイス、FIFOなど）。読み込みも書き込みもしません", "Only regular files are read or replaced; a folder, device or FIFO given as a file is refused.")
VARBEK_MESSAGE(file_too_large, error, "ファイル[%s]は %llu バイトあります。受け付けるのは %llu バイトまでです", "The file is longer than any image of the game (with a copier header) can be; it is refused before it is read.")
VARBEK_MESSAGE(output_is_input, error, "出力[%s]は入力[%s]と同じファイルです。何も書き込みませんでした", "An output of the job would overwrite one of its inputs (the same file by another name, a link, or the same name); the job was refused before anything was written.")
VARBEK_MESSAGE(outputs_clash, error, "出力[%s]と出力[%s]が同じファイルです。何も書き込みませんでした", "Two outputs of the job would be written to one file, the second over the first; the job was refused before anything was written.")
VARBEK_MESSAGE(output_not_regular, error, "出力[%s]は通常のファイルではないので置き換えません。何も書き込みませんでした", "An output names a folder, a device or a FIFO, which is never replaced; the job was refused before anything was written.")

// The round-trip check of an image (-t).
VARBEK_MESSAGE(round_trip_same, info, "往復チェック: 全部を書き出して作り直したSMCは元のSMCと1バイトも違いません", "The image was extracted whole (music included) and built again in memory, and came back byte for byte: it can be modded safely.")
VARBEK_MESSAGE(round_trip_area, warning, "往復チェック: %sが変わります（最初の違いはオフセット0x%06lX、%luバイト）。理由: %s", "An extract and a build without edits would change this part of a file (a table's section, a string group, an event bank, a song). The offset counts from the start of the file, copier header included; the reason is the first warning or error of the extract or the build that names the area.")
VARBEK_MESSAGE(round_trip_area_unexplained, warning, "往復チェック: %sが変わります（最初の違いはオフセット0x%06lX、%luバイト）。これを名指しする警告はありません", "An extract and a build without edits would change this part of a file, and no warning says why: please send these lines, the log of an extract and the image's revision to the developers.")
VARBEK_MESSAGE(round_trip_outside, warning, "往復チェック: どのファイルにも属さないバイトが変わります（最初の違いはオフセット0x%06lX、%luバイト）", "An extract and a build without edits would change bytes outside every area the files describe.")
VARBEK_MESSAGE(round_trip_checksum, info, "往復チェック: ヘッダのチェックサム（オフセット0x%06lX）は他の変更に合わせて変わります", "The header checksum is recomputed from the built image when the input's was valid, so it changes with the areas named above and with them alone.")
VARBEK_MESSAGE(round_trip_changed, error, "往復チェック: %d か所が元のSMCと違います。このSMCの改造には注意してください", "The image does not come back byte for byte; the areas named above would change even in a build without edits.")
VARBEK_MESSAGE(round_trip_no_folder, error, "往復チェックのための一時フォルダを作れません", "The check extracts into a new folder of the system's temporary folder (never next to the ROM), and none could be made.")

// The command line: a line that is refused runs nothing and ends with exit code 2.
VARBEK_MESSAGE(args_empty_path, error, "%s番目の引数が空です。パスを指定してください", "An argument is an empty text, as an unset variable in a script gives; a path is needed there.")
VARBEK_MESSAGE(args_unknown_option, error, "「%s」は知らないオプションです", "An argument starting with a hyphen is no option of the program (the usage lists them); a path cannot start with a hyphen.")
VARBEK_MESSAGE(args_unknown_letter, error, "オプション「%s」の「%s」は知らない文字です", "A letter in a group of options is no option of the program.")
VARBEK_MESSAGE(args_no_mode, error, "モード（-a -m -c -b -e -d のどれか）が指定されていません", "The line names no job.")
VARBEK_MESSAGE(args_two_modes, error, "モードが二つ指定されています（-%s と -%s）", "The line names two jobs; m is the build only as the first letter of an option or before any mode, later the music.")
VARBEK_MESSAGE(args_not_for_mode, error, "オプション「-%s」は -%s では使えません", "An option that does nothing in this job (-u only with -a, -p only with -m, -s with -a, -m and -c, -n with -e, -l with -d).")
VARBEK_MESSAGE(args_music_not_for_mode, error, "音楽の m（-am -mm -cm）は -%s では使えません", "Only the table jobs convert the music.")
VARBEK_MESSAGE(args_too_few_paths, error, "-%s にはパスが%s個必要です（指定は%s個）", "A path is missing.")
VARBEK_MESSAGE(args_surplus_path, error, "余分なパス「%s」があります（-%s のパスは%s個です）", "More paths than the job takes.")
VARBEK_MESSAGE(args_information_alone, error, "%s は -q と -v のほかのオプションやパスとは一緒に使えません", "Help and version run no job; they take no mode, option or path.")
VARBEK_MESSAGE(args_output_is_folder, error, "書き込み先[%s]はフォルダです。ファイル名を指定してください", "The output names a folder (or ends in a separator); the paths may be in the wrong order.")
VARBEK_MESSAGE(args_csv_folder_is_file, error, "CSVフォルダ[%s]はファイルです。フォルダを指定してください", "The CSV folder names a file.")
VARBEK_MESSAGE(args_csv_folder_missing, error, "CSVフォルダ[%s]がありません", "A build or check needs the folder of an extract; nothing was read or written.")

// The four steps of a table.
VARBEK_MESSAGE(load_banner, banner, "%sデータの取得", "Reading a table from the image.")
VARBEK_MESSAGE(write_banner, banner, "%sへ書き込み", "Writing a table's file.")
VARBEK_MESSAGE(read_banner, banner, "%sから読み込み", "Reading a table's file.")
VARBEK_MESSAGE(store_banner, banner, "%sデータを書き込み", "Storing a table into the new image.")
VARBEK_MESSAGE(progress, banner, "%s", "A part of a step.")

// Table files.
VARBEK_MESSAGE(file_too_short, error, "ファイル[%s]の行が足りません。このデータは書き込まれません", "A file ends before its last row: none of its table is stored.")
VARBEK_MESSAGE(rows_placed_by_id, info, "行がIDの順に並んでいません。IDの順に読み込みます", "The rows of a fixed-row table are in another order (sorted in a spreadsheet); as every ID is there once, each row is placed by its ID. The place is the first row out of order.")
VARBEK_MESSAGE(row_id_mismatch, warning, "ID「%s」はこの位置のID %s と違います。IDに欠け・重複・範囲外があるため、行の並びの順に読み込みます", "Some IDs of a fixed-row table are missing, repeated, unreadable or out of range, so the rows are placed by their position in the file; this is the first row whose ID does not match its position.")
VARBEK_MESSAGE(blank_row, warning, "データの行が空です（空の行は%d行）。空のまま読み込みます", "A row where data belongs holds nothing or only commas; its values are read as 0 and its name as empty. The count is of the section's empty rows; the place is the first.")
VARBEK_MESSAGE(value_clamped, warning, "%s は %s～%s の範囲外です。%s を書き込みます", "A cell's value does not fit its field; the nearest value the field holds is stored.")
VARBEK_MESSAGE(room_used, info, "%s: %d / %d バイト使用", "How much of a packed area a build used.")
VARBEK_MESSAGE(formation_rate_sum, warning, "ID:%02Xの%dつの選択率の合計が%dを超えています", "A formation's selection rates add up to more than the byte holds.")
VARBEK_MESSAGE(formation_rate_cut, warning, "ID:%02Xの%dつ目の選択率はまるめられます", "One of those rates is cut so the sum fits.")
VARBEK_MESSAGE(area_overrun, error, "%sのデータが領域(%dバイト)を%dバイト超えました。この領域は元のままです", "A packed area's new contents (the event battles, a learning sub-table) do not fit it, by the number of bytes given; the whole area keeps the input image's bytes.")
VARBEK_MESSAGE(strings_area_overrun, error, "%sの文字列が領域(%dバイト)を%dバイト超えました。このグループは元のままです", "A group's strings do not fit its text area, by the number of bytes given; the whole group (pointers and text) keeps the input image's bytes.")
VARBEK_MESSAGE(too_many_rows, warning, "%sのグループ%dは%d行までです。それを超えた行は読み込まれません", "A string group has more rows than it can hold; the rest are dropped.")
VARBEK_MESSAGE(learning_too_many_pairs, warning, "%sで一つの派生元のセット数が%dを超えたので残りをスキップします", "A source has more pairs than a set holds; the rest are dropped.")
VARBEK_MESSAGE(learning_row_out_of_sequence, warning, "%sのIDが「%s」ですが、0x%02Xのはずです。この行から空行までは読み込みません", "The rows of a learning sub-table must be numbered 0, 1, 2... without a gap; from a row out of sequence (or whose ID cannot be read) up to the sub-table's empty line nothing is stored.")
VARBEK_MESSAGE(learning_source_ends, warning, "%sの技ID 0xFFはデータの終わりの印です。この行から空行までは書き込みません", "A source technique 0xFF marks the end of a learning sub-table for the game; that row and the ones after it up to the empty line are not stored.")

// Game text.
VARBEK_MESSAGE(missing_tag_arguments, warning, "タグ引数が足りません : タグ = 0x%02X", "A control code at the end of a text lacks its argument bytes.")
VARBEK_MESSAGE(unmapped_character, warning, "先頭から%dバイト目の\"%s\"が見つかりませんでした。全角スペースが代入されます", "A character the game's font lacks, counted in bytes of the text from 1; the blank glyph is stored instead.")

// Event scripts.
VARBEK_MESSAGE(event_banner, banner, "%sの解析＆書き込み", "Building the event scripts.")
VARBEK_MESSAGE(event_progress, banner, "0x%02X番目の%sデータ", "One bank of event scripts.")
VARBEK_MESSAGE(event_pointer_outside, error, "イベント%dの0x%02X番目のポインタ(0x%04X)がテキスト領域(%dバイト)の外を指しています。これ以降の行は書き出されません", "A pointer of the image leads outside its bank; later rows are not written.")
VARBEK_MESSAGE(event_bank_overflow, error, "イベント%dのテキストがテキスト領域(%dバイト)を%dバイト超えました（0x%02X番目から）。このバンクは元のままです", "Edited event text does not fit its bank, by the number of bytes given, from the entry named on; the whole bank (pointers and text) keeps the input image's bytes.")

// Music.
VARBEK_MESSAGE(music_dump_banner, banner, "音楽データの解析", "Dumping the music.")
VARBEK_MESSAGE(music_rebuild_banner, banner, "音楽ファイルの解析＆書き込み", "Rebuilding the music.")
VARBEK_MESSAGE(music_song_progress, banner, "0x%02X番目の音楽データ:%s", "One song.")
VARBEK_MESSAGE(music_unknown_channel, warning, "%d行目に不明なチャンネル番号があります", "A channel number the song does not have; the line is passed over.")
VARBEK_MESSAGE(music_over_capacity, error, "0x%02X番目のデータで容量を越えたので強制終了します", "A music region overflowed at this song; the region keeps its old songs.")
VARBEK_MESSAGE(music_pointer_outside, error, "0x%02X番目の音楽データのポインタがROMの外を指しています", "A song pointer leads outside the image; the song gets no text file.")
VARBEK_MESSAGE(music_broken_old_block, error, "0x%02X番目の元の音楽データが壊れているので強制終了します", "A song kept from the input is damaged; the region keeps its old songs.")
VARBEK_MESSAGE(music_bad_target, warning, "%d文字目のジャンプ先[%s]が読めません（ChN+XXXX か $XXXX、N は 0～8、XXXX は4桁の16進数）。書き込みません", "A word of a song text that starts like a jump target (Ch or $) but is not ChN+XXXX (channel 0-8) or $XXXX with exactly four hex digits; it is not stored, the line's other bytes are.")
VARBEK_MESSAGE(music_header_rewritten, warning, "0x%02X番目の音楽データのヘッダはテキストで表せません（%s）。再構築ではテキストから決まる値になります", "Words of a song's header do not follow from its data as the text holds it (the block length, the start or end address, a channel's address, or a second address that differs from the first); each is named with the value it has and the value a rebuild from the text writes.")
VARBEK_MESSAGE(music_block_moved, warning, "0x%02X番目の音楽データは0x%06Xにありますが、再構築では0x%06Xに置かれます", "A song's block does not lie where a rebuild puts it (the blocks of a region back to back in song order from its start); the rebuild moves it, and its pointer and addresses with it.")
VARBEK_MESSAGE(music_target_past_channel, warning, "ジャンプ先[%s]はチャンネル%dのデータ（%dバイト）の外を指しています。そのまま書き込みます", "A jump target lies at or past the end of its channel: one named ChN+XXXX past the channel it names, or one written as two bytes (relative to its own channel) past its own channel's end, as after shortening a channel. The address is written as given and may lead into another channel.")

// How the log and the final text show a message.
VARBEK_MESSAGE(error_label, info, "エラー: %s", "An error as the log and the final text show it.")
VARBEK_MESSAGE(warning_label, info, "警告: %s", "A warning as the log and the final text show it.")
VARBEK_MESSAGE(at_line, info, "%s %d行目", "The file and line a message is about.")
VARBEK_MESSAGE(malformed_tag, warning, "先頭から%dバイト目のタグ\"%s\"が正しくありません（2桁の16進数を1つのスペースで区切ってください）", "A tag not written as pairs of hex digits separated by one space (\"<1AA7>\", \"< 1A>\", an odd digit, a tag left open), counted in bytes of the text from 1; its complete pairs are stored.")
VARBEK_MESSAGE(string_group, info, "%s グループ%d", "How room reports name a group of strings.")
VARBEK_MESSAGE(music_region, info, "音楽領域%d", "How room reports name a music region.")
VARBEK_MESSAGE(item_effects, info, "%s 効果", "How room reports name the items' effect stream.")
VARBEK_MESSAGE(lost_character, warning, "Shift-JISにない文字を全角スペースに置き換えました", "A character of a UTF-8 file that Shift-JIS lacks; the blank glyph is stored instead.")
VARBEK_MESSAGE(read_as_sjis, warning, "UTF-8としても読めるファイルですが、UTF-8ではShift-JISにない文字になるためShift-JISとして読みました", "A file without a BOM is well-formed both as UTF-8 and as Shift-JIS, and read as UTF-8 it would hold characters Shift-JIS lacks, so it is read as Shift-JIS. A file saved as UTF-8 with a BOM is never in doubt.")

// Patches and the header checksum.
VARBEK_MESSAGE(patch_written, info, "BPSパッチ[%s]を作成しました", "The build also wrote a patch from the input to the new image.")
VARBEK_MESSAGE(patch_wrong_source, error, "元のSMCがパッチと一致しません（パッチの元: %llu バイト CRC32 %08X、指定されたSMC: %llu バイト CRC32 %08X）", "The patch was made for another image; nothing was written.")
VARBEK_MESSAGE(patch_broken, error, "パッチ[%s]が壊れています", "The patch is cut, damaged or not a BPS patch; nothing was written.")
VARBEK_MESSAGE(patch_wrong_target, error, "パッチを当てた結果がパッチの記録と一致しません", "The patched image does not match the patch's own check; nothing was written.")
VARBEK_MESSAGE(patch_impossible_size, error, "パッチ[%s]は有り得ないサイズ（元 %llu バイト、結果 %llu バイト）を指定しています。受け付けるのは %llu バイトまでです", "The patch declares a source or result longer than any image of the game; it is refused before memory is taken for it.")
VARBEK_MESSAGE(checksum_updated, info, "ヘッダのチェックサムを更新しました（%04X）", "The new image's internal checksum was recomputed, as the input's was valid.")
VARBEK_MESSAGE(checksum_left, warning, "元のSMCのヘッダのチェックサムが正しくないため、そのままにします", "The input's internal checksum was already wrong; the new image keeps it as it was.")
VARBEK_MESSAGE(event_pointer_order, warning, "イベント%dの0x%02X番目のポインタ(0x%04X)が前の項目より前を指しています。各項目は次に大きいポインタまでとして書き出します", "The image's pointers of a bank are not in ascending order; every entry is dumped whole up to the next larger pointer.")
VARBEK_MESSAGE(string_pointer_order, warning, "%sのグループ%dのポインタが昇順ではありません。各文字列は次に大きいポインタまでとして書き出します", "The image's pointers of a string list are not in ascending order; every string is dumped whole up to the next larger pointer.")
VARBEK_MESSAGE(string_pointer_outside, error, "%sのグループ%dの%d番目のポインタが文字列領域の外を指しています。これ以降の文字列は書き出されません", "A string pointer of the image leads outside its area; later strings of the list are not written.")
VARBEK_MESSAGE(string_list_short, warning, "%sの文字列は%d個で終わっています。ビルドでは%d個まで空の文字列を加えます", "A string list of the image ends before the number of strings its group always keeps; a build adds empty strings up to that number, so the list's end marker and the pointer slots up to the new one change.")
VARBEK_MESSAGE(learning_count_past_area, warning, "%sのID 0x%02X（技ID 0x%02X）のセット数%dは領域の外まで続きます。ビルドでは領域に収まる%dを書き込みます", "A source's count of pairs in the image runs past the end of its sub-table's area; the file holds the pairs that fit, and a build writes their number as the count.")
VARBEK_MESSAGE(music_channel_repeated, warning, "Channel%dの見出しがもう一度あります。ここからのバイトはそのチャンネルの前の部分の後に続けます", "A channel's header (or Channel0's, the bytes ahead of every channel) comes again in a song text; the bytes of the later section are read as the continuation of that channel, after its earlier bytes, so none is lost.")
VARBEK_MESSAGE(music_table_repeated, warning, "%sの見出しがもう一度あります。ここからの値で最初から上書きします", "A song text's Wave or Drum section comes again; it is read in place of the earlier section, which is passed over.")
VARBEK_MESSAGE(battle_pointer_unlisted, warning, "ID 0x%02X のポインタ(0x%04X)は行の並びの位置と違います（違うポインタは%d個）。行を変えてビルドすると 0x%04X になります", "The image's event-battle pointers do not all run back to back from the area's start in ID order up to the first unused one (0xFFFF), which is how the rows list the entries. Named is the first that differs, on its row or on the line that ends the list, with the count of such pointers and the value a build writes in its place once the rows are changed (each goes where the rows put its entry, 0xFFFF after the list); a build from the rows as extracted keeps the image's pointers.")

// Song texts read strictly, and images cut short of their music.
VARBEK_MESSAGE(music_bad_token, warning, "%d文字目の[%s]は2桁の16進数ではありません。書き込みません（メモは ; の後に書いてください）", "A word of a song text that is not two hex digits (2 to 4 in the Wave row) nor a jump target: a note without a leading ;, 0x10, full-width digits, DEF, -1, G1. It is not stored; the line's other bytes are.")
VARBEK_MESSAGE(music_line_outside, warning, "この行はどの見出し（Wave、Drum、Channel0～8）の下にもないので読みません", "A line with values before the first section header of a song text (other than the three label lines the text starts with); nothing of it is stored.")
VARBEK_MESSAGE(music_wave_count, warning, "Waveの値が%d個あります（%d個のはずです）。この曲のWaveは元のままにします", "A song text's Wave row does not hold exactly 16 values; the input image's wave entries of the song are kept.")
VARBEK_MESSAGE(music_drum_row, warning, "Drumの%d行目の値が%d個あります（3個のはずです）。この行は元のままにします", "A Drum row (one line per note) does not hold exactly 3 values; the input image's three bytes of that row are kept.")
VARBEK_MESSAGE(music_drum_extra_row, warning, "Drumは%d行までです。この行は書き込みません", "A Drum section has more rows than the song has drum entries; the rows past the last are not stored.")
VARBEK_MESSAGE(music_drum_missing_rows, warning, "Drumの行が%d行しかありません（%d行のはずです）。残りの行は元のままにします", "A Drum section ends before its last row; the rows it lacks keep the input image's bytes.")
VARBEK_MESSAGE(music_text_cut, error, "「%s」の行がありません。空か途中で切れたファイルとみなし、この曲は元のデータのままにします", "A song text lacks its first label line (the song number), its Wave or Drum section or one of Channel1-8 (an empty file, or one cut short); the song keeps the input image's block, wave and drum entries, moved like a song without its file.")
VARBEK_MESSAGE(music_area_cut, warning, "smcファイルは0x%06Xまでしかなく、追加曲の音楽領域（0x%06X～0x%06X）が途中で切れています。曲0x%02X～0x%02Xは読み書きしません", "The image's header marks it as having the area above 4 MiB, but the file ends before the end of the added songs' tables and data: a cut image. Those songs are neither dumped nor rebuilt, and their area is left as it is; the other songs are converted.")
VARBEK_MESSAGE(list_row_blank, warning, "データの行が空です（空の行は%d行）。その行のデータは元のままにします", "A row of string.csv or event_battle.csv holds nothing or only commas while rows follow it in its list; it keeps its place, and its entry keeps the input image's bytes. The count is of the list's empty rows; the place is the first.")
VARBEK_MESSAGE(battle_cell_unreadable, warning, "「%s」は16進数として読めません。ID 0x%02X のイベントバトルは元のままにします", "A byte cell of an event battle holds no hex byte (letters, trailing text, an empty cell among the bytes); that battle keeps the input image's bytes whole, as its bytes cannot be placed without it.")
VARBEK_MESSAGE(battle_rows_dropped, warning, "イベントバトルは%d個までです。この行から後は読み込みません", "event_battle.csv lists more entries than the pointer table holds; the rows from the one named on are not stored.")
VARBEK_MESSAGE(learning_cell_unreadable, warning, "「%s」は読めません。%sは元のままにします", "A cell of a learning sub-table's row holds no value of its column (letters, trailing text, an empty cell among the pairs, a technique without its difficulty); the whole sub-table keeps the input image's bytes, as its rows cannot be placed without that cell.")
VARBEK_MESSAGE(learning_file_cut, error, "ファイル[%s]は「%s」の途中で終わっています。その前の表だけを書き込み、この表から後は元のままです", "flash.csv ends inside a sub-table or before it: the sub-tables before it are stored, that one and the ones after it keep the input image's bytes.")

// Cells of every file.
VARBEK_MESSAGE(at_column, info, "%s（%d列目）", "How a message names a column: its header and its number, counted from 1 as a spreadsheet does.")
VARBEK_MESSAGE(cell_unreadable, warning, "「%s」は%sとして読めません。%s のままにします", "A cell holds no value of its column's kind: letters, a fraction, an exponent, text after the value, a NUL byte, or nothing. Blanks around the value, one pair of quotes, full-width digits and signs, and digits grouped by commas (1,034) are read; anything else is not. The value shown, as a rule the input image's, stays.")
VARBEK_MESSAGE(cell_missing, warning, "行にこの列がありません。%s のままにします", "A line ends before the column; the value shown, as a rule the input image's, stays.")
VARBEK_MESSAGE(kind_decimal, info, "10進数", "How messages name a decimal cell.")
VARBEK_MESSAGE(kind_hex, info, "16進数", "How messages name a hex cell.")
VARBEK_MESSAGE(kind_mark, info, "○か×", "How messages name a mark cell (yes or no).")
VARBEK_MESSAGE(kind_grade, info, "評価の記号（- × △ ○ ○＋ ◎ □ ☆）", "How messages name a grade cell.")
